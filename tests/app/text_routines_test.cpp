// The application's text routines: durations, two-digit numbers, names' audio formats, file
// sizes and their sort keys.
#include "TextRoutines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace app;

TEST(TextRoutines, DurationsAndTwoDigitNumbers) {
  const std::pair<std::int64_t, const char*> durations[] = {
      {0, "00:00"}, {999, "00:00"}, {59999, "00:59"}, {60000, "01:00"}, {600000, "10:00"},
      {192266, "03:12"}, {6005000, "100:05"}};
  for (const auto& [ms, text] : durations) EXPECT_EQ(FormatDuration(ms), text) << ms;
  EXPECT_EQ(TwoDigits(1), "01");
  EXPECT_EQ(TwoDigits(9), "09");
  EXPECT_EQ(TwoDigits(10), "10");
  EXPECT_EQ(TwoDigits(123), "123");
  EXPECT_EQ(PadLeft("7", 4, ' '), "   7");
  EXPECT_EQ(PadLeft("12345", 4, '0'), "12345");
}

TEST(TextRoutines, TheFirstListedExtensionAnywhereInTheNameGivesTheFormat) {
  const std::pair<const char*, const char*> names[] = {
      {"a.wav.mp3", "WAV"}, {"song.Mp3", "MP3"}, {"song.flac", ""}, {"x.OGG", "OGG"},
      {"C:\\music.wma\\track.ogg", "WMA"}, {"wav", ""}, {"", ""}};
  for (const auto& [name, format] : names) EXPECT_EQ(AudioFormatOfName(name), format) << name;
}

TEST(TextRoutines, FileSizesAreGroupedPaddedAndSortByUnitFirst) {
  const std::pair<std::uint64_t, const char*> sizes[] = {
      {0, "   0 Bytes"}, {500, " 500 Bytes"}, {1024, "1,024 Bytes"}, {1025, "   1 KB"},
      {1536, "   1.5 KB"}, {1048576, "1,024 KB"}, {3145728, "   3 MB"}, {1572864000, "1,500 MB"},
      {5 * 1048576ull + 104858, "   5.1 MB"}, {~0ull, "17,592,186,044,415.9 MB"}};
  for (const auto& [size, text] : sizes) EXPECT_EQ(FormatFileSize(size), text) << size;

  EXPECT_EQ(SizeSortKey("   3 MB"), "c   3 MB");
  EXPECT_EQ(SizeSortKey("   1.5 KB"), "b   1.5 KB");
  EXPECT_EQ(SizeSortKey(" 500 Bytes"), "a 500 Bytes");
  EXPECT_EQ(SizeSortKey("1234"), "");
  std::vector<std::string> keys;
  for (std::uint64_t size : {3145728ull, 500ull, 1536ull, 900ull, 2000000ull}) keys.push_back(SizeSortKey(FormatFileSize(size)));
  std::sort(keys.begin(), keys.end());
  EXPECT_EQ(keys, (std::vector<std::string>{"a 500 Bytes", "a 900 Bytes", "b   1.5 KB", "c   1.9 MB", "c   3 MB"}));
}
