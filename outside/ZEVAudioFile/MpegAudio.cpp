#include "outside/ZEVAudioFile/MpegAudio.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace audiofile {
namespace {

constexpr std::array<int, 9> kRates = {8000, 11025, 12000, 16000, 22050, 24000, 32000, 44100, 48000};
// Index 0 of each list is the "free format" slot, index 15 is reserved.
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

std::optional<MpegFrameHeader> parseMpegFrameHeader(std::span<const uint8_t, 4> b) {
  if (b[0] != 0xFF || (b[1] & 0xE0) != 0xE0) return std::nullopt;
  const int versionBits = (b[1] >> 3) & 3;  // 0 MPEG-2.5, 1 reserved, 2 MPEG-2, 3 MPEG-1
  const int layerBits = (b[1] >> 1) & 3;    // 1 is layer III
  const int bitrateIndex = b[2] >> 4;
  const int rateIndex = (b[2] >> 2) & 3;
  if (versionBits == 1 || layerBits != 1 || bitrateIndex == 0 || bitrateIndex == 15 || rateIndex == 3)
    return std::nullopt;
  if ((b[3] & 3) == 2) return std::nullopt;  // reserved emphasis

  static constexpr int kMpeg1RateTable[3] = {44100, 48000, 32000};
  int rate = kMpeg1RateTable[rateIndex];
  if (versionBits == 2) rate /= 2;
  if (versionBits == 0) rate /= 4;
  const bool mpeg1 = versionBits == 3;
  MpegFrameHeader h;
  h.sampleRate = rate;
  h.bitrate = (mpeg1 ? kMpeg1Bitrates : kMpeg2Bitrates)[bitrateIndex - 1];
  h.crc = (b[1] & 1) == 0;
  h.mode = static_cast<MpegChannelMode>(b[3] >> 6);
  h.emphasis = b[3] & 3;
  const bool padding = (b[2] >> 1) & 1;
  // A layer III frame holds 1152 samples in MPEG-1 and 576 in MPEG-2 and 2.5.
  const int coefficient = mpeg1 ? 144 : 72;
  h.frameBytes = static_cast<size_t>(coefficient * h.bitrate * 1000 / rate + (padding ? 1 : 0));
  return h;
}

}  // namespace audiofile
