#include "ShellOpen.h"

#include <windows.h>
#include <shellapi.h>

namespace app {

bool ShellOpen(const std::string& target) {
  return reinterpret_cast<INT_PTR>(ShellExecuteA(nullptr, "open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL)) > 32;
}

}  // namespace app
