#include "ripper/CddbEntryTitles.h"

#include "CddbReply.h"

#include <algorithm>
#include <cstring>

void ReadEntryTitles(const char* text, CddbTitles& titles,
                     const std::function<void(int index, const std::string& title)>& onLine) {
    if (!text) return;
    static const std::string none;
    int index = 0;
    const char* cursor = text;
    while (*cursor) {
        char line[kCddbLineLength + 2];
        cddb::GetReplyLine(&cursor, line, sizeof line);
        // A line whose index is not a whole number names no track: reading part of it would
        // hand its text to another track.
        const char* titleText = nullptr;
        if (cddb::ParseTitleLine(line, &index, &titleText) && index < kCddbTitleCount) {
            std::string& joined = titles[static_cast<std::size_t>(index)];
            std::string title(titleText, std::min(std::strlen(titleText), kCddbTitleLength - joined.size()));
            cddb::BlankControlCharacters(title);
            joined += title;
        }
        onLine(index, index < kCddbTitleCount ? titles[static_cast<std::size_t>(index)] : none);
    }
}
