#include "CddbEntryTitles.h"

#include "CddbReply.h"

#include <algorithm>
#include <cstring>

namespace cddb {

std::vector<int> ReadEntryTitles(const char* text, CddbTitles& titles,
                                 const std::function<void(int index, const std::string& title)>& onLine) {
  std::vector<int> named;
  if (!text) return named;
  static const std::string none;
  int index = 0;
  const char* cursor = text;
  while (*cursor) {
    char line[kCddbLineLength + 2];
    GetReplyLine(&cursor, line, sizeof line);
    // A line whose index is not a whole number names no track: reading part of it would
    // hand its text to another track.
    const char* titleText = nullptr;
    if (ParseTitleLine(line, &index, &titleText) && index < kCddbTitleCount) {
      if (std::find(named.begin(), named.end(), index) == named.end()) named.push_back(index);
      std::string& joined = titles[static_cast<std::size_t>(index)];
      std::string title(titleText, std::min(std::strlen(titleText), kCddbTitleLength - joined.size()));
      BlankControlCharacters(title);
      joined += title;
    }
    if (onLine) onLine(index, index < kCddbTitleCount ? titles[static_cast<std::size_t>(index)] : none);
  }
  return named;
}

}  // namespace cddb
