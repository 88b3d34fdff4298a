#include "ShellOpen.h"

#include <windows.h>
#include <shellapi.h>

namespace app {

bool ShellOpen(const std::string& target) {
  // Nothing to open (no output folder chosen yet): not a request for the shell to guess.
  if (target.empty()) return false;
  return reinterpret_cast<INT_PTR>(ShellExecuteA(nullptr, "open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL)) > 32;
}

}  // namespace app
