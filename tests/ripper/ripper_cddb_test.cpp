// The CDDB settings and look-ups through the COM interface, against a CDDB server on loopback
// that records every request, and cdplayer.ini in the prefix's Windows folder: the order in
// which the sources are asked, the titles an entry gives each track, the result properties, the
// query status events, what the settings do to the requests, and what refuses a look-up.
#include "CddbLookupTest.h"

#include "com/Apartment.h"
#include "com/Marshal.h"

#include <functional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace {

// Thirteen tracks, known to the server only (misc 96072d0d); cdplayer.ini section B03264.
const std::initializer_list<const char*> kRooms = {
    "audio 10000", "audio 10100", "audio 10200", "audio 10300", "audio 10400", "audio 10500", "audio 10600",
    "audio 10700", "audio 10800", "audio 10900", "audio 11000", "audio 11100", "audio 11200"};
constexpr char kRoomsSection[] = "B03264";
// Two tracks, known to cdplayer.ini only, in section 41E32.
const std::initializer_list<const char*> kPair = {"audio 20000", "audio 30000"};
constexpr char kPairSection[] = "41E32";

}  // namespace

TEST_F(Cddb, AllFindsADiscCdPlayerIniKnowsWithoutAskingTheServer) {
    IniSection section(kPairSection);
    section.write("ARTIST", "Harbour Lights");
    section.write("TITLE", "Two Piers");
    section.write("NUMTRACKS", "2");
    section.write("0", "North Pier");
    section.write("1", "South Pier");
    OpenDisc(kPair);

    EXPECT_TRUE(LookUp(ALL));
    EXPECT_TRUE(server_.Requests().empty());
    EXPECT_EQ(QueryStatuses(), (std::vector<LONG>{QUERY, PROCESSANSWER}));
    EXPECT_EQ(ripper_->count(kErrorEvent), 0);
    EXPECT_EQ(Text(&IAudioCDRipper::get_cddbInfoArtist), "Harbour Lights");
    EXPECT_EQ(Text(&IAudioCDRipper::get_cddbInfoAlbum), "Two Piers");
    EXPECT_EQ(Text(&IAudioCDRipper::get_cddbInfoGenre), "rock");
    EXPECT_EQ(TitleOf(1), "North Pier");
    EXPECT_EQ(TitleOf(2), "South Pier");
}

TEST_F(Cddb, AllAsksTheServerOnlyWhenCdPlayerIniDoesNotKnowTheDisc) {
    IniSection section(kRoomsSection);
    OpenDisc(kRooms);

    EXPECT_TRUE(LookUp(ALL));
    EXPECT_EQ(QueryStatuses(), (std::vector<LONG>{QUERY, QUERY, PROCESSANSWER}));
    const std::vector<std::string> requests = server_.Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_NE(requests[0].find("cmd=cddb+query+96072d0d+13+"), std::string::npos) << requests[0];
    EXPECT_NE(requests[1].find("cmd=cddb+read+misc+96072d0d"), std::string::npos) << requests[1];
    EXPECT_EQ(Text(&IAudioCDRipper::get_cddbInfoArtist), "Ninth Hour");
    EXPECT_EQ(Text(&IAudioCDRipper::get_cddbInfoAlbum), "Thirteen Rooms");
    EXPECT_EQ(Text(&IAudioCDRipper::get_cddbInfoGenre), "misc");
    // Written back, the entry is found in cdplayer.ini the next time.
    EXPECT_EQ(section.read("title"), "Thirteen Rooms");
    ripper_->clearEvents();
    EXPECT_TRUE(LookUp(ALL));
    EXPECT_EQ(server_.Requests().size(), 2u);
    EXPECT_EQ(QueryStatuses(), (std::vector<LONG>{QUERY, PROCESSANSWER}));
}

TEST_F(Cddb, RepeatedTitleLinesJoinAndEveryIndexReachesItsTrack) {
    IniSection section(kRoomsSection);
    OpenDisc(kRooms);
    ASSERT_TRUE(LookUp(ONLINEDATABASE));
    EXPECT_EQ(TitleOf(1), "AB");
    EXPECT_EQ(TitleOf(2), "Hall");
    EXPECT_EQ(TitleOf(6), "");
    EXPECT_EQ(TitleOf(7), "Study");
    EXPECT_EQ(TitleOf(13), "The Thirteenth Room");
}

TEST_F(Cddb, AFailedLookUpEmptiesTheEarlierResult) {
    IniSection section(kRoomsSection);
    OpenDisc(kRooms);
    ASSERT_TRUE(LookUp(ONLINEDATABASE));
    ASSERT_EQ(Text(&IAudioCDRipper::get_cddbInfoArtist), "Ninth Hour");
    ripper_->clearEvents();

    server_.SetBehaviour(CddbTestServer::Behaviour::CloseAtOnce);
    EXPECT_FALSE(LookUp(ONLINEDATABASE));
    // A look-up that finds nothing is no error.
    EXPECT_EQ(ripper_->count(kErrorEvent), 0);
    EXPECT_EQ(QueryStatuses(), (std::vector<LONG>{QUERY}));
    EXPECT_EQ(Text(&IAudioCDRipper::get_cddbInfoArtist), "");
    EXPECT_EQ(Text(&IAudioCDRipper::get_cddbInfoAlbum), "");
    EXPECT_EQ(Text(&IAudioCDRipper::get_cddbInfoGenre), "");
    EXPECT_EQ(TitleOf(2), "");
}

TEST_F(Cddb, EntriesCutShortAreAFailedLookUp) {
    IniSection section(kRoomsSection);
    OpenDisc(kRooms);
    const std::string cut = "210 misc 96072d0d CD database entry follows (until terminating `.')\r\n"
                            "DTITLE=Ninth Hour / Thirteen Rooms\r\nTTITLE0=A\r\nTTITLE1=Hall\r\n";
    // Closed by the server without the "." line, and reset by it after the same lines.
    for (bool reset : {false, true}) {
        server_.SetReadReply(cut, reset);
        EXPECT_FALSE(LookUp(ONLINEDATABASE)) << reset;
        EXPECT_EQ(Text(&IAudioCDRipper::get_cddbInfoArtist), "");
        EXPECT_EQ(TitleOf(2), "");
    }
    EXPECT_EQ(ripper_->count(kErrorEvent), 0);
    EXPECT_EQ(section.read("title"), "<none>") << "nothing written back";
    // The same lines with their "." are an entry.
    server_.SetReadReply(cut + ".\r\n");
    EXPECT_TRUE(LookUp(ONLINEDATABASE));
    EXPECT_EQ(TitleOf(2), "Hall");
}

TEST_F(Cddb, ServerTextStaysTextInTheTitlesAndInCdPlayerIni) {
    IniSection section(kRoomsSection);
    IniSection injected("INJECTED");
    OpenDisc(kRooms);
    server_.SetReadReply("210 misc 96072d0d CD database entry follows (until terminating `.')\r\n"
                         "DTITLE=Ninth Hour / Thirteen Rooms\r\n"
                         "TTITLE0=Room\n[INJECTED]\nnumtracks=5\n0=pwned\r\n"
                         "TTITLE]x[=y\r\nTTITLE123=Far\r\nTTITLE12=Thirteenth\r\nTTITLE12 =x\r\n"
                         "TTITLE13=Beyond the disc\r\nTTITLE01=Hall\ttabbed\r\n.\r\n");
    ASSERT_TRUE(LookUp(ONLINEDATABASE));
    EXPECT_EQ(TitleOf(1), "Room [INJECTED] numtracks=5 0=pwned");
    EXPECT_EQ(TitleOf(2), "Hall tabbed");
    EXPECT_EQ(TitleOf(13), "Thirteenth");
    EXPECT_EQ(section.read("0"), "Room [INJECTED] numtracks=5 0=pwned");
    EXPECT_EQ(section.read("1"), "Hall tabbed");
    EXPECT_EQ(section.read("12"), "Thirteenth");
    EXPECT_EQ(section.read("numtracks"), "13");
    for (const char* key : {"]x[", "123", "13", "01"}) EXPECT_EQ(section.read(key), "<none>") << key;
    EXPECT_EQ(section.read("order"), "0 12 1");  // read without its last blank
    EXPECT_EQ(injected.read("numtracks"), "<none>");
    EXPECT_EQ(injected.read("0"), "<none>");
}

TEST_F(Cddb, EachSingleSourceIsAskedAlone) {
    IniSection section(kRoomsSection);
    OpenDisc(kRooms);
    EXPECT_FALSE(LookUp(CDPLAYERINI));
    // An unknown source asks cdplayer.ini.
    EXPECT_FALSE(LookUp(static_cast<CDDBSourceConstants>(9)));
    EXPECT_TRUE(server_.Requests().empty());
    EXPECT_EQ(QueryStatuses(), (std::vector<LONG>{QUERY, QUERY}));
    EXPECT_EQ(Text(&IAudioCDRipper::get_cddbInfoArtist), "");
}

TEST_F(Cddb, SettingsStartAtTheirDefaultsAndReadBackWhatWasPut) {
    UseDisc(kPair);
    ASSERT_EQ(ripper()->DriverOpen(), S_OK);
    EXPECT_EQ(Text(&IAudioCDRipper::get_cddbServerAddress), "gnudb.gnudb.org");
    EXPECT_EQ(Text(&IAudioCDRipper::get_cddbCGIScript), "/~cddb/cddb.cgi");
    EXPECT_EQ(Text(&IAudioCDRipper::get_cddbAgentName), "ZEVDiscRipper 1.5");
    EXPECT_EQ(Text(&IAudioCDRipper::get_cddbUserEMail), "user@localhost");
    EXPECT_EQ(Long(&IAudioCDRipper::get_cddbServerHTTPPort), 80);
    EXPECT_EQ(Long(&IAudioCDRipper::get_cddbTimeOut), 4000);

    ASSERT_EQ(ripper()->put_cddbTimeOut(0), S_OK);
    EXPECT_EQ(Long(&IAudioCDRipper::get_cddbTimeOut), 0);
    ASSERT_EQ(ripper()->put_cddbTimeOut(-1), S_OK);
    EXPECT_EQ(ripper_->errors(), std::vector<LONG>{INVALID_PARAM});
    EXPECT_EQ(Long(&IAudioCDRipper::get_cddbTimeOut), 0);
    ASSERT_EQ(ripper()->put_cddbServerHTTPPort(-8), S_OK);
    EXPECT_EQ(Long(&IAudioCDRipper::get_cddbServerHTTPPort), -8);

    // A text longer than its field is cut to the field's 80 characters.
    const std::wstring longName(100, L'n');
    for (auto [put, get] : {std::pair{&IAudioCDRipper::put_cddbServerAddress, &IAudioCDRipper::get_cddbServerAddress},
                            std::pair{&IAudioCDRipper::put_cddbAgentName, &IAudioCDRipper::get_cddbAgentName},
                            std::pair{&IAudioCDRipper::put_cddbUserEMail, &IAudioCDRipper::get_cddbUserEMail},
                            std::pair{&IAudioCDRipper::put_cddbCGIScript, &IAudioCDRipper::get_cddbCGIScript}}) {
        ASSERT_EQ((ripper()->*put)(com::bstr(longName).get()), S_OK);
        EXPECT_EQ(Text(get), std::string(80, 'n'));
        ASSERT_EQ((ripper()->*put)(nullptr), S_OK);
        EXPECT_EQ(Text(get), "");
    }
    EXPECT_EQ(ripper_->errors(), std::vector<LONG>{INVALID_PARAM});
}

TEST_F(Cddb, TheSettingsAreWhatTheRequestsUse) {
    IniSection section(kRoomsSection);
    OpenDisc(kRooms);
    ASSERT_EQ(ripper()->put_cddbUserEMail(com::bstr(L"tester@example.org").get()), S_OK);
    ASSERT_EQ(ripper()->put_cddbAgentName(com::bstr(L"Rooms Test 2.0").get()), S_OK);
    ASSERT_EQ(ripper()->put_cddbCGIScript(com::bstr(L"/cgi-bin/" + std::wstring(90, L'c')).get()), S_OK);
    ASSERT_TRUE(LookUp(ONLINEDATABASE));
    const std::vector<std::string> requests = server_.Requests();
    ASSERT_FALSE(requests.empty());
    const std::string requestLine = requests[0].substr(0, requests[0].find("\r\n"));
    // The object keeps 80 characters of the path, the drive layer's requests 79.
    EXPECT_EQ(requestLine, "POST http://127.0.0.1/cgi-bin/" + std::string(70, 'c') + " HTTP/1.0");
    EXPECT_NE(requests[0].find("&hello=tester+example.org+Rooms+Test+2.0&proto=3"), std::string::npos) << requests[0];
}

TEST_F(Cddb, ResultsAreEmptyUntilALookUpSucceeds) {
    OpenDisc(kPair);
    for (auto getter : {&IAudioCDRipper::get_cddbInfoArtist, &IAudioCDRipper::get_cddbInfoAlbum,
                        &IAudioCDRipper::get_cddbInfoGenre, &IAudioCDRipper::get_cddbInfoTitle}) {
        EXPECT_EQ(Text(getter), "");
    }
    EXPECT_TRUE(ripper_->events().empty());
}

TEST_F(Cddb, WithoutTransportOrOpenDriveTheLookUpIsRefused) {
    UseDisc(kRooms);
    EXPECT_FALSE(LookUp(ALL));
    ASSERT_EQ(ripper()->DriverOpen(), S_OK);
    EXPECT_FALSE(LookUp(ONLINEDATABASE));
    EXPECT_EQ(ripper_->errors(), (std::vector<LONG>{ASPI_DRIVER, DRIVE_BUSY}));
    EXPECT_EQ(QueryStatuses(), std::vector<LONG>{});
    EXPECT_TRUE(server_.Requests().empty());
}

TEST_F(Cddb, AfterAMediaChangeTheLookUpAndTheSettingsAreRefusedUntilRefresh) {
    OpenDisc(kRooms);
    PutDisc("none");
    ASSERT_TRUE(WaitForMediaChanges(1));
    ripper_->clearEvents();

    EXPECT_FALSE(LookUp(ONLINEDATABASE));
    constexpr LONG kUnwritten = -12345;
    for (auto getter : {&IAudioCDRipper::get_cddbTimeOut, &IAudioCDRipper::get_cddbServerHTTPPort}) {
        EXPECT_EQ(Long(getter), kUnwritten);
    }
    for (auto getter : {&IAudioCDRipper::get_cddbServerAddress, &IAudioCDRipper::get_cddbAgentName,
                        &IAudioCDRipper::get_cddbUserEMail, &IAudioCDRipper::get_cddbCGIScript,
                        &IAudioCDRipper::get_cddbInfoArtist, &IAudioCDRipper::get_cddbInfoAlbum,
                        &IAudioCDRipper::get_cddbInfoGenre, &IAudioCDRipper::get_cddbInfoTitle}) {
        BSTR text = reinterpret_cast<BSTR>(1);
        EXPECT_EQ((ripper()->*getter)(&text), S_OK);
        EXPECT_EQ(text, reinterpret_cast<BSTR>(1));
    }
    EXPECT_EQ(ripper()->put_cddbTimeOut(100), S_OK);
    EXPECT_EQ(ripper()->put_cddbServerHTTPPort(81), S_OK);
    EXPECT_EQ(ripper()->put_cddbServerAddress(com::bstr(L"elsewhere").get()), S_OK);
    EXPECT_EQ(ripper_->errors(), std::vector<LONG>(14, MEDIA_CHANGED));
    EXPECT_TRUE(QueryStatuses().empty());

    PutDisc("album");
    ASSERT_EQ(ripper()->Refresh(), S_OK);
    EXPECT_EQ(Long(&IAudioCDRipper::get_cddbTimeOut), 3000);
    EXPECT_EQ(Text(&IAudioCDRipper::get_cddbServerAddress), "127.0.0.1");
}

namespace {

// A look-up during which the object is called from another thread, as a client's other thread
// or a device change does, while the server has the query and keeps its answer back.
class CddbDiscChange : public Cddb {
protected:
    // Drive 0:1:0 holds the thirteen rooms, drive 0:2:0 the pair; the disc "data" has a data
    // track only.
    void OpenTwoDrives() {
        simdrive::ConfigText config = Config();
        config.Drive("0:1:0").Key("disc", "album").Drive("0:2:0").Key("disc", "pair").Disc("album");
        for (const char* track : kRooms) config.Track(track);
        config.Disc("pair");
        for (const char* track : kPair) config.Track(track);
        config.Disc("data").Track("mode1 2:00");
        Use(config);
        Connect();
    }
    // Runs `change` on a thread of its own, through the object's interface marshalled for it,
    // once the server has heard the look-up's query; the look-up's result.
    bool LookUpWhile(const std::function<void(IAudioCDRipper& proxy)>& change) {
        com::marshalled<IAudioCDRipper> handOver;
        EXPECT_EQ(handOver.marshal(ripper()), S_OK);
        const std::size_t heard = server_.Requests().size();
        server_.HoldAnswers(true);
        std::thread other([&] {
            com::apartment apartment(COINIT_MULTITHREADED);
            com::ptr<IAudioCDRipper> proxy;
            if (SUCCEEDED(handOver.unmarshal(proxy)) && server_.WaitForRequests(heard + 1)) change(*proxy.get());
            server_.HoldAnswers(false);
        });
        const bool found = LookUp(ONLINEDATABASE);
        other.join();
        return found;
    }
};

}  // namespace

TEST_F(CddbDiscChange, AnAnswerForADiscOrDriveReadAgainMeanwhileIsDroppedAndNotStored) {
    const std::vector<std::pair<const char*, std::function<void(IAudioCDRipper&)>>> changes{
        {"another disc", [&](IAudioCDRipper& proxy) {
             PutDisc("pair");
             proxy.Refresh();
         }},
        {"the same disc", [](IAudioCDRipper& proxy) { proxy.Refresh(); }},
        {"another drive", [](IAudioCDRipper& proxy) { proxy.put_driveNum(2); }},
    };
    OpenTwoDrives();
    for (const auto& [name, change] : changes) {
        PutDisc("album");
        ASSERT_EQ(ripper()->put_driveNum(1), S_OK);
        ASSERT_EQ(ripper()->Refresh(), S_OK);
        IniSection section(kRoomsSection);
        const std::size_t asked = server_.Requests().size();
        EXPECT_FALSE(LookUpWhile(change)) << name;
        EXPECT_EQ(server_.Requests().size(), asked + 2) << name;  // the answer came, and was dropped
        EXPECT_EQ(Text(&IAudioCDRipper::get_cddbInfoAlbum), "") << name;
        EXPECT_EQ(section.read("title"), "<none>") << name;
    }
    // Untouched, the same look-up keeps its answer.
    PutDisc("album");
    ASSERT_EQ(ripper()->put_driveNum(1), S_OK);
    ASSERT_EQ(ripper()->Refresh(), S_OK);
    IniSection section(kRoomsSection);
    EXPECT_TRUE(LookUpWhile([](IAudioCDRipper&) {}));
    EXPECT_EQ(Text(&IAudioCDRipper::get_cddbInfoAlbum), "Thirteen Rooms");
    EXPECT_EQ(section.read("title"), "Thirteen Rooms");
}

TEST_F(CddbDiscChange, TheTitlesFoundStayWithTheirDiscAcrossRefreshes) {
    OpenTwoDrives();
    IniSection section(kRoomsSection);
    ASSERT_EQ(ripper()->put_driveNum(1), S_OK);
    ASSERT_EQ(ripper()->Refresh(), S_OK);
    ASSERT_TRUE(LookUp(ONLINEDATABASE));
    ASSERT_EQ(ripper()->Refresh(), S_OK);
    EXPECT_EQ(Text(&IAudioCDRipper::get_cddbInfoAlbum), "Thirteen Rooms");
    ASSERT_EQ(ripper()->put_driveNum(2), S_OK);
    ASSERT_EQ(ripper()->Refresh(), S_OK);
    EXPECT_EQ(Text(&IAudioCDRipper::get_cddbInfoAlbum), "");
    EXPECT_EQ(TitleOf(1), "");
}

TEST_F(CddbDiscChange, AnEmptyDriveOrADataDiscIsNotLookedUp) {
    IniSection zeroKey("0");
    OpenTwoDrives();
    for (const char* disc : {"none", "data"}) {
        ripper_->clearEvents();
        PutDisc(disc);
        ASSERT_TRUE(WaitForMediaChanges(1)) << disc;
        ASSERT_EQ(ripper()->Refresh(), S_OK);
        // As the window reads a drive: the read type put after Refresh opens the drive again.
        ASSERT_EQ(ripper()->put_driveReadType(CDRT_ANY), S_OK);
        ripper_->clearEvents();
        EXPECT_FALSE(LookUp(ALL)) << disc;
        EXPECT_TRUE(ripper_->errors().empty()) << disc;
    }
    EXPECT_TRUE(server_.Requests().empty()) << server_.Requests().front();
    EXPECT_EQ(zeroKey.read("numtracks"), "<none>");
}
