// The player's parts without COM: the solved filters meet every band's gain at its centre
// whatever the neighbours ask for, changes glide instead of jumping, and an output that fails
// ends the playing thread with its reason.
#include "PlayerClient.h"
#include "outside/ZEVAudioPlayer/PlaybackEngine.h"
#include "outside/ZEVAudioPlayer/SampleProcessor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdlib>

using namespace player;

namespace {

// The player window's five presets, k x 3 / 11 dB.
const int kPresets[5][kBands] = {
    {1, 15, 17, 13, 7, 0, 0, 7, 7, 15, 13, 11},      {-49, -1, 35, 29, 15, 0, 11, 19, 19, 17, 9, 0},
    {-49, -23, -5, 0, 0, 13, 9, 3, 3, 17, 23, 29},  {0, 13, 23, 13, 7, 13, 7, 3, 3, -7, -17, -9},
    {0, -11, -25, -13, 7, 23, 19, 13, 13, -7, -15, -25}};

BandGains preset(int index) {
  BandGains gains{};
  for (int i = 0; i < kBands; ++i) gains[i] = kPresets[index][i] * 3.0 / 11.0;
  return gains;
}

int peak(const std::vector<int16_t>& samples, size_t from, size_t to) {
  int most = 0;
  for (size_t i = from; i < to; ++i) most = std::max(most, std::abs(int{samples[i]}));
  return most;
}

}  // namespace

TEST(EqualizerFilters, MeetEveryBandAtItsCentreWhateverTheNeighboursAsk) {
  for (int p = 0; p < 5; ++p) {
    const BandGains wanted = preset(p);
    for (int rate : {44100, 22050}) {
      const BandGains filters = filterGainsFor(wanted, rate);
      for (int band = 0; band < kBands; ++band) {
        if (!bandActive(band, rate)) {
          EXPECT_EQ(filters[band], 0.0);
          continue;
        }
        EXPECT_NEAR(responseDb(filters, rate, bandCentres()[band]), wanted[band], 0.05)
            << "preset " << p + 1 << ", band " << band + 1 << " at " << rate << " Hz";
      }
    }
  }
  EXPECT_FALSE(bandActive(11, 22050));
  EXPECT_TRUE(bandActive(10, 22050));
}

TEST(SampleProcessing, VolumeMuteAndBandChangesGlideInsteadOfJumping) {
  SampleProcessor processor;
  processor.start(2, 44100);
  const int frames = 4410;
  auto tone = [&](int64_t phase) { return outside_test::sineFrames(frames, 2, 1000, 8000, 44100, phase); };

  std::vector<int16_t> block = tone(0);
  processor.process(block);
  EXPECT_EQ(block, tone(0));  // flat and full volume: untouched

  processor.setVolume(65535, true);
  block = tone(frames);
  processor.process(block);
  // Down to silence over about 2048 frames, not at once.
  EXPECT_GT(peak(block, 0, 2 * 256), 7000);
  EXPECT_GT(peak(block, 2 * 1024, 2 * 1100), 2000);
  EXPECT_EQ(peak(block, 2 * 2100, block.size()), 0);

  processor.setVolume(65535, false);
  block = tone(2 * frames);
  processor.process(block);
  EXPECT_NEAR(peak(block, 2 * 2100, block.size()), 8000, 5);

  // +12 dB near the tone: a few tenths of a dB in the first 64 frames, all of it later.
  const BandGains boost{0, 0, 0, 0, 0, 0, 12.0};
  processor.setBands(boost);
  block = tone(3 * frames);
  processor.process(block);
  EXPECT_LT(peak(block, 0, 2 * 64), 8000 * 1.15);
  const double expected = 8000 * std::pow(10.0, responseDb(filterGainsFor(boost, 44100), 44100, 1000) / 20);
  EXPECT_NEAR(peak(block, 2 * 3000, block.size()), expected, expected * 0.01);
}

// An output whose device gives out after a few chunks, as an unplugged one does.
class FailingOutput final : public Output {
 public:
  HRESULT write(std::span<const int16_t> samples) override {
    if (++writes_ > 3) return HRESULT_FROM_WIN32(ERROR_DEVICE_NOT_CONNECTED);
    frames_ += static_cast<int64_t>(samples.size()) / 2;
    return S_OK;
  }
  int64_t played() override { return frames_; }
  void cancel() override {}

 private:
  int writes_ = 0;
  std::atomic<int64_t> frames_{0};
};

TEST(PlaybackEngine, AFailingOutputEndsThePlayingThreadAndSaysHow) {
  PlaybackEngine engine;
  engine.queue(outside_test::sineFrames(44100, 2, 440, 3000));
  ASSERT_EQ(engine.start(std::make_unique<FailingOutput>(), Format{2, 44100}), S_OK);
  for (int i = 0; i < 200 && engine.failure() == S_OK; ++i) Sleep(5);
  EXPECT_EQ(engine.failure(), HRESULT_FROM_WIN32(ERROR_DEVICE_NOT_CONNECTED));
  EXPECT_EQ(engine.played(), 3 * 44100 / 25);  // three chunks of 40 ms went out
  engine.stop();
}
