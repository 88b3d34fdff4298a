// Making text from a disc's titles (CDDB replies, cdplayer.ini, the user's edits) safe as a
// file or folder name inside the output folder: it must never climb out of the folder, name a
// device, or make a path longer than the system takes.
#pragma once

#include <string>
#include <vector>

namespace app {

// The text as one name in a path: separators, reserved and control characters become "_",
// trailing dots and blanks go (Windows drops them, so "a." would be "a"), a name of dots alone
// or nothing becomes "_", and a device name (CON, NUL, COM1, ... also before an extension)
// gets a "_" in front.
std::string SafeNameComponent(const std::string& text);

// The longest path the output files may have, with room kept for the extension and the mark a
// name gets when its file already exists.
inline constexpr std::size_t kNameRoom = 8;
std::size_t PathLimit();

// Shortens the components (the longest first, a character at a time) until the folder plus
// the components joined by "\" fits maxLength; each stays a safe name. Returns them joined.
std::string FitPath(const std::string& folder, std::vector<std::string> components, std::size_t maxLength);

}  // namespace app
