// Disc identifiers and look-ups of discs in simulated drives: identifiers and ini keys from the
// table of contents, queries and reads through a CDDB server on loopback (POST, GET, proxy),
// the cdplayer.ini store with its write-back and read-back, and hostile answers.
#include "CdPlayerIni.h"
#include "CddbClient.h"
#include "CddbSettings.h"
#include "CdPlayerIniFile.h"
#include "CddbTestServer.h"
#include "DiscId.h"
#include "DiscIdRing.h"
#include "DriveHandles.h"
#include "DriveTransport.h"
#include "SimDriveTest.h"

#include <windows.h>

#include <chrono>
#include <cstring>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

using namespace cddb;

namespace {

constexpr char kIni[] = "cdplayer.ini";

std::string IniValue(const std::string& section, const std::string& key) {
  char value[1024] = {};
  GetPrivateProfileStringA(section.c_str(), key.c_str(), "<none>", value, sizeof value, kIni);
  return value;
}


// Sections of cdplayer.ini a test writes or makes the client write, removed again at its end;
// every test names its own sections, since test programs share the file.
class IniSections {
 public:
  ~IniSections() {
    for (const std::string& section : sections_) WritePrivateProfileStringA(section.c_str(), nullptr, nullptr, kIni);
  }
  const std::string& Own(const std::string& section) {
    WritePrivateProfileStringA(section.c_str(), nullptr, nullptr, kIni);
    sections_.push_back(section);
    return section;
  }
  void Write(const std::string& section, std::initializer_list<std::pair<const char*, std::string>> values) {
    Own(section);
    for (const auto& [key, value] : values) WritePrivateProfileStringA(section.c_str(), key, value.c_str(), kIni);
  }

 private:
  std::vector<std::string> sections_;
};

// Five matches, as the ripper asks, followed by one that must stay untouched.
struct MatchList {
  CddbMatch matches[6] = {};
  CddbMatchList list{5, matches};
  MatchList() { std::memset(&matches[5], 0x5A, sizeof(CddbMatch)); }
  bool GuardIntact() const {
    const auto* bytes = reinterpret_cast<const unsigned char*>(&matches[5]);
    for (std::size_t i = 0; i < sizeof(CddbMatch); ++i) {
      if (bytes[i] != 0x5A) return false;
    }
    return true;
  }
};

// An entry text buffer with guard bytes behind it.
struct EntryText {
  explicit EntryText(int size) : size(size), bytes(static_cast<std::size_t>(size) + 32, '\x5A') {}
  char* data() { return bytes.data(); }
  std::string text() const { return bytes.data(); }
  bool GuardIntact() const { return std::string(bytes.end() - 32, bytes.end()) == std::string(32, '\x5A'); }
  int size;
  std::vector<char> bytes;
};

class DiscTest : public drivetest::SimDriveTest {
 protected:
  // Drive 0:1:0 with a disc of the given tracks, opened; further discs go into 0:2:0 and up.
  std::vector<int> OpenDiscs(std::initializer_list<std::initializer_list<const char*>> discs) {
    auto config = Config();
    int target = 1;
    for (const auto& tracks : discs) {
      const std::string name = "d" + std::to_string(target);
      config.Drive("0:" + std::to_string(target) + ":0");
      if (tracks.size() > 0) config.Key("disc", name);
      config.Disc(name);
      for (const char* track : tracks) config.Track(track);
      ++target;
    }
    Start(config);
    std::vector<int> handles;
    for (int t = 1; t < target; ++t) handles.push_back(Open(0, t, 0, drive::CDRT_ATAPI2));
    Mark();
    return handles;
  }
  int OpenDisc(std::initializer_list<const char*> tracks) { return OpenDiscs({tracks})[0]; }
};

class LookupTest : public DiscTest {
 protected:
  void SetUp() override {
    SetCDDBSetting(kServerHost, "127.0.0.1", 0);
    SetCDDBSetting(kServerPort, nullptr, server.port());
    SetCDDBSetting(kUseProxy, nullptr, 0);
    SetCDDBSetting(kUsePost, nullptr, 1);
    SetCDDBSetting(kWriteIni, nullptr, 1);
    SetCDDBSetting(kCgiScript, "/~cddb/cddb.cgi", 0);
    SetCDDBSetting(kUserEMail, "tester@example.org", 0);
    SetCDDBSetting(kClientName, "cddbtest 1.0", 0);
  }

  // The body of the n-th request: what follows the blank line of a POST.
  std::string Body(std::size_t n) {
    const std::vector<std::string> requests = server.Requests();
    if (n >= requests.size()) return "<no request>";
    return requests[n].substr(requests[n].find("\r\n\r\n") + 4);
  }

  CddbTestServer server;
  IniSections ini;
};

// Disc "X": three tracks, one exact entry (rock 16037803), ini key 93A2C.
const std::initializer_list<const char*> kDiscX = {"audio 11111", "audio 22222", "audio 33333"};
// Disc "M": twelve tracks with entries in seven categories (9f0a000c), ini key E72D2C.
const std::initializer_list<const char*> kDiscM = {"audio 16000", "audio 16000", "audio 16000", "audio 16000",
                                                   "audio 16000", "audio 16000", "audio 16000", "audio 16000",
                                                   "audio 16000", "audio 16000", "audio 16000", "audio 16000"};

}  // namespace

// --- identifiers -------------------------------------------------------------------------------

TEST_F(DiscTest, OneTrackFromTwoSecondsToThreeTwentyGivesTheKnownIdentifier) {
  const int handle = OpenDisc({"audio 14850"});
  std::int32_t record[kDiscIdRecordSize] = {};
  EXPECT_EQ(ComputeDiscId(handle, record), 0);
  EXPECT_EQ(static_cast<std::uint32_t>(record[0]), 0x0200C601u);
  EXPECT_EQ(record[1], 1);
  EXPECT_EQ(record[2], 150);
  EXPECT_EQ(record[3], 198);
  EXPECT_EQ(Cdbs(), std::vector<std::string>{"43 02 00 00 00 00 00 03 24 00"});
  EXPECT_EQ(drive::FindOpenDrive(handle)->tocAddressingMSF, 1);
}

TEST_F(DiscTest, NinetyNineTracksFillTheWholeRecord) {
  std::vector<std::string> tracks(99, "audio 3000");
  auto config = Config();
  config.Drive("0:1:0").Key("disc", "full").Disc("full");
  for (const std::string& track : tracks) config.Track(track);
  Start(config);
  const int handle = Open(0, 1, 0, drive::CDRT_ATAPI2);
  std::int32_t record[kDiscIdRecordSize + 1] = {};
  record[kDiscIdRecordSize] = 0x5A5A5A5A;
  ComputeDiscId(handle, record);
  EXPECT_EQ(static_cast<std::uint32_t>(record[0]), 0x960F7863u);
  EXPECT_EQ(record[1], 99);
  EXPECT_EQ(record[2 + 98], 294150);
  EXPECT_EQ(record[101], 3960);
  EXPECT_EQ(record[kDiscIdRecordSize], 0x5A5A5A5A);
}

TEST_F(DiscTest, MixedModeDiscCountsItsDataTrackInTheIdentifierButNotInTheIniKey) {
  const int handle = OpenDisc({"mode1 9000", "audio 11000", "audio 12000", "audio 13000"});
  std::int32_t record[kDiscIdRecordSize] = {};
  ComputeDiscId(handle, record);
  EXPECT_EQ(static_cast<std::uint32_t>(record[0]), 0x25025804u);
  EXPECT_EQ(ComputeIniKey(handle), 0xD2664u);
}

TEST_F(DiscTest, AllDataDiscHasIniKeyZero) {
  const int handle = OpenDisc({"mode1 22500"});
  EXPECT_EQ(ComputeIniKey(handle), 0u);
  EXPECT_EQ(drive::FindOpenDrive(handle)->tocAddressingMSF, 1);
}

TEST_F(DiscTest, FailedTOCReadGivesIdentifierOne) {
  const int handle = OpenDisc({});
  std::int32_t record[kDiscIdRecordSize] = {};
  ComputeDiscId(handle, record);
  EXPECT_EQ(record[0], 1);
}

TEST_F(DiscTest, RecordFormRestoresTheAddressingAndRemembersTheDisc) {
  const int handle = OpenDisc({"audio 12345", "audio 23456"});
  std::int32_t record[kDiscIdRecordSize] = {};
  ASSERT_EQ(ComputeDiscIdRecord(handle, record), drive::kLayerSuccess);
  EXPECT_EQ(static_cast<std::uint32_t>(record[0]), 0x0F01DD02u);
  EXPECT_EQ(drive::FindOpenDrive(handle)->tocAddressingMSF, 0);
  std::uint32_t key = 0;
  int tracks = 0;
  ASSERT_TRUE(FindDiscId("0f01dd02", &key, &tracks));
  EXPECT_EQ(key, 0x2302Du);
  EXPECT_EQ(tracks, 2);

  EXPECT_EQ(ComputeDiscIdRecord(handle + 1, record), drive::kLayerFailure);
  EXPECT_EQ(drive::GetCDLayerLastError(), drive::kErrBadHandle);
}

// --- look-ups ----------------------------------------------------------------------------------

TEST_F(LookupTest, OnlineExactMatchIsReadStoredAndThenFoundOffline) {
  const int handle = OpenDisc(kDiscX);
  ini.Own("93A2C");
  MatchList found;
  ASSERT_EQ(QueryCDDB(handle, &found.list, 1, 3000), drive::kLayerSuccess);
  ASSERT_EQ(found.list.count, 1);
  const CddbMatch& match = found.matches[0];
  EXPECT_STREQ(match.category, "rock");
  EXPECT_STREQ(match.discId, "16037803");
  EXPECT_EQ(match.exact, 1);
  EXPECT_STREQ(match.artist, "Marrow Lane");
  EXPECT_STREQ(match.title, "Three Doors");
  EXPECT_EQ(Body(0), "cmd=cddb+query+16037803+3+150+11261+33483+888&hello=tester+example.org+cddbtest+1.0&proto=3\r\n");

  EntryText entry(2999);
  ASSERT_EQ(ReadCDDBEntry(&found.matches[0], entry.data(), entry.size), drive::kLayerSuccess);
  EXPECT_EQ(Body(1), "cmd=cddb+read+rock+16037803&hello=tester+example.org+cddbtest+1.0&proto=3\r\n");
  EXPECT_EQ(entry.text().rfind("# xmcd\r\n", 0), 0u);
  EXPECT_NE(entry.text().find("\r\nTTITLE2=Third Door\r\n"), std::string::npos);
  EXPECT_EQ(entry.text().substr(entry.text().size() - 3), ".\r\n");

  EXPECT_EQ(IniValue("93A2C", "artist"), "Marrow Lane");
  EXPECT_EQ(IniValue("93A2C", "title"), "Three Doors");
  EXPECT_EQ(IniValue("93A2C", "numtracks"), "3");
  EXPECT_EQ(IniValue("93A2C", "1"), "Second Door");
  EXPECT_EQ(test_support::RawCdPlayerIniValue("93A2C", "order"), "0 1 2 ");

  MatchList offline;
  ASSERT_EQ(QueryCDDB(handle, &offline.list, 0, 3000), drive::kLayerSuccess);
  ASSERT_EQ(offline.list.count, 1);
  EXPECT_STREQ(offline.matches[0].category, "cdplayerini");
  EXPECT_STREQ(offline.matches[0].discId, "93A2C");
  EXPECT_EQ(offline.matches[0].exact, 1);
  EntryText stored(2999);
  ASSERT_EQ(ReadCDDBEntry(&offline.matches[0], stored.data(), stored.size), drive::kLayerSuccess);
  EXPECT_EQ(stored.text(),
            "DTITLE=Marrow Lane / Three Doors\r\nTTITLE0=First Door\r\nTTITLE1=Second Door\r\nTTITLE2=Third Door\r\n");
  EXPECT_STREQ(offline.matches[0].category, "rock");
  EXPECT_STREQ(offline.matches[0].artist, "Marrow Lane");
  EXPECT_EQ(server.Requests().size(), 2u);
}

TEST_F(LookupTest, HelloDataCarriesNoAtSignOrBlankEvenWhereTheSettingKeptOne) {
  const int handle = OpenDisc(kDiscX);
  SetCDDBSetting(kUserEMail, "@home user", 0);  // stored as "@home+user"
  MatchList found;
  QueryCDDB(handle, &found.list, 1, 3000);
  EXPECT_EQ(Body(0), "cmd=cddb+query+16037803+3+150+11261+33483+888&hello=+home+user+cddbtest+1.0&proto=3\r\n");
}

TEST_F(LookupTest, InexactMatchesFillTheListUpToItsSizeAndAnyOfThemIsStoredForTheDisc) {
  const int handle = OpenDisc(kDiscM);
  ini.Own("E72D2C");
  MatchList found;
  ASSERT_EQ(QueryCDDB(handle, &found.list, 1, 3000), drive::kLayerSuccess);
  ASSERT_EQ(found.list.count, 5);
  EXPECT_TRUE(found.GuardIntact());
  const char* categories[] = {"blues", "classical", "country", "folk", "jazz"};
  for (int i = 0; i < 5; ++i) {
    EXPECT_STREQ(found.matches[i].category, categories[i]);
    EXPECT_EQ(found.matches[i].exact, 0);
  }
  EntryText entry(2999);
  ASSERT_EQ(ReadCDDBEntry(&found.matches[2], entry.data(), entry.size), drive::kLayerSuccess);
  EXPECT_EQ(IniValue("E72D2C", "artist"), "Various Hands 3");
  EXPECT_EQ(IniValue("E72D2C", "numtracks"), "12");
  EXPECT_EQ(IniValue("E72D2C", "11"), "Room 12 (country)");
  EXPECT_EQ(test_support::RawCdPlayerIniValue("E72D2C", "order"), "0 1 2 3 4 5 6 7 8 9 10 11 ");
}

TEST_F(LookupTest, GetRoundTripSendsTheShortForm) {
  const int handle = OpenDisc(kDiscX);
  ini.Own("93A2C");
  SetCDDBSetting(kUsePost, nullptr, 0);
  MatchList found;
  ASSERT_EQ(QueryCDDB(handle, &found.list, 1, 3000), drive::kLayerSuccess);
  ASSERT_EQ(found.list.count, 1);
  EntryText entry(2999);
  ASSERT_EQ(ReadCDDBEntry(&found.matches[0], entry.data(), entry.size), drive::kLayerSuccess);
  EXPECT_EQ(entry.text().rfind("# xmcd\r\n", 0), 0u);
  const std::vector<std::string> requests = server.Requests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[1], "GET /~cddb/cddb.cgi?cmd=cddb+read+rock+16037803&hello=tester+example.org+cddbtest+1.0&proto=3\r\n");
}

TEST_F(LookupTest, ProxyRoundTripPostsEveryRequestToTheProxy) {
  const int handle = OpenDisc(kDiscX);
  ini.Own("93A2C");
  SetCDDBSetting(kServerHost, "cddb.example.org", 0);
  SetCDDBSetting(kProxyHost, "127.0.0.1", 0);
  SetCDDBSetting(kProxyPort, nullptr, server.port());
  SetCDDBSetting(kUseProxy, nullptr, 1);
  SetCDDBSetting(kUsePost, nullptr, 0);
  MatchList found;
  ASSERT_EQ(QueryCDDB(handle, &found.list, 1, 3000), drive::kLayerSuccess);
  ASSERT_EQ(found.list.count, 1);
  EntryText entry(2999);
  EXPECT_EQ(ReadCDDBEntry(&found.matches[0], entry.data(), entry.size), drive::kLayerSuccess);
  for (const std::string& request : server.Requests()) {
    EXPECT_EQ(request.rfind("POST http://cddb.example.org/~cddb/cddb.cgi HTTP/1.0\r\n", 0), 0u) << request;
  }
  EXPECT_EQ(server.Requests().size(), 2u);
}

TEST_F(LookupTest, WriteBackCanBeTurnedOff) {
  const int handle = OpenDisc(kDiscX);
  ini.Own("93A2C");
  SetCDDBSetting(kWriteIni, nullptr, 0);
  MatchList found;
  QueryCDDB(handle, &found.list, 1, 3000);
  EntryText entry(2999);
  ASSERT_EQ(ReadCDDBEntry(&found.matches[0], entry.data(), entry.size), drive::kLayerSuccess);
  EXPECT_EQ(IniValue("93A2C", "numtracks"), "<none>");
}

TEST_F(LookupTest, AnEntryIsNotStoredOnceTwentyLaterQueriesPushedItsDiscOutOfTheRing) {
  const std::vector<int> handles = OpenDiscs({{"audio 12345", "audio 23456"}, {"audio 7777", "audio 8888"}});
  ini.Own("2302D");
  MatchList found;
  ASSERT_EQ(QueryCDDB(handles[0], &found.list, 1, 3000), drive::kLayerSuccess);
  ASSERT_EQ(found.list.count, 1);
  for (int i = 0; i < 20; ++i) {
    MatchList other;
    QueryCDDB(handles[1], &other.list, 0, 3000);
  }
  EntryText entry(2999);
  ASSERT_EQ(ReadCDDBEntry(&found.matches[0], entry.data(), entry.size), drive::kLayerSuccess);
  EXPECT_NE(entry.text().find("TTITLE1=South River"), std::string::npos);
  EXPECT_EQ(IniValue("2302D", "numtracks"), "<none>");
}

TEST_F(LookupTest, OfflineWithoutAnEntryFindsNothingAndAsksNoServer) {
  const int handle = OpenDisc({"audio 6543", "audio 7654", "audio 8765"});
  ini.Own("42A28");
  MatchList found;
  EXPECT_EQ(QueryCDDB(handle, &found.list, 0, 3000), drive::kLayerSuccess);
  EXPECT_EQ(found.list.count, 0);
  EXPECT_TRUE(server.Requests().empty());
}

TEST_F(LookupTest, QueryFailsWithoutAListOrAnOpenDrive) {
  const int handle = OpenDisc(kDiscX);
  EXPECT_EQ(QueryCDDB(handle, nullptr, 1, 3000), drive::kLayerFailure);
  MatchList found;
  EXPECT_EQ(QueryCDDB(handle + 1, &found.list, 1, 3000), drive::kLayerFailure);
  EXPECT_EQ(found.list.count, 0);
  EXPECT_TRUE(server.Requests().empty());
  CddbMatch noEntry{};
  std::strcpy(noEntry.category, "rock");
  std::strcpy(noEntry.discId, "12345678");
  char text[64];
  EXPECT_EQ(ReadCDDBEntry(nullptr, text, sizeof text), drive::kLayerFailure);
  EXPECT_EQ(ReadCDDBEntry(&noEntry, nullptr, 64), drive::kLayerFailure);
  EXPECT_EQ(ReadCDDBEntry(&noEntry, text, sizeof text), drive::kLayerFailure);  // 401 from the server
}

TEST_F(LookupTest, HostileAnswersGiveACleanNoMatch) {
  const int handle = OpenDisc(kDiscX);
  ini.Own("93A2C");
  std::string binary;
  for (int i = 0; i < 5000; ++i) binary += static_cast<char>((i * 131 + 7) % 256);
  const std::string answers[] = {
      "211 many\r\n" + std::string(1 << 20, 'r'),
      "200 rock 16037803 Marrow Lane / Three Doors\n",
      "211 list\nrock 16037803 A / B\njazz 16037803 C / D\n.\n",
      binary,
      "HTTP/1.0 200 OK\r\n\r\n211 list\r\n" + std::string(3000, 'x') + " 1 A / B\r\n.\r\n",
  };
  for (const std::string& answer : answers) {
    server.SetCannedReply(answer);
    MatchList found;
    EXPECT_EQ(QueryCDDB(handle, &found.list, 1, 3000), drive::kLayerSuccess);
    EXPECT_EQ(found.list.count, 0);
    EXPECT_TRUE(found.GuardIntact());
  }
  server.SetBehaviour(CddbTestServer::Behaviour::CloseAtOnce);
  MatchList closed;
  EXPECT_EQ(QueryCDDB(handle, &closed.list, 1, 3000), drive::kLayerSuccess);
  EXPECT_EQ(closed.list.count, 0);
}

TEST_F(LookupTest, StalledServerEndsTheQueryWithinItsTimeOut) {
  const int handle = OpenDisc(kDiscX);
  server.SetBehaviour(CddbTestServer::Behaviour::Stall);
  MatchList found;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(QueryCDDB(handle, &found.list, 1, 600), drive::kLayerSuccess);
  EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 1.5);
  EXPECT_EQ(found.list.count, 0);
  EXPECT_EQ(CurrentCDDBSettings().timeOut, 600);
}

TEST_F(LookupTest, HugeOrBrokenEntryAnswersStayInsideTheTextBuffer) {
  const int handle = OpenDisc(kDiscX);
  ini.Own("93A2C");
  MatchList found;
  QueryCDDB(handle, &found.list, 1, 3000);
  ASSERT_EQ(found.list.count, 1);

  // Cut by the reply buffer, or without lines at all: no "." line, no entry.
  server.SetCannedReply("210 rock 16037803 entry follows\r\n" + std::string(1 << 20, 'T'));
  EntryText huge(2999);
  EXPECT_EQ(ReadCDDBEntry(&found.matches[0], huge.data(), huge.size), drive::kLayerFailure);
  EXPECT_TRUE(huge.GuardIntact());

  server.SetCannedReply("210 no line end at all");
  EntryText bare(200);
  EXPECT_EQ(ReadCDDBEntry(&found.matches[0], bare.data(), bare.size), drive::kLayerFailure);
  EXPECT_TRUE(bare.GuardIntact());

  server.SetCannedReply("401 rock 16037803 No such CD entry in database.\r\n");
  EntryText missing(2999);
  EXPECT_EQ(ReadCDDBEntry(&found.matches[0], missing.data(), missing.size), drive::kLayerFailure);
}

// --- cdplayer.ini ------------------------------------------------------------------------------

namespace {

CddbMatch MatchFor(const char* idText) {
  CddbMatch match{};
  std::strcpy(match.discId, idText);
  std::strcpy(match.artist, "Stored Artist");
  std::strcpy(match.title, "Stored Title");
  return match;
}

}  // namespace

TEST(CdPlayerIni, MissingTrackKeysReadAsTheirDefaultTitles) {
  IniSections ini;
  ini.Write("7A1B0001", {{"NUMTRACKS", "3"}, {"ARTIST", "Some Artist"}, {"TITLE", "Some Title"}, {"1", "Kept"}});
  CddbMatch match = MatchFor("7A1B0001");
  EntryText entry(2999);
  ASSERT_EQ(ReadIniEntry(&match, entry.data(), entry.size), 1);
  EXPECT_EQ(entry.text(), "DTITLE=Some Artist / Some Title\r\nTTITLE0=Track 1\r\nTTITLE1=Kept\r\nTTITLE2=Track 3\r\n");
  EXPECT_STREQ(match.category, "rock");
  EXPECT_EQ(match.exact, 1);
  EXPECT_STREQ(match.artist, "Some Artist");
}

TEST(CdPlayerIni, ASectionWithoutTracksIsNoEntry) {
  IniSections ini;
  ini.Write("7A1B0002", {{"NUMTRACKS", "0"}, {"ARTIST", "A"}});
  ini.Write("7A1B0003", {{"NUMTRACKS", "-4"}});
  ini.Own("7A1B0004");
  for (const char* section : {"7A1B0002", "7A1B0003", "7A1B0004"}) {
    CddbMatch match = MatchFor(section);
    char text[64] = "untouched";
    EXPECT_EQ(ReadIniEntry(&match, text, sizeof text), 4) << section;
    EXPECT_STREQ(text, "untouched");
    EXPECT_LE(HasIniEntry(section), 0);
  }
}

TEST(CdPlayerIni, OverlongValuesAreCutToTheirFields) {
  IniSections ini;
  ini.Write("7A1B0005", {{"NUMTRACKS", "1"}, {"ARTIST", std::string(300, 'a')}, {"TITLE", std::string(300, 't')},
                         {"0", std::string(400, 's')}});
  CddbMatch match = MatchFor("7A1B0005");
  EntryText entry(2999);
  ASSERT_EQ(ReadIniEntry(&match, entry.data(), entry.size), 1);
  EXPECT_EQ(std::string(match.artist), std::string(79, 'a'));
  EXPECT_EQ(std::string(match.title), std::string(79, 't'));
  // A title longer than an entry line holds (254 characters) goes on over a line of its index.
  EXPECT_EQ(entry.text(), "DTITLE=" + std::string(255, 'a') + " / " + std::string(255, 't') + "\r\nTTITLE0=" +
                              std::string(246, 's') + "\r\nTTITLE0=" + std::string(9, 's') + "\r\n");
}

TEST(CdPlayerIni, SmallTextBuffersTakeWholeLinesAndNeverOverflow) {
  IniSections ini;
  ini.Write("7A1B0006", {{"NUMTRACKS", "4"}, {"ARTIST", "Ar"}, {"TITLE", "Ti"}});
  const std::string full = "DTITLE=Ar / Ti\r\nTTITLE0=Track 1\r\nTTITLE1=Track 2\r\nTTITLE2=Track 3\r\nTTITLE3=Track 4\r\n";
  for (int size = 1; size < 100; ++size) {
    CddbMatch match = MatchFor("7A1B0006");
    EntryText entry(size);
    ASSERT_EQ(ReadIniEntry(&match, entry.data(), size), 1);
    EXPECT_TRUE(entry.GuardIntact()) << size;
    EXPECT_LT(entry.text().size(), static_cast<std::size_t>(size));
    EXPECT_EQ(full.rfind(entry.text(), 0), 0u) << size;
  }
}

TEST(CdPlayerIni, FourDigitTrackNumbersNeverOverflowTheText) {
  IniSections ini;
  ini.Write("7A1B0007", {{"NUMTRACKS", "1200"}, {"ARTIST", "A"}, {"TITLE", "T"}});
  // Sized so that the room left for track 1000 is exactly its line's length: a fixed allowance
  // of twelve characters besides the title would let its terminating zero fall outside.
  std::size_t needed = std::string("DTITLE=A / T\r\n").size();
  for (int b = 0; b < 1000; ++b) needed += ("TTITLE" + std::to_string(b) + "=Track " + std::to_string(b + 1) + "\r\n").size();
  const std::size_t lastLine = std::string("TTITLE1000=Track 1001\r\n").size();
  for (std::size_t extra : {0, 1}) {
    const std::size_t size = needed + lastLine + extra;
    CddbMatch match = MatchFor("7A1B0007");
    EntryText entry(static_cast<int>(size));
    ASSERT_EQ(ReadIniEntry(&match, entry.data(), entry.size), 1);
    EXPECT_TRUE(entry.GuardIntact()) << size;
    EXPECT_EQ(entry.text().size(), needed + extra * lastLine) << size;
  }
}

TEST(CdPlayerIni, WriteStoresTheTrackTitlesInTextOrderWithTheOrderValueEndingInABlank) {
  IniSections ini;
  ini.Own("7A1B0008");
  RememberDiscId(0x7A1B0008, 0x7A1B1008, 10);
  std::string text = "DTITLE=Stored Artist / Stored Title\r\nTTITLE\r\nTTITLE3 no equals sign\r\n";
  for (int t = 0; t < 10; ++t) text += "TTITLE" + std::to_string(t) + "=Song " + std::to_string(t) + "\r\n";
  text += "EXTD=\r\n.\r\n";
  const CddbMatch match = MatchFor("7a1b1008");
  WriteIniEntry(&match, text.c_str());
  EXPECT_EQ(IniValue("7A1B0008", "artist"), "Stored Artist");
  EXPECT_EQ(IniValue("7A1B0008", "title"), "Stored Title");
  EXPECT_EQ(IniValue("7A1B0008", "numtracks"), "10");
  EXPECT_EQ(IniValue("7A1B0008", "9"), "Song 9");
  EXPECT_EQ(test_support::RawCdPlayerIniValue("7A1B0008", "order"), "0 1 2 3 4 5 6 7 8 9 ");
}
