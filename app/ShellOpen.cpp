#include "ShellOpen.h"

#include "Shell.h"

namespace app {

bool ShellOpen(const std::string& target) {
  // Nothing to open (no output folder chosen yet): not a request for the shell to guess.
  return !target.empty() && ui::ShellOpen(target);
}

}  // namespace app
