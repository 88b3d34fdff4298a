// The encoding worker and the convert tick on the simulated drive: the encoder receives the
// track's samples exactly, in blocks of whole stereo frames, and its file is closed once all
// of them are in, also after a stop.
#include <gtest/gtest.h>

#include <windows.h>
#include <oleauto.h>

#include <algorithm>
#include <cstring>
#include <mutex>
#include <vector>

#include "PcmHandOver.h"
#include "RipTestKit.h"
#include "RipWorker.h"
#include "SimRipHost.h"

namespace {

using riptest::kTrackFrames;
using riptest::kTrackStart;
using riptest::RipEvent;
using riptest::SimRipHost;

// The outside encoder as the rip sees it: keeps every sample block it is given.
class SampleCollector final : public rip::SampleWriter {
 public:
  void WriteSamples(SAFEARRAY* samples) override {
    std::lock_guard lock(mutex_);
    LONG lower = -1;
    SafeArrayGetLBound(samples, 1, &lower);
    VARTYPE type = VT_EMPTY;
    SafeArrayGetVartype(samples, &type);
    if (SafeArrayGetDim(samples) != 1 || lower != 0 || type != VT_I2) malformed_ = true;
    const ULONG count = samples->rgsabound[0].cElements;
    if (count % 2 != 0) malformed_ = true;
    if (closed_) writtenAfterClose_ = true;
    void* data = nullptr;
    SafeArrayAccessData(samples, &data);
    const auto* first = static_cast<const std::uint8_t*>(data);
    bytes_.insert(bytes_.end(), first, first + count * 2);
    SafeArrayUnaccessData(samples);
    ++blocks_;
  }
  bool CloseFile() override {
    std::lock_guard lock(mutex_);
    ++closes_;
    closed_ = true;
    return !failClose_;
  }
  // Counted as a close: what the test sees of a file that is not kept.
  void Discard() override { CloseFile(); }
  bool Replaces() const override { return false; }
  void FailClose() { failClose_ = true; }

  std::vector<std::uint8_t> Bytes() const {
    std::lock_guard lock(mutex_);
    return bytes_;
  }
  int Blocks() const { return blocks_; }
  int Closes() const { return closes_; }
  bool Malformed() const { return malformed_; }
  bool WrittenAfterClose() const { return writtenAfterClose_; }

 private:
  mutable std::mutex mutex_;
  std::vector<std::uint8_t> bytes_;
  int blocks_ = 0;
  int closes_ = 0;
  bool closed_ = false;
  bool malformed_ = false;
  bool writtenAfterClose_ = false;
  bool failClose_ = false;
};

class EncodingRipTest : public riptest::SimDiscTest {
 protected:
  void Rip(SimRipHost& host) {
    host.StartTicker(pcm_, encoder_);
    rip::RunEncodingRip(host, pcm_, encoder_);
  }

  rip::PcmHandOver pcm_;
  SampleCollector encoder_;
};

TEST_F(EncodingRipTest, EncoderReceivesTheWholeTrackExactlyAndThenTheClose) {
  UseDisc();
  SimRipHost host(BURST, kTrackStart, kTrackFrames);
  // Paced at 8x the track takes about 670 ms: many ticks even on a loaded machine, where the
  // 80 ms of 64x may see only two or three.
  host.job.driveSpeed = 8;
  Rip(host);
  EXPECT_TRUE(encoder_.Bytes() == riptest::GeneratedAudio(kTrackStart, kTrackFrames));
  EXPECT_GT(encoder_.Blocks(), 3) << "handed over as it is read, tick by tick";
  EXPECT_FALSE(encoder_.Malformed());
  EXPECT_EQ(encoder_.Closes(), 1);
  EXPECT_FALSE(encoder_.WrittenAfterClose());
  EXPECT_EQ(host.Events().back(), (RipEvent{RipEvent::kRipOver, 100}));
  const std::vector<int> progress = host.Progress();
  EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
  EXPECT_GE(progress.front(), 0);
}

TEST_F(EncodingRipTest, StoppedRipHandsOverWhatWasReadAndClosesTheFile) {
  UseDisc();
  SimRipHost host(PLAY, kTrackStart, kTrackFrames);
  host.job.driveSpeed = 8;  // 43 ms a block: the tick reports progress while the rip runs
  host.stopAtPercent = 20;
  Rip(host);
  const std::vector<std::uint8_t> bytes = encoder_.Bytes();
  EXPECT_LT(bytes.size(), kTrackFrames * 2352u);
  EXPECT_TRUE(bytes == riptest::GeneratedAudio(kTrackStart, static_cast<std::uint32_t>(bytes.size() / 2352)));
  EXPECT_EQ(encoder_.Closes(), 1);
  EXPECT_EQ(host.Events().back(), (RipEvent{RipEvent::kRipOver, 100}));
}

TEST_F(EncodingRipTest, TrackTooLongForMemoryEndsWithOutOfMemory) {
  UseDisc();
  SimRipHost host(BURST, kTrackStart, 0x7FFFFFFF);
  host.job.driveSpeed = 64;
  Rip(host);
  EXPECT_EQ(host.Events(), (std::vector<RipEvent>{{RipEvent::kError, OUT_OF_MEMORY}, {RipEvent::kRipOver, 100}}));
  EXPECT_EQ(encoder_.Closes(), 1);
}

TEST_F(EncodingRipTest, FileTheEncoderCouldNotCompleteIsAFileAccessError) {
  UseDisc();
  SimRipHost host(BURST, kTrackStart, kTrackFrames);
  host.job.driveSpeed = 64;
  encoder_.FailClose();
  Rip(host);
  const std::vector<RipEvent> events = host.Events();
  ASSERT_GE(events.size(), 2u);
  EXPECT_EQ(events[events.size() - 2], (RipEvent{RipEvent::kError, FILE_ACCESS}));
  EXPECT_EQ(events.back(), (RipEvent{RipEvent::kRipOver, 100}));
}

// The tick alone, on a buffer filled by hand.
class ConvertTickTest : public ::testing::Test, public rip::RipLog {
 protected:
  void SetUp() override { ASSERT_TRUE(pcm_.Begin(10)); }
  void Line(const char* text) override { log_.emplace_back(text); }
  void Line(const char* text, long) override { log_.emplace_back(text); }
  void Tick(bool stop = false) { rip::ConvertTick(pcm_, encoder_, *this, stop); }
  bool Logged(const char* text) const { return std::find(log_.begin(), log_.end(), text) != log_.end(); }

  rip::PcmHandOver pcm_;
  SampleCollector encoder_;
  std::vector<std::string> log_;
};

TEST_F(ConvertTickTest, HandsOverWholeStereoFramesOnly) {
  const std::uint8_t bytes[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  pcm_.Append(bytes, 6);
  Tick();
  EXPECT_EQ(encoder_.Bytes(), (std::vector<std::uint8_t>{1, 2, 3, 4}));
  pcm_.Append(bytes + 6, 2);
  Tick();
  EXPECT_EQ(encoder_.Bytes(), (std::vector<std::uint8_t>{1, 2, 3, 4, 5, 6, 7, 8}));
  Tick();
  EXPECT_EQ(encoder_.Blocks(), 2) << "a tick with nothing new hands nothing over";
  EXPECT_TRUE(Logged("Size is 0!"));
}

TEST_F(ConvertTickTest, ConvertOverComesAfterTheLastHandOver) {
  const std::vector<std::uint8_t> audio = riptest::GeneratedAudio(0, 2);
  pcm_.Append(audio.data(), audio.size());
  Tick();
  EXPECT_FALSE(pcm_.ConvertOverSignalled(0)) << "the read loop is not over yet";
  pcm_.Append(audio.data(), audio.size());
  pcm_.SetRipOver();
  Tick();
  EXPECT_TRUE(pcm_.ConvertOverSignalled(0)) << "the tick that hands over the last samples tells the end";
  EXPECT_EQ(encoder_.Bytes().size(), 2 * audio.size());
  EXPECT_TRUE(Logged("Set ConvertOverEvent"));
}

TEST_F(ConvertTickTest, SilenceIsZeroSamples) {
  const std::uint8_t loud[4] = {9, 9, 9, 9};
  pcm_.Append(loud, 4);
  pcm_.AppendSilence(8);
  pcm_.Append(loud, 4);
  Tick();
  EXPECT_EQ(encoder_.Bytes(), (std::vector<std::uint8_t>{9, 9, 9, 9, 0, 0, 0, 0, 0, 0, 0, 0, 9, 9, 9, 9}));
}

}  // namespace
