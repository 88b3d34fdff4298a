// Opening a document, folder or web address with the program the system has for it (the
// shell's "open" verb): the output folder, the help file, the maker's pages.
#pragma once

#include <string>

#include "Win32.h"

namespace ui {

// True when the shell started opening target; false when it could not (no such file, no
// program for it), and the caller tells the user.
bool ShellOpen(const std::string& target, int show = SW_SHOWNORMAL);

}  // namespace ui
