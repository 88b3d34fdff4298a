#include "outside/ZEVAudioFile/LameMp3Settings.h"

#include "outside/ZEVAudioFile/MpegAudio.h"

#include <algorithm>

namespace audiofile {

int32_t acceptedFrequency(int32_t hz) { return nearestMp3SampleRate(hz); }

int16_t acceptedBitrate(int32_t kbps) {
  return static_cast<int16_t>(kbps <= 0 ? 0 : nearestMp3Bitrate(kbps));
}

int16_t acceptedChannels(int32_t channels) { return channels == 1 ? 1 : 2; }

int16_t acceptedTypeStereo(int32_t mode) {
  return static_cast<int16_t>(mode >= kSimpleStereo && mode <= kDualChannel ? mode : kSimpleStereo);
}

int16_t acceptedVbrCodingMethod(int32_t method) {
  return static_cast<int16_t>(method >= kVbrNone && method <= kVbrAbr ? method : kVbrNone);
}

int16_t acceptedQuality(int32_t quality) { return static_cast<int16_t>(std::clamp(quality, 0, 9)); }

int16_t acceptedEmphasis(int32_t emphasis) {
  // 2 is reserved in the frame header.
  return static_cast<int16_t>(emphasis == 1 || emphasis == 3 ? emphasis : 0);
}

int16_t acceptedAthControlMode(int32_t mode) {
  return static_cast<int16_t>(mode >= kAthDefault && mode <= kAthShortBlocksOnly ? mode : kAthDefault);
}

}  // namespace audiofile
