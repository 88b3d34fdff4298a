// An MP3 stream decoded by libmpg123 one frame at a time, and decoded again from before any
// frame through the index of frame offsets that the opening scan makes. Every frame comes out in
// the stream's own format: a frame of another rate, channel count or length (a false frame header
// in damaged data, which libmpg123 decodes as found) comes out as a frame of silence, so that the
// frame numbered n always covers the samples from n frame lengths on (less the encoder's delay),
// whether it was reached by decoding from the start or by a restart.
#pragma once

#include "outside/ZEVAudioFile/Encoder.h"
#include "outside/ZEVAudioFile/Mpg123Stream.h"
#include "outside/ZEVAudioFile/ReadAheadFile.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace audiofile {

class Mp3FrameDecoder {
 public:
  // Finds the stream in input and scans all of its frames; false when input holds none.
  bool open(ReadAheadFile& input);

  PcmFormat format() const { return format_; }
  // The sample frames the scan counted, the encoder's delay and padding left out.
  int64_t length() const { return length_; }
  // How far a restart decodes before the frame it starts at, at most: decoding on over a shorter
  // stretch costs no more.
  int64_t restartDistance() const { return (warmUpFrames_ + roundingCycle_) * samplesPerFrame_; }

  // The samples of the next frame (interleaved, trimmed of the encoder's delay and padding; none
  // for a frame of padding); nothing at the end of the stream or where it cannot be read further.
  std::optional<std::span<const int16_t>> next();
  // Goes back or ahead to decode from a frame that begins at or before position; the position
  // at which the next frame's samples begin, or nothing when the decoder failed. Ahead by less
  // than restartDistance(), libmpg123 decodes on from where it is instead, and the samples may
  // then round differently from a decoding from the start.
  std::optional<int64_t> restartBefore(int64_t position);

 private:
  std::optional<int64_t> restartAtStart();
  bool seekFrame(int64_t frame, int64_t warmUpFrames);
  bool isOfStreamFormat();

  Mpg123Decoder decoder_;
  PcmFormat format_;
  int64_t length_ = 0;
  int64_t samplesPerFrame_ = 0;
  int64_t firstFrame_ = 0;      // the first frame with samples (the encoder's delay may fill those before)
  int64_t warmUpFrames_ = 0;    // decoded and thrown away before the frame a restart starts at
  int64_t roundingCycle_ = 1;   // frames after which the synthesis filter's ring buffer is back where it was
  int64_t synthesized_ = 0;     // frames this decoder has put through the synthesis filter
  int64_t dropping_ = 0;        // frames libmpg123 decodes and drops before the next one it gives
  std::vector<int16_t> silentFrame_;
};

}  // namespace audiofile
