// The parts of a file name the components decide by.
#pragma once

#include <string>
#include <string_view>

namespace audiofile {

// The text after the last dot of the name's last part, in lower case; empty when there is none.
std::wstring lowerExtension(std::wstring_view path);

}  // namespace audiofile
