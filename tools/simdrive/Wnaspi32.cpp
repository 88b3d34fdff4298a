// The exported ASPI for Win32 entry points of the simulated host library.
#include <windows.h>

#include "AspiRequests.h"
#include "HostRegistry.h"

namespace {
constexpr DWORD kVersion = 4 | (60 << 8);  // 4.60
}  // namespace

extern "C" {

DWORD __cdecl GetASPI32SupportInfo() { return simdrive::HostSupportInfo(); }

DWORD __cdecl SendASPI32Command(void* request) { return simdrive::HostSendCommand(request); }

BOOL __cdecl GetASPI32Buffer(aspi::ASPI32BUFF* buffer) {
  if (buffer == nullptr || buffer->AB_BufLen == 0) return FALSE;
  // VirtualAlloc memory is zeroed, which also honours AB_ZeroFill.
  buffer->AB_BufPointer = static_cast<std::uint8_t*>(
      VirtualAlloc(nullptr, buffer->AB_BufLen, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
  return buffer->AB_BufPointer != nullptr;
}

BOOL __cdecl FreeASPI32Buffer(aspi::ASPI32BUFF* buffer) {
  if (buffer == nullptr || buffer->AB_BufPointer == nullptr) return FALSE;
  const BOOL freed = VirtualFree(buffer->AB_BufPointer, 0, MEM_RELEASE);
  buffer->AB_BufPointer = nullptr;
  return freed;
}

// Device nodes belong to the Windows 95 configuration manager; simulated drives have none.
BOOL __cdecl TranslateASPI32Address(DWORD* /*path*/, DWORD* /*devNode*/) { return FALSE; }

DWORD __cdecl GetASPI32DLLVersion() { return kVersion; }

}  // extern "C"
