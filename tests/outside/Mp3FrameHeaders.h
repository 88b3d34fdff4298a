// What an MP3 file holds, as libmpg123 sees it: every audio frame's header, whether the first
// frame is a VBR ("Xing") or CBR ("Info") header frame, and the decoded PCM.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace outside_test {

struct Mp3Frame {
  long rate = 0;
  int bitrate = 0;  // kbit/s
  int mode = 0;     // mpg123_mode: 0 stereo, 1 joint stereo, 2 dual channel, 3 mono
  int modeExtension = 0;  // joint stereo: bit 1 mid/side, bit 0 intensity
  bool crc = false;
  int emphasis = 0;
};

struct Mp3FrameHeaders {
  std::vector<Mp3Frame> frames;  // audio frames only
  std::string headerFrameTag;    // "Xing", "Info" or empty
  std::vector<int16_t> pcm;      // decoded, interleaved
  int channels = 0;
};

Mp3FrameHeaders inspectMp3(const std::vector<uint8_t>& bytes);

}  // namespace outside_test
