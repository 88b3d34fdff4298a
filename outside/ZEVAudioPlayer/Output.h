// Where played samples go: a wave-out device, or a silent output that keeps the clock of one.
// The playing thread writes chunks; any thread may ask how far the output has played or
// cancel a waiting write.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>

namespace player {

struct Format {
  int channels = 2;
  int rate = 44100;
};

class Output {
 public:
  virtual ~Output() = default;
  // Hands over interleaved whole frames, waiting while the output holds as much as it takes.
  // E_ABORT once cancelled; the device's failure as an HRESULT.
  virtual HRESULT write(std::span<const int16_t> samples) = 0;
  // Frames played since the output was opened.
  virtual int64_t played() = 0;
  // Ends a waiting write and every later one with E_ABORT.
  virtual void cancel() = 0;
};

// How many chunks an output holds at most: the latency between processing and hearing.
constexpr int kChunksHeld = 4;
// Frames of one chunk: 40 ms.
inline int chunkFrames(const Format& format) { return format.rate / 25; }

}  // namespace player
