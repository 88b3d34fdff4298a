// The read buffers of a rip: the drive layer's read buffer header followed by room for the
// preset's block of frames, each in one block of the process heap. The main buffer takes the
// audio, the jitter reference carries the previous read's tail, and the cache-defeat buffer
// takes reads far from the current position that make the drive read the disc again.
#pragma once

#include <memory>

#include "AudioReads.h"
#include "RipHost.h"

namespace rip {

class HeapReadBuffer {
 public:
  HeapReadBuffer() = default;
  // Zeroed, with the capacity of `frames` frames; empty when the heap has no room.
  explicit HeapReadBuffer(int frames);

  explicit operator bool() const { return block_ != nullptr; }
  drive::ReadBuffer* get() const { return block_.get(); }
  drive::ReadBuffer* operator->() const { return block_.get(); }

  // Asks for `frames` frames from `start`, nothing read yet.
  void Aim(std::int32_t start, int frames);

 private:
  struct HeapFree {
    void operator()(drive::ReadBuffer* block) const;
  };
  std::unique_ptr<drive::ReadBuffer, HeapFree> block_;
};

// Resets the header: start 0, `frames` frames and their capacity, nothing read.
void BufInit(RipLog& log, drive::ReadBuffer* buffer, int frames);

struct ReadBuffers {
  explicit ReadBuffers(int frames) : main(frames), jitterReference(frames), cacheDefeat(frames) {}
  explicit operator bool() const { return main && jitterReference && cacheDefeat; }

  HeapReadBuffer main;
  HeapReadBuffer jitterReference;
  HeapReadBuffer cacheDefeat;
};

}  // namespace rip
