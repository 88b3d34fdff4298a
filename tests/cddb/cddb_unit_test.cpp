// The CDDB client's own logic: settings, reading answers (headers, lines, match lines, query
// replies), the identifier ring, and a bounded fuzz run proving that no reply reads or writes
// outside its buffers.
#include "CddbReply.h"
#include "CddbSettings.h"
#include "DiscIdRing.h"
#include "DriveTransport.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

using namespace cddb;

namespace {

// Holds a text whose terminating zero is the last byte before a no-access page, so reading one
// byte too far faults instead of passing unnoticed.
class GuardedText {
 public:
  explicit GuardedText(const std::string& text) {
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    const std::size_t page = info.dwPageSize;
    const std::size_t dataPages = (text.size() + 1 + page - 1) / page;
    size_ = (dataPages + 1) * page;
    base_ = static_cast<char*>(VirtualAlloc(nullptr, size_, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    DWORD old;
    VirtualProtect(base_ + dataPages * page, page, PAGE_NOACCESS, &old);
    text_ = base_ + dataPages * page - (text.size() + 1);
    std::memcpy(text_, text.c_str(), text.size() + 1);
  }
  ~GuardedText() { VirtualFree(base_, 0, MEM_RELEASE); }
  GuardedText(const GuardedText&) = delete;
  GuardedText& operator=(const GuardedText&) = delete;
  const char* get() const { return text_; }

 private:
  char* base_ = nullptr;
  std::size_t size_ = 0;
  char* text_ = nullptr;
};

bool Terminated(const char* field, std::size_t size) { return std::memchr(field, '\0', size) != nullptr; }

void ExpectSound(const CddbMatch& match) {
  EXPECT_TRUE(Terminated(match.category, sizeof match.category));
  EXPECT_TRUE(Terminated(match.discId, sizeof match.discId));
  EXPECT_TRUE(Terminated(match.artist, sizeof match.artist));
  EXPECT_TRUE(Terminated(match.title, sizeof match.title));
}

std::vector<std::string> Lines(const std::string& reply, int lineSize) {
  GuardedText text(reply);
  std::vector<std::string> lines;
  const char* cursor = text.get();
  std::vector<char> line(static_cast<std::size_t>(lineSize));
  while (*cursor != '\0') {
    GetReplyLine(&cursor, line.data(), lineSize);
    lines.push_back(line.data());
  }
  return lines;
}

struct ParsedReply {
  int count;
  std::vector<CddbMatch> matches;
};

// Parses into `room` matches followed by a record that must stay untouched.
ParsedReply ParseReply(const std::string& reply, int room) {
  GuardedText text(reply);
  std::vector<CddbMatch> matches(static_cast<std::size_t>(room) + 1);
  std::memset(&matches.back(), 0x5A, sizeof(CddbMatch));
  CddbMatchList list{room, matches.data()};
  int result = ParseCDDBQueryReply(text.get(), &list);
  EXPECT_EQ(result, list.count);
  EXPECT_GE(list.count, 0);
  EXPECT_LE(list.count, room);
  const auto* sentinel = reinterpret_cast<const unsigned char*>(&matches.back());
  for (std::size_t i = 0; i < sizeof(CddbMatch); ++i) EXPECT_EQ(sentinel[i], 0x5A) << "byte " << i;
  matches.pop_back();
  for (const CddbMatch& match : matches) ExpectSound(match);
  return {list.count, matches};
}

CddbMatch Parse(const std::string& line, int* result) {
  GuardedText text(line);
  CddbMatch match{};
  *result = ParseCDDBMatch(&match, text.get());
  ExpectSound(match);
  return match;
}

}  // namespace

TEST(CDDBSettings, StartWithTheDefaults) {
  const CddbSettings settings = CurrentCDDBSettings();
  EXPECT_EQ(settings.clientName, "zumal32dll 0.91");
  EXPECT_EQ(settings.cgiScript, "/~cddb/cddb.cgi");
  EXPECT_EQ(settings.serverPort, 80);
  EXPECT_TRUE(settings.writeIni);
  EXPECT_TRUE(settings.usePost);
  EXPECT_FALSE(settings.useProxy);
  EXPECT_EQ(settings.timeOut, 7000);
}

TEST(CDDBSettings, CutTextsToTheirLimitsAndKeepThemOnANullText) {
  SetCDDBSetting(kServerHost, std::string(300, 's').c_str(), 0);
  SetCDDBSetting(kCgiScript, std::string(100, 'c').c_str(), 0);
  SetCDDBSetting(kProxyHost, "proxy.example", 0);
  SetCDDBSetting(kProxyHost, nullptr, 0);
  const CddbSettings settings = CurrentCDDBSettings();
  EXPECT_EQ(settings.server, std::string(254, 's'));
  EXPECT_EQ(settings.cgiScript, std::string(79, 'c'));
  EXPECT_EQ(settings.proxy, "proxy.example");
}

TEST(CDDBSettings, TurnAtSignsAndBlanksOfTheHelloDataIntoPlusFromTheSecondCharacter) {
  SetCDDBSetting(kClientName, "@My Ripper 1.5", 0);
  SetCDDBSetting(kUserEMail, " someone@example.org", 0);
  CddbSettings settings = CurrentCDDBSettings();
  EXPECT_EQ(settings.clientName, "@My+Ripper+1.5");
  EXPECT_EQ(settings.userEMail, " someone+example.org");
  SetCDDBSetting(kClientName, std::string(70, 'n').c_str(), 0);
  SetCDDBSetting(kUserEMail, std::string(70, 'e').c_str(), 0);
  settings = CurrentCDDBSettings();
  EXPECT_EQ(settings.clientName.size(), 59u);
  EXPECT_EQ(settings.userEMail.size(), 63u);
}

TEST(CDDBSettings, TakeNumbersForTheNumberCodesAndIgnoreUnknownCodes) {
  SetCDDBSetting(kUseProxy, nullptr, 2);
  SetCDDBSetting(kProxyPort, nullptr, 3128);
  SetCDDBSetting(kServerPort, "ignored", 8880);
  SetCDDBSetting(kWriteIni, nullptr, 0);
  SetCDDBSetting(kUsePost, nullptr, 0);
  SetCDDBSetting(10, "x", 1);
  SetCDDBSetting(-1, "x", 1);
  SetCDDBTimeOut(1234);
  const CddbSettings settings = CurrentCDDBSettings();
  EXPECT_TRUE(settings.useProxy);
  EXPECT_EQ(settings.proxyPort, 3128);
  EXPECT_EQ(settings.serverPort, 8880);
  EXPECT_FALSE(settings.writeIni);
  EXPECT_FALSE(settings.usePost);
  EXPECT_EQ(settings.timeOut, 1234);
}

TEST(SkipHTTPHeader, MovesPastTheHeadersOfAnHttpAnswer) {
  const char reply[] = "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n\r\n200 rock 0200c601 A / B\r\n";
  EXPECT_STREQ(SkipHTTPHeader(reply), "200 rock 0200c601 A / B\r\n");
}

TEST(SkipHTTPHeader, ReadsAHeaderlessAnswerFromItsStart) {
  const char reply[] = "200 rock 0200c601 A / B\r\n";
  EXPECT_EQ(SkipHTTPHeader(reply), reply);
}

TEST(SkipHTTPHeader, StaysAtTheStartWhenTheHeadersNeverEnd) {
  const char reply[] = "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n";
  EXPECT_EQ(SkipHTTPHeader(reply), reply);
}

TEST(GetReplyLine, ReturnsEachCrLfLineAndDropsAnUnterminatedLastLine) {
  EXPECT_EQ(Lines("one\r\ntwo\r\n\r\nlast", 64), (std::vector<std::string>{"one", "two", "", ""}));
}

TEST(GetReplyLine, CutsALongLineToTheBufferAndSkipsItsRest) {
  EXPECT_EQ(Lines("abcdefghij\r\nxy\r\n", 6), (std::vector<std::string>{"abcd", "xy"}));
}

TEST(GetReplyLine, TakesLfOnlyTextAsPartOfOneLine) {
  EXPECT_EQ(Lines("a\nb\nc\r\nd\n", 64), (std::vector<std::string>{"a\nb\nc", ""}));
}

TEST(GetReplyLine, DoesNothingWithoutCursorTextOrLineBuffer) {
  char line[8] = "keep";
  const char* cursor = nullptr;
  GetReplyLine(&cursor, line, sizeof line);
  EXPECT_STREQ(line, "keep");
  GetReplyLine(nullptr, line, sizeof line);
  EXPECT_STREQ(line, "keep");
  const char* text = "x\r\n";
  cursor = text;
  GetReplyLine(&cursor, nullptr, 8);
  EXPECT_EQ(cursor, text);
}

TEST(ParseCDDBMatch, SplitsTheFourFieldsAndDropsTheBlanksAroundTheSlash) {
  int result = 0;
  CddbMatch match = Parse("rock 0200c601 Quiet Harbour / One Long Song", &result);
  EXPECT_EQ(result, 1);
  EXPECT_STREQ(match.category, "rock");
  EXPECT_STREQ(match.discId, "0200c601");
  EXPECT_STREQ(match.artist, "Quiet Harbour");
  EXPECT_STREQ(match.title, "One Long Song");
}

TEST(ParseCDDBMatch, TakesElevenCharacterCategoriesAndRejectsTwelve) {
  int result = 0;
  EXPECT_STREQ(Parse("soundtracks 0200c601 A / B", &result).category, "soundtracks");
  EXPECT_EQ(result, 1);
  Parse("soundtrackss 0200c601 A / B", &result);
  EXPECT_EQ(result, 0);
}

TEST(ParseCDDBMatch, RejectsIdentifiersThatAreNotAtMostEightDigitsAndABlank) {
  int result = 0;
  Parse("rock 0200c6011 A / B", &result);
  EXPECT_EQ(result, 0);
  Parse("rock 0200c60x A / B", &result);
  EXPECT_EQ(result, 0);
  Parse("rock 0200c601", &result);
  EXPECT_EQ(result, 0);
  EXPECT_STREQ(Parse("rock   c601   A / B", &result).discId, "c601");
  EXPECT_EQ(result, 1);
}

// Names carry slashes of their own; the separator is the first slash with a blank on each
// side, a bare slash only where there is none, and a title without any names artist and album.
TEST(ParseCDDBMatch, SplitsTheDiscTitleAtItsSeparatorAndKeepsTheSlashesOfTheNames) {
  struct Case {
    std::string text, artist, title;
  };
  const std::string artist80(80, 'a');
  const Case cases[] = {
      {"AC/DC / Back in Black", "AC/DC", "Back in Black"},
      {"Artist / Part 1/2", "Artist", "Part 1/2"},
      {"Artist/Title", "Artist", "Title"},
      {"Artist /Title", "Artist", "Title"},
      {"Greatest Hits", "Greatest Hits", "Greatest Hits"},
      {artist80 + "/T", artist80, "T"},
      {artist80 + "a / T", artist80, "T"},
      {artist80 + "a/T", artist80, std::string(79, 'a')},
  };
  for (const Case& c : cases) {
    int result = 0;
    const CddbMatch match = Parse("rock 0200c601 " + c.text, &result);
    EXPECT_EQ(result, 1) << c.text;
    EXPECT_EQ(match.artist, c.artist) << c.text;
    EXPECT_EQ(match.title, c.title) << c.text;
  }
}

TEST(ParseCDDBMatch, CutsTheTitleToSeventyNineCharactersAndDropsOneLineEnd) {
  int result = 0;
  EXPECT_EQ(std::string(Parse("rock 1 A / " + std::string(200, 't'), &result).title), std::string(79, 't'));
  EXPECT_STREQ(Parse("rock 1 A / Title\n", &result).title, "Title");
  EXPECT_STREQ(Parse("rock 1 A / Title\r", &result).title, "Title");
}

TEST(ParseCDDBMatch, ClearsTheCategoryOfALineThatFails) {
  CddbMatch match{};
  std::strcpy(match.category, "old");
  EXPECT_EQ(ParseCDDBMatch(&match, "nothing-to-split"), 0);
  EXPECT_STREQ(match.category, "");
}

TEST(ParseCDDBMatch, WritesArtistAndTitleToTheLayerLog) {
  char folder[MAX_PATH];
  GetTempPathA(sizeof folder, folder);
  const std::string path = std::string(folder) + "cddb-match-" + std::to_string(GetCurrentProcessId()) + ".log";
  HANDLE log = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  ASSERT_NE(log, INVALID_HANDLE_VALUE);
  drive::SetCDLayerLog(log);
  CddbMatch match{};
  ParseCDDBMatch(&match, "rock 0200c601 Quiet Harbour / One Long Song");
  drive::SetCDLayerLog(nullptr);
  char text[256] = {};
  DWORD read = 0;
  SetFilePointer(log, 0, nullptr, FILE_BEGIN);
  ReadFile(log, text, sizeof text - 1, &read, nullptr);
  CloseHandle(log);
  EXPECT_STREQ(text, "CDDB match artist:\r\nQuiet Harbour\r\nCDDB match title:\r\nOne Long Song\r\n");
}

TEST(ParseCDDBQueryReply, TakesAn200AnswerAsOneExactMatch) {
  ParsedReply parsed = ParseReply("HTTP/1.0 200 OK\r\n\r\n200 rock 0200c601 Quiet Harbour / One Long Song\r\n", 5);
  ASSERT_EQ(parsed.count, 1);
  EXPECT_EQ(parsed.matches[0].exact, 1);
  EXPECT_STREQ(parsed.matches[0].title, "One Long Song");
  // The line is read as far as a list's lines are: a long title keeps its 79 characters.
  const std::string title(100, 't');
  parsed = ParseReply("200 classical 8d1e7a1e " + std::string(60, 'a') + " / " + title + "\r\n", 5);
  ASSERT_EQ(parsed.count, 1);
  EXPECT_EQ(std::string(parsed.matches[0].title), title.substr(0, 79));
}

TEST(ParseCDDBQueryReply, Takes211LinesUpToTheDotAsInexactMatchesSkippingBadOnes) {
  ParsedReply parsed = ParseReply(
      "211 Found inexact matches\r\nrock 1 A / B\r\nnot-a-match\r\njazz 2 C / D\r\n.\r\nfolk 3 E / F\r\n", 5);
  ASSERT_EQ(parsed.count, 2);
  EXPECT_STREQ(parsed.matches[0].category, "rock");
  EXPECT_STREQ(parsed.matches[1].category, "jazz");
  EXPECT_EQ(parsed.matches[1].exact, 0);
}

TEST(ParseCDDBQueryReply, StopsA211ListAtTheSizeOfTheArray) {
  std::string reply = "211 Found inexact matches\r\n";
  for (int i = 0; i < 9; ++i) reply += "rock " + std::to_string(i) + " A / B\r\n";
  EXPECT_EQ(ParseReply(reply + ".\r\n", 5).count, 5);
}

TEST(ParseCDDBQueryReply, FindsNothingInOtherAnswers) {
  EXPECT_EQ(ParseReply("202 No match for disc ID 0200c601.\r\n", 5).count, 0);
  EXPECT_EQ(ParseReply("200\r\n", 5).count, 0);
  EXPECT_EQ(ParseReply("", 5).count, 0);
  EXPECT_EQ(ParseReply("200 rock 0200c601 A / B\r\n", 0).count, 0);
}

TEST(DiscIdRing, FindsARememberedIdentifierByItsHexText) {
  RememberDiscId(0x1234, 0xA1B2C3D4, 7);
  std::uint32_t key = 0;
  int tracks = 0;
  ASSERT_TRUE(FindDiscId("a1b2c3d4", &key, &tracks));
  EXPECT_EQ(key, 0x1234u);
  EXPECT_EQ(tracks, 7);
  EXPECT_FALSE(FindDiscId("a1b2c3d5", &key, &tracks));
  EXPECT_FALSE(FindDiscId(nullptr, &key, &tracks));
}

TEST(DiscIdRing, ForgetsTheOldestAfterTwentyAndNeverMatchesAnEmptySlot) {
  EXPECT_FALSE(FindDiscId("0", nullptr, nullptr));
  for (std::uint32_t i = 1; i <= 20; ++i) RememberDiscId(i, 0x70000000 + i, 1);
  EXPECT_TRUE(FindDiscId("70000001", nullptr, nullptr));
  RememberDiscId(21, 0x70000015, 1);
  RememberDiscId(22, 0x70000016, 1);
  EXPECT_FALSE(FindDiscId("70000001", nullptr, nullptr));
  EXPECT_FALSE(FindDiscId("70000002", nullptr, nullptr));
  EXPECT_TRUE(FindDiscId("70000003", nullptr, nullptr));
  EXPECT_TRUE(FindDiscId("70000016", nullptr, nullptr));
}

// Random and mutated answers through every parser: guarded ends catch over-reads, the
// sentinel record and the terminated fields catch over-writes.
TEST(ReplyFuzz, NoAnswerReadsOrWritesOutsideItsBuffers) {
  const std::vector<std::string> seeds = {
      "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n\r\n200 rock 0200c601 Quiet Harbour / One Long Song\r\n",
      "211 Found inexact matches\r\nrock 9f0a000c A / B\r\njazz 9f0a000c C / D\r\n.\r\n",
      "210 rock 0200c601 CD database entry follows\r\nDTITLE=A / B\r\nTTITLE0=x\r\n.\r\n",
      "202 No match\r\n",
  };
  const std::string alphabet = " /\r\n.0123456789abcdefHTTP211200rock\x01\xff";
  std::mt19937 random(20240607);
  auto pick = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random); };

  for (int round = 0; round < 3000; ++round) {
    std::string reply;
    if (round % 3 == 0) {
      std::size_t length = pick(600);
      for (std::size_t i = 0; i < length; ++i) reply += static_cast<char>(pick(255) + 1);
    } else {
      reply = seeds[pick(seeds.size())];
      for (std::size_t edits = pick(12); edits > 0 && !reply.empty(); --edits) {
        std::size_t at = pick(reply.size());
        switch (pick(4)) {
          case 0: reply[at] = alphabet[pick(alphabet.size())]; break;
          case 1: reply.insert(at, std::string(pick(300), alphabet[pick(alphabet.size())])); break;
          case 2: reply.erase(at, pick(20)); break;
          default: reply.insert(at, reply.substr(0, pick(reply.size()))); break;
        }
      }
    }
    SCOPED_TRACE(round);
    ParseReply(reply, static_cast<int>(pick(7)));

    GuardedText text(reply);
    int lineSize = static_cast<int>(pick(140)) + 1;
    std::vector<char> line(static_cast<std::size_t>(lineSize) + 8, '\x5A');
    const char* cursor = SkipHTTPHeader(text.get());
    for (int lines = 0; *cursor != '\0' && lines < 1000; ++lines) {
      GetReplyLine(&cursor, line.data(), lineSize);
      ASSERT_TRUE(Terminated(line.data(), static_cast<std::size_t>(lineSize)));
      ASSERT_EQ(std::string(line.end() - 8, line.end()), std::string(8, '\x5A'));
      CddbMatch match{};
      ParseCDDBMatch(&match, line.data());
      ExpectSound(match);
    }
  }
}
