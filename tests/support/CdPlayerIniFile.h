// cdplayer.ini in the Windows folder, read as the file holds it, for the tests of the store.
#pragma once

#include <string>

namespace test_support {

constexpr char kCdPlayerIni[] = "cdplayer.ini";

// A value of any length as the file holds it, blanks and quotes kept (the profile functions
// drop them when they read); "<none>" when the section or key is missing.
std::string RawCdPlayerIniValue(const std::string& section, const std::string& key);

}  // namespace test_support
