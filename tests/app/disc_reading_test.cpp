// The main window's three disc steps through the real ripper on simulated drives: discs of
// 0, 1, 10 and 99 tracks, two drives, no drive, data and mixed discs, and a ripper that was
// never opened, whose getters all fail.
#include "DiscReading.h"
#include "TextRoutines.h"

#include "RipperTest.h"

#include <gtest/gtest.h>

using namespace app;

namespace {

class DiscReading : public RipperTest {
 protected:
  // A drive holding a disc of `count` audio tracks of 1:00.
  void UseAudioTracks(int count) {
    // The drive layer is one per process: the ripper before lets it go first.
    if (ripper_) (*ripper_)->DriverClose();
    ripper_.reset();
    simdrive::ConfigText config = Config();
    config.Drive("0:1:0").Key("vendor", "TALVO").Key("product", "SIMDRIVE CD-ROM").Key("disc", count ? "album" : "none");
    if (count) config.Disc("album");
    for (int t = 0; t < count; ++t) config.Track("audio 1:00");
    Use(config);
    ASSERT_EQ((*ripper_)->DriverOpen(), S_OK);
  }
  IAudioCDRipper& Ripper() { return *ripper_->get(); }
  TrackLists lists_;
};

}  // namespace

TEST_F(DiscReading, DiscsOfZeroOneTenAndNinetyNineTracks) {
  for (int count : {0, 1, 10, 99}) {
    UseAudioTracks(count);
    const DriveAndDisc read = ReadDriveAndDisc(Ripper(), 0);
    // The ripper takes a disc of more than 50 tracks for an enhanced one.
    EXPECT_EQ(read.discType, count == 0 ? "No Disk" : count > 50 ? "CD-Extra" : "CD-DA (Audio Disc)") << count;
    ASSERT_EQ(read.drives.size(), 1u);
    EXPECT_NE(read.drives[0].find("TALVO"), std::string::npos) << read.drives[0];
    ReadTrackLists(Ripper(), 1, lists_);
    ASSERT_EQ(lists_.Count(), static_cast<std::size_t>(count));
    for (auto* list : {&lists_.TrackDurations, &lists_.TrackAlbums, &lists_.TrackArtists, &lists_.TrackYears,
                       &lists_.TrackGenres})
      EXPECT_EQ(list->size(), lists_.Count());
    const std::vector<TrackRow> rows = TrackRows(lists_);
    ASSERT_EQ(rows.size(), lists_.Count());
    if (count == 0) continue;
    EXPECT_EQ(rows.front().number, "01");
    EXPECT_EQ(rows.front().title, "Track 01");
    EXPECT_EQ(rows.front().duration, "01:00");
    EXPECT_EQ(rows.back().number, TwoDigits(count));
    EXPECT_EQ(lists_.TrackAlbums.back(), "Unknown");
    EXPECT_EQ(lists_.TrackArtists.back(), "Unknown");
    EXPECT_EQ(lists_.TrackYears.back(), "2003");
    EXPECT_EQ(lists_.TrackGenres.back(), "1");
  }
}

TEST_F(DiscReading, TheChosenOfTwoDrivesIsReadWithItsOwnDiscType) {
  simdrive::ConfigText config = Config();
  config.Drive("0:1:0").Key("product", "FIRST DRIVE").Key("disc", "audio");
  config.Drive("0:2:0").Key("product", "SECOND DRIVE").Key("disc", "data");
  config.Disc("audio").Track("audio 2:00").Track("audio 3:00").Track("audio 4:00");
  config.Disc("data").Track("mode1 20:00");
  Use(config);
  ASSERT_EQ((*ripper_)->DriverOpen(), S_OK);

  DriveAndDisc read = ReadDriveAndDisc(Ripper(), 0);
  ASSERT_EQ(read.drives.size(), 2u);
  EXPECT_NE(read.drives[0].find("FIRST DRIVE"), std::string::npos);
  EXPECT_NE(read.drives[1].find("SECOND DRIVE"), std::string::npos);
  EXPECT_EQ(read.discType, "CD-DA (Audio Disc)");

  read = ReadDriveAndDisc(Ripper(), 2);
  EXPECT_EQ(read.discType, "Data CD");
  ReadTrackLists(Ripper(), 2, lists_);
  EXPECT_EQ(lists_.Count(), 0u);  // the ripper keeps audio tracks only
  read = ReadDriveAndDisc(Ripper(), 1);
  EXPECT_EQ(read.discType, "CD-DA (Audio Disc)");
  ReadTrackLists(Ripper(), 1, lists_);
  EXPECT_EQ(lists_.TrackDurations, (std::vector<std::string>{"02:00", "03:00", "04:00"}));
}

TEST_F(DiscReading, MixedAndEnhancedDiscsAreNamedAsTheRipperTypesThem) {
  simdrive::ConfigText config = Config();
  config.Drive("0:1:0").Key("disc", "mixed");
  config.Drive("0:2:0").Key("disc", "extra");
  config.Disc("mixed").Track("mode1 5:00").Track("audio 3:00");
  config.Disc("extra").Track("audio 3:00").Track("audio 3:00").Track("mode2 4:00 session=2");
  Use(config);
  ASSERT_EQ((*ripper_)->DriverOpen(), S_OK);
  EXPECT_EQ(ReadDriveAndDisc(Ripper(), 1).discType, "CD-Extra");
  EXPECT_EQ(ReadDriveAndDisc(Ripper(), 2).discType, "CD-Extra");
}

TEST_F(DiscReading, NoDriveOrAFailingRipperReadsAsNoDiskAndNoTracks) {
  simdrive::ConfigText config = Config();
  config.Key("adapters", "1");
  Use(config);
  // Not opened: every getter fails and leaves its out value unwritten.
  DriveAndDisc read = ReadDriveAndDisc(Ripper(), 0);
  EXPECT_EQ(read.discType, "No Disk");
  EXPECT_EQ(read.drives, (std::vector<std::string>{kNoDrives}));
  lists_.TrackTitles = {"stale"};
  ReadTrackLists(Ripper(), 1, lists_);
  EXPECT_EQ(lists_.Count(), 0u);

  ASSERT_EQ((*ripper_)->DriverOpen(), S_OK);  // a host adapter without drives
  read = ReadDriveAndDisc(Ripper(), 0);
  EXPECT_EQ(read.discType, "No Disk");
  EXPECT_EQ(read.drives, (std::vector<std::string>{kNoDrives}));
}
