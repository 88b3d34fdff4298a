#include "CdPlayerIni.h"

#include "CddbEntryTitles.h"
#include "DiscIdRing.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace cddb {
namespace {

constexpr char kIniFile[] = "cdplayer.ini";
constexpr int kValueSize = 256;     // values are read up to 255 characters
constexpr int kMatchTextLimit = 79;

std::string ReadValue(const char* section, const char* key, const char* fallback) {
  char value[kValueSize] = {};
  GetPrivateProfileStringA(section, key, fallback, value, sizeof value, kIniFile);
  return value;
}

void StoreCut(char* field, const std::string& value) {
  std::size_t length = value.size() < kMatchTextLimit ? value.size() : kMatchTextLimit;
  std::memcpy(field, value.data(), length);
  field[length] = '\0';
}

// The profile functions drop the blanks around a value and the quotes around a quoted one: a
// title that would lose either is written quoted, and reads back as it was.
std::string ProfileValue(const std::string& title) {
  const bool blankEnd = !title.empty() && (title.front() == ' ' || title.back() == ' ');
  const bool quoted = title.size() >= 2 && title.front() == title.back() && (title.front() == '"' || title.front() == '\'');
  return blankEnd || quoted ? '"' + title + '"' : title;
}

// A track's title as entry lines, continued on lines of the same index where one line would
// be longer than the entry walk reads.
std::string TitleLines(const std::string& key, const std::string& title) {
  const std::string head = "TTITLE" + key + "=";
  const std::size_t room = static_cast<std::size_t>(kCddbLineLength) - head.size();
  std::string lines;
  std::size_t at = 0;
  do {
    lines += head + title.substr(at, room) + "\r\n";
    at += room;
  } while (at < title.size());
  return lines;
}

// Appends the line when it fits in the room left (its terminating zero included).
bool Append(char* text, int& room, const std::string& line) {
  if (static_cast<int>(line.size()) >= room) return false;
  std::strcat(text, line.c_str());
  room -= static_cast<int>(line.size());
  return true;
}

}  // namespace

int HasIniEntry(const char* section) {
  if (section == nullptr) return 0;
  return static_cast<int>(GetPrivateProfileIntA(section, "NUMTRACKS", 0, kIniFile));
}

int ReadIniEntry(CddbMatch* match, char* text, int textSize) {
  if (match == nullptr || text == nullptr || textSize < 1) return 4;
  const char* section = match->discId;
  const int tracks = HasIniEntry(section);
  if (tracks <= 0) return 4;

  std::strcpy(match->category, "rock");
  match->exact = 1;
  const std::string artist = ReadValue(section, "ARTIST", "");
  const std::string title = ReadValue(section, "TITLE", "");
  StoreCut(match->artist, artist);
  StoreCut(match->title, title);

  // The entry is the whole text: what the buffer held before is not kept.
  text[0] = '\0';
  int room = textSize;
  Append(text, room, "DTITLE=" + artist + " / " + title + "\r\n");
  for (int b = 0; b < tracks; ++b) {
    const std::string key = std::to_string(b);
    const std::string trackTitle = ReadValue(section, key.c_str(), ("Track " + std::to_string(b + 1)).c_str());
    if (static_cast<int>(trackTitle.size()) + 12 >= room) break;
    if (!Append(text, room, TitleLines(key, trackTitle))) break;
  }
  return 1;
}

void WriteIniEntry(const CddbMatch* match, const char* text) {
  if (match == nullptr || text == nullptr) return;
  std::uint32_t key = 0;
  int tracks = 0;
  if (!FindDiscId(match->discId, &key, &tracks)) return;

  char section[16];
  std::snprintf(section, sizeof section, "%X", static_cast<unsigned>(key));
  WritePrivateProfileStringA(section, "artist", match->artist, kIniFile);
  WritePrivateProfileStringA(section, "title", match->title, kIniFile);
  WritePrivateProfileStringA(section, "numtracks", std::to_string(tracks).c_str(), kIniFile);

  // Each title whole, its continued lines joined as the ripper joins them; only the titles of
  // this disc's tracks are stored, under their plain numbers, each named once in the order.
  CddbTitles titles;
  std::string order;
  for (const int index : ReadEntryTitles(text, titles)) {
    if (index >= tracks) continue;
    const std::string trackKey = std::to_string(index);
    WritePrivateProfileStringA(section, trackKey.c_str(), ProfileValue(titles[static_cast<std::size_t>(index)]).c_str(),
                               kIniFile);
    order += trackKey + " ";
  }
  WritePrivateProfileStringA(section, "order", order.c_str(), kIniFile);
}

}  // namespace cddb
