#include "DriveSystem.h"
#include "DriveTransport.h"

namespace drive {

static_assert(sizeof(OSVERSIONINFOEXA) == 156);
static_assert(sizeof(OSVERSIONINFOA) == 148);

namespace {

int WindowsClass(const OSVERSIONINFOA& version) {
  const DWORD major = version.dwMajorVersion;
  const DWORD minor = version.dwMinorVersion;
  // The service string tells the second releases apart: " C" for 95 OSR2, " A" for 98 SE.
  const char letter = version.szCSDVersion[1];
  if (major != 4) return kOSOther;
  if (minor == 0 && letter == 'C') return kOSWindows95;
  if (minor == 10 && letter == 'A') return kOSWindows98;
  if (minor == 90) return kOSWindowsME;
  return kOSOther;
}

int NTClass(const OSVERSIONINFOA& version) {
  if (version.dwMajorVersion <= 4) return kOSWindowsNT4;
  if (version.dwMajorVersion == 5 && version.dwMinorVersion == 0) return kOSWindows2000;
  if (version.dwMajorVersion == 5 && version.dwMinorVersion == 1) return kOSWindowsXP;
  return kOSOther;
}

}  // namespace

int GetOSClass() {
  OSVERSIONINFOEXA extended{};
  extended.dwOSVersionInfoSize = sizeof(OSVERSIONINFOEXA);
  auto* version = reinterpret_cast<OSVERSIONINFOA*>(&extended);
  if (!DriveSystem().getVersionEx(version)) {
    extended = {};
    version->dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
    if (!DriveSystem().getVersionEx(version)) return kOSOther;
  }
  switch (version->dwPlatformId) {
    case VER_PLATFORM_WIN32_WINDOWS: return WindowsClass(*version);
    case VER_PLATFORM_WIN32_NT: return NTClass(*version);
    default: return kOSOther;
  }
}

}  // namespace drive
