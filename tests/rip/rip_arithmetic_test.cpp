// The numbers behind a rip: the drive-speed and spin-up rules, block intervals, the blocks a
// track is read in, up to its very last frame, and the waits that pace them.
#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "PaceSchedule.h"
#include "RipArithmetic.h"
#include "RipPresets.h"
#include "TrackBlocks.h"

namespace {

using rip::TrackBlocks;

// The block sizes a whole track is read in when every block reads.
std::vector<int> BlockSizes(const TrackBlocks& blocks) {
  std::vector<int> sizes;
  for (std::uint32_t current = blocks.Start(); current < blocks.End(); current += sizes.back())
    sizes.push_back(blocks.FramesAt(current));
  return sizes;
}

int IntervalOfPreset(int preset) {
  const rip::RipPreset& values = *rip::FindRipPreset(preset);
  return rip::BlockIntervalMs(values.blockFrames, values.driveSpeed);
}

TEST(DriveSpeed, RoundsDownToTheSpeedsDrivesOffer) {
  const std::pair<long, long> cases[] = {{-5, 1}, {0, 1}, {1, 1},   {2, 2},   {3, 2},   {4, 4},   {5, 4},
                                         {7, 4},  {8, 8}, {63, 60}, {64, 64}, {65, 64}, {100, 64}};
  for (const auto& [asked, kept] : cases) EXPECT_EQ(rip::RoundDriveSpeed(asked), kept) << asked;
}

TEST(DriveSpeed, SentInKilobytesPerSecondRoundedUp) {
  EXPECT_EQ(rip::DriveSpeedKBps(1), 181);
  EXPECT_EQ(rip::DriveSpeedKBps(255), 44885);
}

TEST(RipSettings, SpinUpTimeAndRetriesRanges) {
  EXPECT_EQ(rip::ClampSpinUpTime(-1), 0);
  EXPECT_EQ(rip::ClampSpinUpTime(600001), 600000);
  EXPECT_EQ(rip::ClampSpinUpTime(1500), 1500);
  EXPECT_TRUE(rip::RetriesInRange(0));
  EXPECT_TRUE(rip::RetriesInRange(254));
  EXPECT_FALSE(rip::RetriesInRange(255));
  EXPECT_FALSE(rip::RetriesInRange(-1));
}

TEST(BlockInterval, IsThePlayingTimeOfOneBlockTruncated) {
  EXPECT_EQ(IntervalOfPreset(PLAY), 10);  // 26 frames at 32x: 10.8 ms
  EXPECT_EQ(IntervalOfPreset(PARANOID), 80);
  EXPECT_EQ(IntervalOfPreset(SECURE), 21);
  EXPECT_EQ(rip::BlockIntervalMs(26, 64), 5);
}

TEST(RipPresets, NumbersOutsideTheTableNameNoPreset) {
  EXPECT_EQ(rip::FindRipPreset(-1), nullptr);
  EXPECT_EQ(rip::FindRipPreset(5), nullptr);
  for (int preset = PLAY; preset <= PARANOID; ++preset) EXPECT_EQ(rip::FindRipPreset(preset)->preset, preset);
}

TEST(TrackBlocks, PlayReadsWholeBlocksAndAShortLastOne) {
  EXPECT_EQ(BlockSizes(TrackBlocks(1000, 100, PLAY, 26)), (std::vector<int>{26, 26, 26, 22}));
  EXPECT_EQ(BlockSizes(TrackBlocks(1000, 78, PLAY, 26)), (std::vector<int>{26, 26, 26}));
}

TEST(TrackBlocks, OtherPresetsReadSmallBlocksNearBothEnds) {
  const std::vector<int> sizes = BlockSizes(TrackBlocks(500, 300, BURST, 26));
  const std::vector<int> start(sizes.begin(), sizes.begin() + 18);
  EXPECT_EQ(start, (std::vector<int>{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 5, 5, 5, 5, 5, 5, 5, 5}));
  const std::vector<int> end(sizes.end() - 18, sizes.end());
  EXPECT_EQ(end, (std::vector<int>{26, 26, 26, 26, 5, 5, 5, 5, 5, 5, 5, 1, 1, 1, 1, 1, 1, 1}));
  EXPECT_EQ(std::accumulate(sizes.begin(), sizes.end(), 0), 300) << "every frame of the track is read";
}

TEST(TrackBlocks, EveryFrameIsReadWhateverTheLength) {
  for (int preset = PLAY; preset <= PARANOID; ++preset) {
    const int blockFrames = rip::FindRipPreset(preset)->blockFrames;
    for (std::uint32_t length : {1u, 9u, 10u, 61u, 100u, 101u, 377u}) {
      const std::vector<int> sizes = BlockSizes(TrackBlocks(150, length, preset, blockFrames));
      EXPECT_EQ(std::accumulate(sizes.begin(), sizes.end(), 0u), length) << preset << " " << length;
    }
  }
}

TEST(TrackBlocks, FailedBlockStandsForAPresetBlockButNotBeyondTheEnd) {
  const TrackBlocks blocks(0, 300, SECURE, 26);
  EXPECT_EQ(blocks.FailedFramesAt(3), 26);
  EXPECT_EQ(blocks.FailedFramesAt(150), 26);
  EXPECT_EQ(blocks.FailedFramesAt(290), 10);
}

TEST(TrackBlocks, JitterCorrectionIsLeftOutNearTheEndsExceptWithPlay) {
  const TrackBlocks synch(100, 300, SYNCH, 26);
  EXPECT_TRUE(synch.ReadsPlainAt(149));
  EXPECT_FALSE(synch.ReadsPlainAt(150));
  EXPECT_FALSE(synch.ReadsPlainAt(350));
  EXPECT_TRUE(synch.ReadsPlainAt(351));
  EXPECT_FALSE(TrackBlocks(100, 300, PLAY, 26).ReadsPlainAt(100));
}

TEST(TrackBlocks, ProgressIsRoundedPercentOfTheTrack) {
  const TrackBlocks blocks(1000, 300, BURST, 26);
  EXPECT_EQ(blocks.PercentAt(1000), 0);
  EXPECT_EQ(blocks.PercentAt(1001), 0);
  EXPECT_EQ(blocks.PercentAt(1002), 1);  // 0.67 rounds up
  EXPECT_EQ(blocks.PercentAt(1150), 50);
  EXPECT_EQ(blocks.ReportStep(), 3u);
}

// At single speed a frame plays 40/3 ms; the slack is one PARANOID block of 6 frames (80 ms).
constexpr double kFrameMs = 40.0 / 3;

TEST(PaceSchedule, EachBlockWaitsThePlayingTimeOfItsOwnFrames) {
  rip::PaceSchedule schedule(1, 6, 1000);
  EXPECT_NEAR(schedule.WaitAfter(1, 1000), kFrameMs, 1e-9);
  // A block that took part of its time waits the rest; the small blocks near a track's ends
  // wait for one and five frames, not for a whole block.
  EXPECT_NEAR(schedule.WaitAfter(5, 1000 + kFrameMs + 10), 5 * kFrameMs - 10, 1e-9);
  // Ten blocks of one frame at 64x take as long as ten frames play at that speed.
  rip::PaceSchedule fast(64, 26, 0);
  double now = 0;
  for (int block = 0; block < 10; ++block) now += fast.WaitAfter(1, now);
  EXPECT_NEAR(now, 10 * 1000.0 / (75 * 64), 1e-9);
}

TEST(PaceSchedule, ReadingBehindIsMadeUpWithinTheSlackAndStartsAfreshBeyondIt) {
  rip::PaceSchedule schedule(1, 6, 0);
  // 20 ms late with the first block: the next one makes them up.
  EXPECT_EQ(schedule.WaitAfter(6, 100), 0.0);
  EXPECT_NEAR(schedule.WaitAfter(6, 100), 60, 1e-9);
  // A stall of seconds (retries, a reload): the blocks that follow are paced from its end, not
  // raced to catch it up.
  rip::PaceSchedule stalled(1, 6, 0);
  EXPECT_EQ(stalled.WaitAfter(6, 5000), 0.0);
  EXPECT_NEAR(stalled.WaitAfter(6, 5000), 80, 1e-9);
}

}  // namespace
