// The 148 genres of the ID3v1 list (0 "Blues" to 147 "Synthpop"), whose numbers the
// application keeps per track.
#pragma once

#include <string>

namespace audioinfo {

constexpr int kGenreCount = 148;

// The name of genre index; empty outside 0..147.
std::wstring genreName(int index);
// The index of a genre name (case-insensitive); -1 for a name not on the list.
int genreIndex(const std::wstring& name);

}  // namespace audioinfo
