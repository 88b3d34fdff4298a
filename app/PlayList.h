// What the player's play list holds and how it sorts, without the list view: one row per audio
// file of a folder (file name, format, duration, size, status) and the text each column sorts by.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace app {

// The play list's columns, in their order on screen.
enum PlayListColumn { plcFileName = 0, plcFormat, plcDuration, plcFileSize, plcStatus };

struct PlayListEntry {
  std::string FileName;
  std::string Format;    // "WAV", "MP3", "WMA" or "OGG"
  std::string Duration;  // "mm:ss"
  std::string FileSize;  // as FormatFileSize shows it
  std::string Status;    // " " until the row plays
};

// The row for a file of the folder, or none when its name names no audio format. A duration
// that could not be read is 0 and shows as "00:00".
std::optional<PlayListEntry> MakePlayListEntry(const std::string& fileName, std::uint64_t fileSize,
                                               std::int64_t durationMs);

// The text a column sorts by: the column's own text, except that sizes sort by SizeSortKey
// (Bytes before KB before MB, then by the padded number).
std::string PlayListSortText(int column, const std::string& text);

// Ascending and ignoring case: below 0 when a comes first, 0 when the two sort alike.
int ComparePlayListTexts(int column, const std::string& a, const std::string& b);

}  // namespace app
