// The track titles of a CDDB entry text, as the CDDB client reads it from a server or builds it
// from cdplayer.ini: one "TTITLEn=text" line per title, where a long title may be spread over
// several lines with the same index. The ripper's result and cdplayer.ini both keep the titles
// this walk gives, so that a disc looked up again off-line reads exactly as it did on-line.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace cddb {

inline constexpr int kCddbTitleCount = 99;            // indexes 0..98, tracks 1..99
inline constexpr std::size_t kCddbTitleLength = 254;  // characters a title holds
inline constexpr int kCddbLineLength = 254;           // characters of a line that are read

using CddbTitles = std::array<std::string, kCddbTitleCount>;

// Walks the text line by line. A line "TTITLEn=text" names the track index n (the whole run of
// digits before the '='); its text, with control characters made blanks, is appended to that
// index's title, so lines that repeat an index join. Indexes above 98 are ignored, and a title
// stops growing at its length. For every line `onLine` (when given) hears the index last named
// (0 before any) and that index's title ("" when the index is ignored). Returns the indexes
// named, each once, in the order of their first line.
std::vector<int> ReadEntryTitles(const char* text, CddbTitles& titles,
                                 const std::function<void(int index, const std::string& title)>& onLine = nullptr);

}  // namespace cddb
