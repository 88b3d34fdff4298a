#include "ComponentRegistration.h"

#include <windows.h>

#include <vector>

#include "com/Handles.h"

namespace app {

bool RegisterComponentLibrary(const std::string& path, unsigned char mode) {
  com::unique_library library(LoadLibraryA(path.c_str()));
  if (!library) return false;
  using Entry = HRESULT(STDAPICALLTYPE*)();
  auto entry = reinterpret_cast<Entry>(reinterpret_cast<void*>(
      GetProcAddress(library.get(), mode == 1 ? "DllRegisterServer" : "DllUnregisterServer")));
  return entry && SUCCEEDED(entry());
}

std::string GetSystemFolder() {
  std::vector<char> buffer(MAX_PATH);
  for (;;) {
    const UINT length = GetSystemDirectoryA(buffer.data(), static_cast<UINT>(buffer.size()));
    if (length == 0) return {};
    // A result as long as the buffer or longer is the size the path needs.
    if (length < buffer.size()) return std::string(buffer.data(), length);
    buffer.resize(length + 1);
  }
}

void RegisterComponentLibraries(const std::string& folder) {
  for (const char* name : kComponentLibraries) RegisterComponentLibrary(folder + name, 1);
}

}  // namespace app
