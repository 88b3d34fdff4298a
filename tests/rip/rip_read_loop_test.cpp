// The WAV worker on the simulated drive, below the COM object: the last frames of a disc, a
// retried corrected read, the reads the drive receives (cache defeat, spin-up) and the pacing.
// What a client sees of presets, jitter, errors, stops and progress is tested through COM.
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

TEST_F(WavRipTest, LastTrackOfTheDiscIsReadToTheLeadOut) {
  UseDisc({}, 377);
  SimRipHost host(PLAY, kTrackStart, 377);
  Fast(host);
  EXPECT_TRUE(Rip(host) == Track(kTrackStart, 377));
  EXPECT_EQ(host.Events().back(), (RipEvent{RipEvent::kRipOver, 100}));
  EXPECT_FALSE(host.RipInProgress());
  EXPECT_TRUE(host.TickEnabled());
}

TEST_F(WavRipTest, TransientErrorUnderJitterCorrectionRipsExactly) {
  UseDisc({"unreadable = 320-321 x3"});
  SimRipHost host(SYNCH, kTrackStart, kTrackFrames);
  Fast(host);
  EXPECT_TRUE(Rip(host) == Track()) << "a retried corrected read must start where the block starts";
  EXPECT_EQ(host.Retries(), (std::vector<int>{2, 1, 2}));
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
  EXPECT_GE(spinUps, 5) << "about 100 ms of 5 ms blocks";
  EXPECT_LE(spinUps, 30);
}

TEST_F(WavRipTest, DriveThatCannotBeOpenedEndsWithoutProgressAndLeavesNoFile) {
  simdrive::ConfigText none;
  Use(none);
  SimRipHost host(BURST, kTrackStart, kTrackFrames);
  const std::string path = Scratch("unopened.wav");
  rip::WavFile file;
  ASSERT_TRUE(file.Create(path));
  rip::RunWavRip(host, file);
  EXPECT_FALSE(file.IsOpen());
  EXPECT_EQ(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(host.Events(), (std::vector<RipEvent>{{RipEvent::kError, DRIVE_BUSY}}));
}

}  // namespace
