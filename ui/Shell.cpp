#include "Shell.h"

#include <shellapi.h>

namespace ui {

bool ShellOpen(const std::string& target, int show) {
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteA(nullptr, "open", target.c_str(), nullptr, nullptr, show));
  // Values above 32 mean success; the others are the shell's error codes.
  return result > 32;
}

}  // namespace ui
