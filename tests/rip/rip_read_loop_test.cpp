// The WAV worker on the simulated drive: what reaches the file for each preset, with jitter,
// with read errors that pass and ones that stay, when stopped, and how the rip is paced and
// reported.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "RipPresets.h"
#include "RipTestKit.h"
#include "RipWorker.h"
#include "SimRipHost.h"

namespace {

using riptest::kTrackFrames;
using riptest::kTrackStart;
using riptest::RipEvent;
using riptest::SimRipHost;

class WavRipTest : public riptest::SimDiscTest {
 protected:
  // Rips track 2 to a WAV file with the host's settings; the file's audio.
  std::vector<std::uint8_t> Rip(SimRipHost& host) {
    const std::string path = Scratch("rip.wav");
    rip::WavFile file;
    EXPECT_TRUE(file.Create(path));
    rip::RunWavRip(host, file);
    EXPECT_FALSE(host.EventSentUnderDriveLock());
    const riptest::WavContents wav = riptest::ReadWav(path);
    EXPECT_TRUE(wav.valid) << wav.problem;
    return wav.data;
  }

  // A host for the preset at full speed, so that tests do not wait for the pacing.
  static void Fast(SimRipHost& host) {
    host.job.driveSpeed = 64;
    host.job.spinUpTime = 0;
  }

  static std::vector<std::uint8_t> Track(std::uint32_t from = kTrackStart, std::uint32_t frames = kTrackFrames) {
    return riptest::GeneratedAudio(from, frames);
  }

  // Reads the drive received, as "lba count" of each READ CD.
  std::vector<std::pair<std::uint32_t, int>> Reads() const {
    std::vector<std::pair<std::uint32_t, int>> reads;
    for (const std::string& cdb : LoggedCdbs()) {
      unsigned bytes[12] = {};
      if (std::sscanf(cdb.c_str(), "%x %x %x %x %x %x %x %x %x", &bytes[0], &bytes[1], &bytes[2], &bytes[3], &bytes[4],
                      &bytes[5], &bytes[6], &bytes[7], &bytes[8]) == 9 &&
          bytes[0] == 0xBE)
        reads.emplace_back(bytes[2] << 24 | bytes[3] << 16 | bytes[4] << 8 | bytes[5], static_cast<int>(bytes[8]));
    }
    return reads;
  }
};

class EveryPreset : public WavRipTest, public ::testing::WithParamInterface<int> {};

TEST_P(EveryPreset, CleanDiscGivesEveryFrameOfTheTrackExactly) {
  UseDisc();
  SimRipHost host(GetParam(), kTrackStart, kTrackFrames);
  Fast(host);
  const std::vector<std::uint8_t> audio = Rip(host);
  EXPECT_EQ(audio.size(), kTrackFrames * 2352u);
  EXPECT_TRUE(audio == Track()) << "ripped audio differs from the disc";
  EXPECT_EQ(host.Events().back(), (RipEvent{RipEvent::kRipOver, 100}));
  EXPECT_FALSE(host.RipInProgress());
  EXPECT_TRUE(host.TickEnabled());
}

INSTANTIATE_TEST_SUITE_P(Presets, EveryPreset, ::testing::Values(PLAY, BURST, SYNCH, SECURE, PARANOID));

TEST_F(WavRipTest, LastTrackOfTheDiscIsReadToTheLeadOut) {
  UseDisc({}, 377);
  SimRipHost host(PLAY, kTrackStart, 377);
  Fast(host);
  EXPECT_TRUE(Rip(host) == Track(kTrackStart, 377));
}

// Reads 1-18 are the plain ones near the start and read 19 the first corrected one, which
// has no previous read to line up with; the offsets go to the reads after it, within what
// the preset's overlap can absorb.
std::string JitterOnCorrectedReads(const std::string& offsets) {
  std::string line = "jitter = ";
  for (int read = 0; read < 19; ++read) line += "0, ";
  line += offsets;
  for (int read = 0; read < 200; ++read) line += ", 0";
  return line;
}

struct JitterCase {
  int preset;
  const char* offsets;
};

class JitterCorrection : public WavRipTest, public ::testing::WithParamInterface<JitterCase> {};

TEST_P(JitterCorrection, CorrectingPresetsStillRipExactly) {
  UseDisc({JitterOnCorrectedReads(GetParam().offsets)});
  SimRipHost host(GetParam().preset, kTrackStart, kTrackFrames);
  Fast(host);
  EXPECT_TRUE(Rip(host) == Track()) << "jitter reached the file";
}

INSTANTIATE_TEST_SUITE_P(Presets, JitterCorrection,
                         ::testing::Values(JitterCase{SYNCH, "2, -1, 1, -2, 2, 0, -5"},
                                           JitterCase{SECURE, "-1, -2, 0, -3, -1"},
                                           JitterCase{PARANOID, "-1, -2, 0, -1, -2, -1"}));

TEST_F(WavRipTest, BurstDoesNotCorrectJitter) {
  UseDisc({"jitter = 3"});
  SimRipHost host(BURST, kTrackStart, kTrackFrames);
  Fast(host);
  const std::vector<std::uint8_t> audio = Rip(host);
  EXPECT_EQ(audio.size(), kTrackFrames * 2352u);
  EXPECT_FALSE(audio == Track());
}

TEST_F(WavRipTest, TransientErrorIsRetriedWithReloadsAndRipsExactly) {
  // 12 failing reads of the block: the 13th attempt reads it.
  UseDisc({"unreadable = 320-321 x12"});
  SimRipHost host(BURST, kTrackStart, kTrackFrames);
  Fast(host);
  host.job.retries = 20;
  EXPECT_TRUE(Rip(host) == Track());
  EXPECT_EQ(host.Retries(), (std::vector<int>{2, 1, 2, 3, 4, 5, 6, 7, 8, 9, 1, 2}));
  EXPECT_EQ(host.Reloads(), 2) << "at the first retry and nine retries later";
}

TEST_F(WavRipTest, TransientErrorUnderJitterCorrectionRipsExactly) {
  UseDisc({"unreadable = 320-321 x3"});
  SimRipHost host(SYNCH, kTrackStart, kTrackFrames);
  Fast(host);
  EXPECT_TRUE(Rip(host) == Track()) << "a retried corrected read must start where the block starts";
  EXPECT_EQ(host.Retries(), (std::vector<int>{2, 1, 2}));
}

class PersistentError : public WavRipTest {
 protected:
  // Track 2 with frames 300-301 unreadable; the rip with `action` and its file's audio.
  std::vector<std::uint8_t> RipWith(int action, SimRipHost& host) {
    UseDisc({"unreadable = 300-301"});
    Fast(host);
    host.job.retries = 1;
    host.onErrorAction = action;
    return Rip(host);
  }
  // The frame at which the failing block begins: BURST reads 26-frame blocks from frame 50
  // of the track on.
  static constexpr std::uint32_t kBlock = kTrackStart + 50 + 26;  // frames 276..301
  static_assert(kBlock <= 300 && kBlock + 26 > 301);
};

TEST_F(PersistentError, SilenceAndCorrectWriteOneBlockOfZeroSamples) {
  for (int action : {SILENCE, CORRECT}) {
    SimRipHost host(BURST, kTrackStart, kTrackFrames);
    const std::vector<std::uint8_t> audio = RipWith(action, host);
    std::vector<std::uint8_t> expected = Track();
    std::fill_n(expected.begin() + (kBlock - kTrackStart) * 2352, 26 * 2352, 0);
    EXPECT_TRUE(audio == expected) << action;
    EXPECT_EQ(host.Events().back(), (RipEvent{RipEvent::kRipOver, 100}));
  }
}

TEST_F(PersistentError, CutLeavesTheBlockOut) {
  SimRipHost host(BURST, kTrackStart, kTrackFrames);
  const std::vector<std::uint8_t> audio = RipWith(CUT, host);
  std::vector<std::uint8_t> expected = Track();
  expected.erase(expected.begin() + (kBlock - kTrackStart) * 2352, expected.begin() + (kBlock - kTrackStart + 26) * 2352);
  EXPECT_TRUE(audio == expected);
}

TEST_F(PersistentError, StopRipEndsWithOperationFailedAndKeepsWhatWasRead) {
  SimRipHost host(BURST, kTrackStart, kTrackFrames);
  const std::vector<std::uint8_t> audio = RipWith(StopRip, host);
  EXPECT_TRUE(audio == Track(kTrackStart, kBlock - kTrackStart));
  const std::vector<RipEvent> events = host.Events();
  ASSERT_GE(events.size(), 2u);
  EXPECT_EQ(events[events.size() - 2], (RipEvent{RipEvent::kError, OPERATION_FAILED}));
  EXPECT_EQ(events.back(), (RipEvent{RipEvent::kRipOver, 100}));
}

TEST_F(PersistentError, NoRetriesTriesOnceAndFiresNoRetry) {
  UseDisc({"unreadable = 300-301"});
  SimRipHost host(BURST, kTrackStart, kTrackFrames);
  Fast(host);
  host.job.retries = 0;
  Rip(host);
  EXPECT_TRUE(host.Retries().empty());
  EXPECT_EQ(host.Reloads(), 0);
  const auto reads = Reads();
  EXPECT_EQ(std::count(reads.begin(), reads.end(), std::make_pair(kBlock, 26)), 1);
}

TEST_F(WavRipTest, ParanoidDefeatsTheCacheBeforeEveryBlock) {
  UseDisc();
  SimRipHost host(PARANOID, kTrackStart, kTrackFrames);
  Fast(host);
  Rip(host);
  const auto reads = Reads();
  ASSERT_GE(reads.size(), 2u);
  int blocks = 0;
  for (std::size_t index = 0; index + 1 < reads.size(); index += 2) {
    const auto [cacheLba, cacheFrames] = reads[index];
    const auto [blockLba, blockFrames] = reads[index + 1];
    EXPECT_EQ(cacheFrames, 6);
    // Corrected blocks are read from three frames earlier.
    EXPECT_TRUE(cacheLba == blockLba + 2000 || cacheLba == blockLba + 3 + 2000) << index;
    ++blocks;
  }
  EXPECT_EQ(reads.size() % 2, 0u);
  EXPECT_GT(blocks, 36);
}

TEST_F(WavRipTest, BlocksArePacedToTheDriveSpeed) {
  UseDisc();
  SimRipHost host(PLAY, kTrackStart, kTrackFrames);
  host.job.driveSpeed = 32;  // 10 ms a 26-frame block
  const auto began = std::chrono::steady_clock::now();
  Rip(host);
  const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - began);
  const int blocks = (kTrackFrames + 25) / 26;
  EXPECT_GE(took.count(), blocks * 10 - 5);
  EXPECT_LT(took.count(), blocks * 10 + 1500) << "includes the start's 100 ms pause and the drive's answers";
}

TEST_F(WavRipTest, SpinUpReadsTheStartForTheSpinUpTime) {
  UseDisc();
  SimRipHost host(BURST, kTrackStart, kTrackFrames);
  Fast(host);
  host.job.spinUpTime = 100;
  Rip(host);
  const auto reads = Reads();
  const auto spinUps = std::count(reads.begin(), reads.end(), std::make_pair(kTrackStart, 26));
  EXPECT_GE(spinUps, 10) << "about 100 ms of 5 ms blocks";
  EXPECT_LE(spinUps, 30);
}

TEST_F(WavRipTest, ProgressRisesToOneHundredAndEndsTheRip) {
  UseDisc();
  SimRipHost host(BURST, kTrackStart, kTrackFrames);
  Fast(host);
  Rip(host);
  const std::vector<int> progress = host.Progress();
  ASSERT_GT(progress.size(), 20u) << "a report for every 4 frames read, at most one a block";
  EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
  EXPECT_GE(progress.front(), 0);
  EXPECT_EQ(progress.back(), 100);
  EXPECT_EQ(host.Events().back().kind, RipEvent::kRipOver);
}

TEST_F(WavRipTest, StopAtAProgressReportKeepsAValidFileAndStillEnds) {
  UseDisc();
  SimRipHost host(BURST, kTrackStart, kTrackFrames);
  Fast(host);
  host.stopAtPercent = 30;
  const std::vector<std::uint8_t> audio = Rip(host);
  const std::size_t frames = audio.size() / 2352;
  EXPECT_GE(frames, kTrackFrames * 30 / 100);
  EXPECT_LE(frames, kTrackFrames * 30 / 100 + 26) << "stopped at the first report of 30 percent";
  EXPECT_TRUE(audio == Track(kTrackStart, static_cast<std::uint32_t>(frames)));
  EXPECT_EQ(host.Events().back(), (RipEvent{RipEvent::kRipOver, 100}));
}

TEST_F(WavRipTest, DriveThatCannotBeOpenedEndsWithoutProgressAndClosesTheFile) {
  simdrive::ConfigText none;
  Use(none);
  SimRipHost host(BURST, kTrackStart, kTrackFrames);
  EXPECT_TRUE(Rip(host).empty());
  EXPECT_EQ(host.Events(), (std::vector<RipEvent>{{RipEvent::kError, DRIVE_BUSY}}));
}

}  // namespace
