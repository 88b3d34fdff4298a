#include "CddbReply.h"

#include "DriveTransport.h"

#include <cstring>

namespace cddb {
namespace {

constexpr int kCategoryLimit = 11;
constexpr int kDiscIdDigits = 8;
constexpr int kArtistLimit = 80;
constexpr int kTitleLimit = 79;
constexpr int kMatchLineSize = 256;  // room for the longest line a match can fill
constexpr int kMatchLinesRead = 100;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsControl(char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

const char* SkipBlanks(const char* p) {
  while (*p == ' ') ++p;
  return p;
}

// Copies `length` characters and the terminating zero.
void CopyField(char* field, const char* text, std::size_t length) {
  std::memcpy(field, text, length);
  field[length] = '\0';
}

// Copies at most `limit` characters of `text`, less one line end that closes them.
void CopyText(char* field, const char* text, std::size_t length, std::size_t limit) {
  if (length > limit) length = limit;
  if (length > 0 && (text[length - 1] == '\r' || text[length - 1] == '\n')) --length;
  CopyField(field, text, length);
}

// A disc title as xmcd writes it, "artist / title". Names hold slashes of their own ("AC/DC",
// "Part 1/2"), so the split is at the first slash with a blank on each side; a title written
// without the blanks splits at its first slash within the artist's room, and one with no slash
// at all names an artist whose title is the same text.
void SplitDiscTitle(const char* text, CddbMatch& match) {
  const char* separator = std::strstr(text, " / ");
  if (separator != nullptr) {
    CopyText(match.artist, text, static_cast<std::size_t>(separator - text), kArtistLimit);
    const char* title = SkipBlanks(separator + 3);
    CopyText(match.title, title, std::strlen(title), kTitleLimit);
    return;
  }
  const void* slash = std::memchr(text, '/', strnlen(text, kArtistLimit + 1));
  if (slash == nullptr) {
    CopyText(match.artist, text, std::strlen(text), kArtistLimit);
    CopyText(match.title, text, std::strlen(text), kTitleLimit);
    return;
  }
  std::size_t artistLength = static_cast<std::size_t>(static_cast<const char*>(slash) - text);
  if (artistLength > 0 && text[artistLength - 1] == ' ') --artistLength;
  CopyField(match.artist, text, artistLength);
  const char* title = SkipBlanks(static_cast<const char*>(slash) + 1);
  CopyText(match.title, title, std::strlen(title), kTitleLimit);
}

int StatusCode(const char* line) {
  int code = 0;
  for (int i = 0; i < 3 && IsDigit(line[i]); ++i) code = code * 10 + (line[i] - '0');
  return code;
}

}  // namespace

const char* SkipHTTPHeader(const char* reply) {
  if (reply == nullptr || std::strncmp(reply, "HTTP", 4) != 0) return reply;
  const char* end = std::strstr(reply, "\r\n\r\n");
  return end != nullptr ? end + 4 : reply;
}

void GetReplyLine(const char** cursor, char* line, int lineSize) {
  if (cursor == nullptr || *cursor == nullptr || line == nullptr || lineSize < 1) return;
  std::memset(line, 0, static_cast<std::size_t>(lineSize));
  const char* rest = *cursor;
  const char* end = std::strstr(rest, "\r\n");
  if (end == nullptr) {
    *cursor = rest + std::strlen(rest);
    return;
  }
  std::size_t length = static_cast<std::size_t>(end - rest);
  std::size_t room = lineSize >= 2 ? static_cast<std::size_t>(lineSize - 2) : 0;
  CopyField(line, rest, length < room ? length : room);
  *cursor = end + 2;
}

int ParseCDDBMatch(CddbMatch* match, const char* line) {
  if (match == nullptr || line == nullptr) return 0;
  match->category[0] = '\0';
  CddbMatch parsed{};

  const char* blank = std::strchr(line, ' ');
  if (blank == nullptr || blank - line > kCategoryLimit) return 0;
  CopyField(parsed.category, line, static_cast<std::size_t>(blank - line));

  const char* p = SkipBlanks(blank);
  int digits = 0;
  while (digits < kDiscIdDigits && IsHexDigit(p[digits])) ++digits;
  if (p[digits] != ' ') return 0;
  CopyField(parsed.discId, p, static_cast<std::size_t>(digits));

  p = SkipBlanks(p + digits);
  SplitDiscTitle(p, parsed);
  BlankControlCharacters(parsed.category);
  BlankControlCharacters(parsed.artist);
  BlankControlCharacters(parsed.title);

  drive::WriteCDLayerLog("CDDB match artist:");
  drive::WriteCDLayerLog(parsed.artist);
  drive::WriteCDLayerLog("CDDB match title:");
  drive::WriteCDLayerLog(parsed.title);
  parsed.exact = match->exact;
  *match = parsed;
  return 1;
}

int ParseCDDBQueryReply(const char* reply, CddbMatchList* list) {
  if (list == nullptr) return 0;
  const int room = list->count;
  list->count = 0;
  if (reply == nullptr || list->matches == nullptr || room < 1) return 0;

  const char* cursor = SkipHTTPHeader(reply);
  char line[kMatchLineSize];
  // An exact match's line holds as much as a line of a list of matches.
  GetReplyLine(&cursor, line, kMatchLineSize);
  switch (StatusCode(line)) {
    case 200:
      if (std::strlen(line) >= 4 && ParseCDDBMatch(&list->matches[0], line + 4)) {
        list->matches[0].exact = 1;
        list->count = 1;
      }
      break;
    case 211:
      if (FindTerminatingLine(cursor) == nullptr) break;
      for (int i = 0; i < kMatchLinesRead && list->count < room; ++i) {
        GetReplyLine(&cursor, line, kMatchLineSize);
        if (std::strcmp(line, ".") == 0) break;
        CddbMatch& next = list->matches[list->count];
        if (ParseCDDBMatch(&next, line)) {
          next.exact = 0;
          ++list->count;
        }
      }
      break;
    default:
      break;
  }
  return list->count;
}

const char* FindTerminatingLine(const char* text) {
  if (text == nullptr) return nullptr;
  for (const char* line = text; *line != '\0';) {
    if (line[0] == '.' && (line[1] == '\0' || std::strncmp(line + 1, "\r\n", 2) == 0)) return line;
    const char* end = std::strstr(line, "\r\n");
    if (end == nullptr) return nullptr;
    line = end + 2;
  }
  return nullptr;
}

bool ParseTitleLine(const char* line, int* index, const char** text) {
  if (line == nullptr || std::strncmp(line, "TTITLE", 6) != 0 || !IsDigit(line[6])) return false;
  const char* p = line + 6;
  int value = 0;
  for (; IsDigit(*p); ++p) value = value < kNoTitleIndex ? value * 10 + (*p - '0') : kNoTitleIndex;
  if (*p != '=') return false;
  if (index != nullptr) *index = value < kNoTitleIndex ? value : kNoTitleIndex;
  if (text != nullptr) *text = p + 1;
  return true;
}

void BlankControlCharacters(char* text) {
  for (; text != nullptr && *text != '\0'; ++text) {
    if (IsControl(*text)) *text = ' ';
  }
}

void BlankControlCharacters(std::string& text) {
  for (char& c : text) {
    if (IsControl(c)) c = ' ';
  }
}

}  // namespace cddb
