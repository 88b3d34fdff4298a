#include "Diagnostics.h"

#include <windows.h>

namespace simdrive {

void ReportProblem(const std::string& message) {
  const std::string line = "simdrive: " + message + "\r\n";
  OutputDebugStringA(line.c_str());
  const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
  if (error == nullptr || error == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(error, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

}  // namespace simdrive
