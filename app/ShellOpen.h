// Opening files, folders and web pages the way the desktop does, with the shell verb "open".
#pragma once

#include <string>

namespace app {

// The maker's home page, opened by "Home" and the about box.
inline constexpr const char* kHomePage = "http://www.talvo-audio.com/";

// Opens a file, folder or address shown normally; false when the shell could not (the windows
// show nothing then: a missing folder or help file is not an error of the program).
bool ShellOpen(const std::string& target);

}  // namespace app
