// Facts of MPEG audio layer III for the encoder set-up: which sample rates and bitrates exist.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace audiofile {

// MPEG-1 for 32000-48000 Hz, MPEG-2 for 16000-24000 Hz, MPEG-2.5 for 8000-12000 Hz.
bool isMp3SampleRate(int rate);
// The MP3 sample rate nearest to rate.
int nearestMp3SampleRate(int rate);
// Bitrates (kbit/s) a layer III frame of that sample rate's MPEG version can carry; empty for
// a rate that is not an MP3 rate.
std::span<const int> mp3Bitrates(int sampleRate);
// The layer III bitrate of any MPEG version nearest to kbps (8 to 320).
int nearestMp3Bitrate(int kbps);

}  // namespace audiofile
