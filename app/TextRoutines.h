// The small text routines several windows use: durations, two-digit numbers, padding, file
// sizes with their sort keys, and the audio format a file name names.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace app {

// "mm:ss" from milliseconds; minutes of 100 or more give three digits ("100:05").
std::string FormatDuration(std::int64_t ms);
// n in decimal with a leading "0" when n is 9 or less ("01", "10", "123").
std::string TwoDigits(std::int64_t n);
// width minus the text's length copies of fill (none when that is not positive), then text.
std::string PadLeft(const std::string& text, int width, char fill);
// "WAV", "MP3", "WMA" or "OGG" for the first of ".WAV", ".MP3", ".WMA", ".OGG" found anywhere in
// the upper-cased name (in that order); empty when none is.
std::string AudioFormatOfName(const std::string& name);
// " 500 Bytes", "   1.5 KB", "   3 MB", "1,024 KB": thousands grouped, padded to four
// characters, one decimal when it is not 0.
std::string FormatFileSize(std::uint64_t size);
// "c", "b" or "a" before a size text in MB, KB or Bytes, so that sorting the keys as text sorts
// by unit first; empty for a text without a unit.
std::string SizeSortKey(const std::string& sizeText);
// The value of a text of decimal digits only (no sign, no blanks, at most 18 digits); none for
// any other text.
std::optional<std::int64_t> DecimalValue(const std::string& text);

}  // namespace app
