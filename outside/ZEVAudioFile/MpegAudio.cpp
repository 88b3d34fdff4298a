#include "outside/ZEVAudioFile/MpegAudio.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace audiofile {
namespace {

constexpr std::array<int, 9> kRates = {8000, 11025, 12000, 16000, 22050, 24000, 32000, 44100, 48000};
// The bitrates of a header's indexes 1 to 14 (0 is "free format", 15 reserved).
constexpr std::array<int, 14> kMpeg1Bitrates = {32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320};
constexpr std::array<int, 14> kMpeg2Bitrates = {8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160};
constexpr std::array<int, 18> kAllBitrates = {8,  16,  24,  32,  40,  48,  56,  64,  80,
                                              96, 112, 128, 144, 160, 192, 224, 256, 320};

template <size_t N>
int nearest(const std::array<int, N>& values, int x) {
  return *std::min_element(values.begin(), values.end(),
                           [x](int a, int b) { return std::abs(a - x) < std::abs(b - x); });
}

}  // namespace

bool isMp3SampleRate(int rate) { return std::find(kRates.begin(), kRates.end(), rate) != kRates.end(); }

int nearestMp3SampleRate(int rate) { return nearest(kRates, rate); }

std::span<const int> mp3Bitrates(int sampleRate) {
  if (!isMp3SampleRate(sampleRate)) return {};
  if (sampleRate >= 32000) return kMpeg1Bitrates;
  return kMpeg2Bitrates;
}

int nearestMp3Bitrate(int kbps) { return nearest(kAllBitrates, kbps); }

}  // namespace audiofile
