// Opening files, folders and web pages the way the desktop does, through the framework's shell
// "open", for the application's windows.
#pragma once

#include <string>

namespace app {

// The maker's home page, opened by "Home" and the about box.
inline constexpr const char* kHomePage = "http://www.talvo-audio.com/";

// Opens a file, folder or address shown normally; false when there is none or the shell could
// not (the windows show nothing then: a missing folder or help file is not an error of the
// program).
bool ShellOpen(const std::string& target);

}  // namespace app
