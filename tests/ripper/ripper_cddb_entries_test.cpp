// Look-ups of entries as real servers send them, through the COM interface against a CDDB
// server on loopback: entries of every real size with notes, per-track notes and titles
// continued over several lines, kept whole in cdplayer.ini and read back from it; a list of inexact matches longer than any small buffer; answers
// up to the bound taken and past it refused in time; and a rip that keeps its pace while a
// look-up waits on a server that keeps silent.
#include "CddbLookupTest.h"

#include <chrono>
#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

namespace {

// A disc and its entry, shaped as real entries are: the xmcd header with the track offsets,
// the disc length and the revision, DISCID, DTITLE, DYEAR, DGENRE, one TTITLE per track (a
// title longer than `lineRoom` continued on lines of the same index), EXTD notes over several
// lines, one EXTT per track, PLAYORDER and, on the wire, the "." line.
struct Disc {
    const char* name;
    std::vector<int> frames;
    std::size_t titleLength;
    std::size_t lineRoom;
    int noteLines;
    const char* trackNote;
    bool lateContinuation = false;  // the first title's last line comes after every other title

    std::string Id() const {
        char id[12];
        std::snprintf(id, sizeof id, "%08x", static_cast<unsigned>(DiscIdOf(frames)));
        return id;
    }
    std::vector<std::string> Titles() const {
        static const std::string words = "Andante sostenuto e molto cantabile, Allegro con brio, Night Train Blues "
                                         "(live at the Harbour Hall), Variations on a Folk Song, ";
        std::vector<std::string> titles;
        for (std::size_t k = 0; k < frames.size(); ++k) {
            std::string title = std::to_string(k + 1) + ". ";
            for (std::size_t at = k * 9; title.size() < titleLength; ++at) title += words[at % words.size()];
            titles.push_back(title);
        }
        return titles;
    }
    // cdplayer.ini's "order": every track once, each number followed by a blank.
    std::string Order() const {
        std::string order;
        for (std::size_t k = 0; k < frames.size(); ++k) order += std::to_string(k) + " ";
        return order;
    }
    std::string Entry() const {
        std::string text = "# xmcd\r\n#\r\n# Track frame offsets:\r\n";
        int offset = 150;
        for (int length : frames) text += "#\t" + std::to_string(offset) + "\r\n", offset += length;
        text += "#\r\n# Disc length: " + std::to_string(offset / 75) + " seconds\r\n#\r\n# Revision: 3\r\n" +
                "# Submitted via: talvo-tests 1.0\r\n#\r\nDISCID=" + Id() + "\r\nDTITLE=Various Hands / " + name +
                "\r\nDYEAR=1998\r\nDGENRE=Misc\r\n";
        const std::vector<std::string> titles = Titles();
        std::string late;
        for (std::size_t k = 0; k < titles.size(); ++k) {
            const std::string key = "TTITLE" + std::to_string(k) + "=";
            for (std::size_t at = 0; at < titles[k].size(); at += lineRoom) {
                const std::string line = key + titles[k].substr(at, lineRoom) + "\r\n";
                (k == 0 && lateContinuation && at + lineRoom >= titles[k].size() && at > 0 ? late : text) += line;
            }
        }
        text += late;
        for (int n = 0; n < noteLines; ++n) text += "EXTD=Recorded over three nights in the old hall, mixed to tape. \\n\r\n";
        for (std::size_t k = 0; k < frames.size(); ++k) text += "EXTT" + std::to_string(k) + "=" + trackNote + "\r\n";
        return text + "PLAYORDER=\r\n";
    }
    std::string ReadReply() const {
        return "210 misc " + Id() + " CD database entry follows (until terminating `.')\r\n" + Entry() + ".\r\n";
    }
};

void PrintTo(const Disc& disc, std::ostream* out) { *out << disc.name; }

class CddbEntries : public Cddb {
protected:
    // The disc in the drive, and the server's answers to its query and read.
    void Serve(const Disc& disc) {
        OpenDisc(disc.frames);
        server_.SetQueryReply("200 misc " + disc.Id() + " Various Hands / " + disc.name + "\r\n");
        server_.SetReadReply(disc.ReadReply());
    }
    void ExpectEveryTitle(const Disc& disc) {
        const std::vector<std::string> titles = disc.Titles();
        for (std::size_t k = 0; k < titles.size(); ++k) EXPECT_EQ(TitleOf(static_cast<LONG>(k + 1)), titles[k]) << k;
    }
};

class RealSizes : public CddbEntries, public ::testing::WithParamInterface<Disc> {};

TEST_P(RealSizes, EveryTrackHasItsTitleAndCdPlayerIniGivesThemBackWhole) {
    const Disc& disc = GetParam();
    IniSection section(IniSectionOf(disc.frames));
    Serve(disc);
    ASSERT_TRUE(LookUp(ONLINEDATABASE)) << disc.Entry().size() << " bytes";
    EXPECT_EQ(Text(&IAudioCDRipper::get_cddbInfoArtist), "Various Hands");
    EXPECT_EQ(Text(&IAudioCDRipper::get_cddbInfoAlbum), disc.name);
    EXPECT_EQ(Text(&IAudioCDRipper::get_cddbInfoGenre), "misc");
    ExpectEveryTitle(disc);
    EXPECT_EQ(section.read("numtracks"), std::to_string(disc.frames.size()));
    EXPECT_EQ(section.raw("order"), disc.Order());

    // Off-line the disc reads as it did on-line, without the server.
    const std::size_t asked = server_.Requests().size();
    ASSERT_TRUE(LookUp(CDPLAYERINI));
    EXPECT_EQ(server_.Requests().size(), asked);
    EXPECT_EQ(Text(&IAudioCDRipper::get_cddbInfoArtist), "Various Hands");
    EXPECT_EQ(Text(&IAudioCDRipper::get_cddbInfoAlbum), disc.name);
    ExpectEveryTitle(disc);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, RealSizes,
    ::testing::Values(Disc{"Album", std::vector<int>(12, 15000), 18, 200, 2, ""},                         // 1 KB
                      Disc{"Compilation", std::vector<int>(22, 15000), 60, 200, 4,
                           "Remastered 1997 from the original mono tapes"},                            // 3 KB
                      Disc{"Classical", std::vector<int>(30, 9000), 112, 60, 6, ""},                         // 5 KB
                      Disc{"Opera", std::vector<int>(30, 9500), 200, 240, 2, ""},  // titles of 200 on one line
                      Disc{"Sampler", std::vector<int>(99, 600), 70, 50, 3, "Take 2", true}),              // 10 KB
    [](const auto& info) { return std::string(info.param.name); });

const Disc kSampler{"Sampler", std::vector<int>(99, 600), 40, 200, 0, ""};

TEST_F(CddbEntries, AListOfFortyInexactMatchesGivesTheFirstMatchsEntry) {
    IniSection section(IniSectionOf(kSampler.frames));
    Serve(kSampler);
    std::string list = "211 Found inexact matches, list follows (until terminating `.')\r\n";
    for (int n = 0; n < 40; ++n) {
        char id[12];
        std::snprintf(id, sizeof id, "%08x", static_cast<unsigned>(DiscIdOf(kSampler.frames)) + n);
        list += std::string(n % 2 ? "rock " : "misc ") + id + " The Harbour Hall Radio Orchestra / Sessions " +
                std::to_string(n + 1) + "\r\n";
    }
    server_.SetQueryReply(list + ".\r\n");
    ASSERT_TRUE(LookUp(ONLINEDATABASE)) << list.size() << " bytes of matches";
    EXPECT_EQ(Text(&IAudioCDRipper::get_cddbInfoAlbum), "Sessions 1");
    EXPECT_NE(server_.Requests().back().find("cmd=cddb+read+misc+" + kSampler.Id() + "&"), std::string::npos);
    ExpectEveryTitle(kSampler);
}

// The disc's names as servers write them in the query's answer (the entry's DTITLE): slashes
// inside a name, no separator at all, the blanks around it missing, a line past 79 characters;
// an exact match and a list of inexact ones read them alike, and cdplayer.ini gives them back.
TEST_F(CddbEntries, TheDiscsNamesAreSplitAtTheirSeparatorOnLineAndOffLine) {
    struct Names {
        const char* discTitle;
        const char* artist;
        const char* album;
    };
    const Names names[] = {
        {"AC/DC / Back in Black", "AC/DC", "Back in Black"},
        {"Artist / Part 1/2", "Artist", "Part 1/2"},
        {"Greatest Hits", "Greatest Hits", "Greatest Hits"},
        {"Artist/Title", "Artist", "Title"},
        {"Philharmonic Orchestra of the North; Conductor Name / The Complete Symphonies, Disc 3",
         "Philharmonic Orchestra of the North; Conductor Name", "The Complete Symphonies, Disc 3"},
    };
    Disc disc = kSampler;
    disc.frames.resize(12);
    OpenDisc(disc.frames);
    for (const bool exact : {true, false}) {
        for (const Names& name : names) {
            SCOPED_TRACE(std::string(exact ? "200 " : "211 ") + name.discTitle);
            IniSection section(IniSectionOf(disc.frames));
            const std::string match = "classical " + disc.Id() + " " + name.discTitle + "\r\n";
            server_.SetQueryReply(exact ? "200 " + match : "211 Found inexact matches\r\n" + match + ".\r\n");
            std::string entry = disc.ReadReply();
            entry.replace(entry.find("Various Hands / Sampler"), 23, name.discTitle);
            server_.SetReadReply(entry);
            for (const CDDBSourceConstants source : {ONLINEDATABASE, CDPLAYERINI}) {
                EXPECT_TRUE(LookUp(source)) << source;
                EXPECT_EQ(Text(&IAudioCDRipper::get_cddbInfoArtist), name.artist) << source;
                EXPECT_EQ(Text(&IAudioCDRipper::get_cddbInfoAlbum), name.album) << source;
                EXPECT_EQ(TitleOf(12), disc.Titles()[11]) << source;
            }
            EXPECT_EQ(section.read("artist"), name.artist);
            EXPECT_EQ(section.read("title"), name.album);
        }
    }
}

TEST_F(CddbEntries, AnEntryUpToTheBoundIsReadWholeAndAnAnswerPastItFailsWithinTheTimeOut) {
    IniSection section(IniSectionOf(kSampler.frames));
    Disc notes = kSampler;
    notes.noteLines = 3000;  // about 200 KB
    Serve(notes);
    ASSERT_TRUE(LookUp(ONLINEDATABASE));
    ExpectEveryTitle(notes);

    notes.noteLines = 4000;  // past 256 KB
    server_.SetReadReply(notes.ReadReply());
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(LookUp(ONLINEDATABASE));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(Long(&IAudioCDRipper::get_cddbTimeOut)));
    EXPECT_EQ(Text(&IAudioCDRipper::get_cddbInfoArtist), "");
}

TEST_F(CddbEntries, ARipKeepsItsPaceWhileALookUpWaitsOnASilentServer) {
    OpenDisc(std::vector<int>{3000});
    // 86 ms a block, a RipProgress about every 100 ms, for some ten seconds.
    ASSERT_EQ(ripper()->put_ripModePreset(BURST), S_OK);
    ASSERT_EQ(ripper()->put_driveSpeed(4), S_OK);
    ASSERT_EQ(ripper()->put_driveSpinUpTime(0), S_OK);
    ASSERT_EQ(ripper()->put_cddbTimeOut(1500), S_OK);  // about a second of waiting for the answer
    server_.SetBehaviour(CddbTestServer::Behaviour::Stall);
    ASSERT_EQ(ripper()->RipTrackToWav(com::bstr::from_ansi(ScratchFolder() + "paced").get()), S_OK);
    ASSERT_TRUE(ripper_->pumpUntil([&] { return ripper_->count(kRipProgressEvent) >= 3; }, kEventDue));

    const int heard = ripper_->count(kRipProgressEvent);
    EXPECT_FALSE(LookUp(ONLINEDATABASE));
    // The sink heard them while the look-up waited: none had come if the rip had stood still.
    EXPECT_GE(ripper_->count(kRipProgressEvent) - heard, 4);

    ASSERT_EQ(ripper()->StopRip(), S_OK);
    EXPECT_TRUE(ripper_->pumpUntil(
        [&] {
            const RipperEvent& last = ripper_->events().back();
            return last.id == kRipProgressEvent && last.argument == 100;
        },
        kEventDue));
    EXPECT_TRUE(ripper_->errors().empty());
}

}  // namespace
