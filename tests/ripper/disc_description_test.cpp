// What the ripper object says about a disc from its TOC: the audio tracks and their lengths
// with data tracks left out, the disc type table, the CD audio device's lengths and the
// clamping of 1-based selections.
#include "ripper/DiscDescription.h"

#include <windows.h>
#include <mmsystem.h>

#include <gtest/gtest.h>

namespace {

// A TOC in block addresses: tracks of these lengths from LBA 0, data tracks marked.
drive::TOCRecord Toc(const std::vector<std::pair<int, bool>>& tracks) {
    drive::TOCRecord toc{};
    toc.firstTrack = 1;
    toc.lastTrack = static_cast<std::uint8_t>(tracks.size());
    std::uint32_t start = 0;
    for (std::size_t index = 0; index <= tracks.size(); ++index) {
        drive::TOCTrack& entry = toc.tracks[index];
        entry.trackNumber = index < tracks.size() ? static_cast<std::uint8_t>(index + 1) : 0xAA;
        entry.adrControl = index < tracks.size() && tracks[index].second ? 0x14 : 0x10;
        entry.address[0] = static_cast<std::uint8_t>(start >> 24);
        entry.address[1] = static_cast<std::uint8_t>(start >> 16);
        entry.address[2] = static_cast<std::uint8_t>(start >> 8);
        entry.address[3] = static_cast<std::uint8_t>(start);
        if (index < tracks.size()) start += static_cast<std::uint32_t>(tracks[index].first);
    }
    return toc;
}

TEST(AudioTracks, DataTracksAreLeftOutAndAudioKeepsItsNumbers) {
    const auto tracks = AudioTracksOf(Toc({{100, true}, {200, false}, {300, false}, {400, true}}));
    ASSERT_EQ(tracks.size(), 2u);
    EXPECT_EQ(tracks[0].number, 2);
    EXPECT_EQ(tracks[0].start, 100u);
    EXPECT_EQ(tracks[0].frames, 200);
    EXPECT_EQ(tracks[1].number, 3);
    EXPECT_EQ(tracks[1].start, 300u);
    // The last audio track reaches to the data track's start.
    EXPECT_EQ(tracks[1].frames, 300);
}

TEST(AudioTracks, ALastTrackNumberBeyondTheRecordIsCut) {
    drive::TOCRecord toc = Toc(std::vector<std::pair<int, bool>>(99, {10, false}));
    EXPECT_EQ(AudioTracksOf(toc).size(), 99u);
    toc.lastTrack = 255;
    EXPECT_EQ(TocTrackCount(toc), 99);
    EXPECT_EQ(AudioTracksOf(toc).size(), 99u);
}

TEST(DiscType, TableByCodeAndAudioTracks) {
    struct Case {
        int code;
        int audio;
        CDDiskTypeConstants type;
    };
    const Case cases[] = {
        {0, 0, YELLOWBOOK}, {0, 3, UNRECOGNIZED}, {1, 0, REDBOOK},    {1, 50, REDBOOK},     {1, 51, BLUEBOOK},
        {2, 0, YELLOWBOOK}, {2, 3, BLUEBOOK},     {3, 0, ORANGEBOOK}, {3, 3, BLUEBOOK},     {4, 0, GREENBOOK},
        {4, 3, GREENBOOK},  {5, 0, ORANGEBOOK},   {5, 3, BLUEBOOK},   {6, 3, UNRECOGNIZED}, {-1, 0, UNRECOGNIZED},
    };
    for (const Case& c : cases) EXPECT_EQ(DiscTypeOf(c.code, c.audio).type, c.type) << c.code << " " << c.audio;
    EXPECT_STREQ(DiscTypeOf(7, 1).logText, "UNRECOGNIZED <default>");
    EXPECT_STREQ(DiscTypeOf(1, 60).logText, "BLUEBOOK");
}

TEST(MciLength, WholeSecondsAsFramesFramesDropped) {
    EXPECT_EQ(FramesOfMciLength(MCI_MAKE_MSF(3, 25, 74)), (3 * 60 + 25) * 75);
    EXPECT_EQ(FramesOfMciLength(0), 0);
}

TEST(Selection, ClampedToOneToCount) {
    EXPECT_EQ(ClampSelection(0, 3), 1);
    EXPECT_EQ(ClampSelection(-5, 3), 1);
    EXPECT_EQ(ClampSelection(4, 3), 3);
    EXPECT_EQ(ClampSelection(2, 3), 2);
    EXPECT_EQ(ClampSelection(5, 0), 1);
}

}  // namespace
