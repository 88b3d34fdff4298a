// Facts of MPEG audio layer III that the encoder set-up and the MP3 reader share: which sample
// rates and bitrates exist, and how a frame header reads.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
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

enum class MpegChannelMode { stereo = 0, jointStereo = 1, dualChannel = 2, mono = 3 };

struct MpegFrameHeader {
  int sampleRate = 0;
  int bitrate = 0;  // kbit/s
  MpegChannelMode mode = MpegChannelMode::stereo;
  bool crc = false;
  int emphasis = 0;
  size_t frameBytes = 0;
};

// Reads the four header bytes of a layer III frame; nothing for anything else (free format,
// reserved values, other layers).
std::optional<MpegFrameHeader> parseMpegFrameHeader(std::span<const uint8_t, 4> bytes);

}  // namespace audiofile
