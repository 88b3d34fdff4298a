// The player's sample processing over 10 minutes of stereo CD audio: the twelve equalizer
// bands (the "Disco" preset, every band but two at work) and the volume, in the 40 ms chunks
// the playing thread processes, against the audio's playing time. Processor time of the
// thread on one processor, best of five runs; also with the equalizer switched off.
#include "outside/ZEVAudioPlayer/SampleProcessor.h"
#include "tests/outside/AudioTestSupport.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

using namespace outside_test;

namespace {

constexpr int kRuns = 5;
constexpr int kChunkFrames = kCdRate / 25;

double processingSeconds(const std::vector<int16_t>& pcm, bool equalizer) {
  player::SampleProcessor processor;
  player::BandGains bands{};
  const int disco[player::kBands] = {-49, -1, 35, 29, 15, 0, 11, 19, 19, 17, 9, 0};
  for (int i = 0; i < player::kBands; ++i) bands[i] = disco[i] * 3.0 / 11.0;
  processor.setBands(bands);
  processor.setEqualizerEnabled(equalizer);
  processor.setVolume(50000, false);
  processor.start(2, kCdRate);
  std::vector<int16_t> chunk;
  const double start = threadSeconds();
  for (size_t i = 0; i < pcm.size(); i += 2 * kChunkFrames) {
    chunk.assign(pcm.begin() + i, pcm.begin() + std::min(pcm.size(), i + 2 * kChunkFrames));
    processor.process(chunk);
  }
  return threadSeconds() - start;
}

}  // namespace

int main(int argc, char** argv) {
  SetThreadAffinityMask(GetCurrentThread(), 1);
  const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 600;
  const auto pcm = stereoTones(seconds * kCdRate, 440, 3000);
  double withEqualizer = 1e9, volumeOnly = 1e9;
  for (int run = 0; run < kRuns; ++run) {
    withEqualizer = std::min(withEqualizer, processingSeconds(pcm, true));
    volumeOnly = std::min(volumeOnly, processingSeconds(pcm, false));
  }
  std::printf("%d s of stereo 44.1 kHz audio, best of %d runs on one processor:\n", seconds, kRuns);
  std::printf("  equalizer and volume: %.3f s processor time = %.3f %% of real time\n", withEqualizer,
              100.0 * withEqualizer / seconds);
  std::printf("  volume only:          %.3f s processor time = %.3f %% of real time\n", volumeOnly,
              100.0 * volumeOnly / seconds);
  return 0;
}
