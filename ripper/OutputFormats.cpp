#include "ripper/OutputFormats.h"

#include <algorithm>
#include <cstdint>
#include <initializer_list>

namespace {

long kept(long value, std::initializer_list<long> accepted, long fallBack) {
    return std::find(accepted.begin(), accepted.end(), value) != accepted.end() ? value : fallBack;
}

}  // namespace

long CheckSampleRate(long hz) {
    return kept(hz, {6000, 8000, 11025, 12000, 16000, 22050, 24000, 32000, 44100, 48000, 88200, 96000}, 44100);
}

long CheckBitrate(long kbps) {
    return kept(kbps, {8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 350}, 0);
}

long CheckChannels(long channels) { return kept(channels, {1, 2}, 2); }

long CheckStereoMode(long mode) { return kept(mode, {1, 2, 3, 4}, 1); }

long CheckCodingMethod(long method) { return kept(method, {-1, 0, 1, 2, 3, 4}, -1); }

Mp3Format CheckedMp3Format(long frequency, long bitrate, long channels) {
    return {CheckSampleRate(frequency), CheckBitrate(bitrate), CheckChannels(channels)};
}

OggFormat CheckedOggFormat(long frequency, long channels, long nominalBitrate, long minBitrate, long maxBitrate,
                           long quality) {
    return {CheckSampleRate(frequency), CheckChannels(channels), CheckBitrate(nominalBitrate),
            CheckBitrate(minBitrate),   CheckBitrate(maxBitrate),
            static_cast<short>(static_cast<std::uint16_t>(quality))};
}
