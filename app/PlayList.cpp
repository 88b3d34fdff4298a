#include "PlayList.h"

#include <algorithm>
#include <cctype>

#include "TextRoutines.h"

namespace app {

std::optional<PlayListEntry> MakePlayListEntry(const std::string& fileName, std::uint64_t fileSize,
                                               std::int64_t durationMs) {
  std::string format = AudioFormatOfName(fileName);
  if (format.empty()) return std::nullopt;
  return PlayListEntry{fileName, std::move(format), FormatDuration(std::max<std::int64_t>(durationMs, 0)),
                       FormatFileSize(fileSize), " "};
}

std::string PlayListSortText(int column, const std::string& text) {
  return column == plcFileSize ? SizeSortKey(text) : text;
}

int ComparePlayListTexts(int column, const std::string& a, const std::string& b) {
  const std::string left = PlayListSortText(column, a), right = PlayListSortText(column, b);
  const auto lower = [](unsigned char c) { return std::tolower(c); };
  const auto mismatch = std::mismatch(left.begin(), left.end(), right.begin(), right.end(),
                                      [&](char x, char y) { return lower(x) == lower(y); });
  if (mismatch.first == left.end()) return mismatch.second == right.end() ? 0 : -1;
  if (mismatch.second == right.end()) return 1;
  return lower(*mismatch.first) < lower(*mismatch.second) ? -1 : 1;
}

}  // namespace app
