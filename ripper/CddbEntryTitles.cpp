#include "ripper/CddbEntryTitles.h"

#include "CddbReply.h"

#include <algorithm>
#include <cstring>

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

void ReadEntryTitles(const char* text, CddbTitles& titles,
                     const std::function<void(int index, const std::string& title)>& onLine) {
    if (!text) return;
    static const std::string none;
    int index = 0;
    const char* cursor = text;
    while (*cursor) {
        // Zero-filled by each read, so the fixed positions below never reach past the line's end.
        char line[kCddbLineLength + 2];
        cddb::GetReplyLine(&cursor, line, sizeof line);
        // A line whose index is not a number names no track: reading it as 0 would hand its
        // text to the first track.
        if (std::strncmp(line, "TTITLE", 6) == 0 && isDigit(line[6])) {
            index = line[6] - '0';
            if (isDigit(line[7])) index = index * 10 + (line[7] - '0');
            if (index < kCddbTitleCount) {
                const char* title = line + (line[8] == '=' ? 9 : 8);
                std::string& joined = titles[static_cast<std::size_t>(index)];
                joined.append(title, std::min(std::strlen(title), kCddbTitleLength - joined.size()));
            }
        }
        onLine(index, index < kCddbTitleCount ? titles[static_cast<std::size_t>(index)] : none);
    }
}
