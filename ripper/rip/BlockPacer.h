// Paces a rip's blocks to the drive speed: each block takes at least the time its frames play
// at that speed, the time the block itself took counted in. A block is paced by the frames it
// read, so the small blocks near a track's ends take their own short time, not a whole
// block's. The sleeps are measured against a running deadline, so the rounding of one sleep is
// made up by the next instead of adding up over thousands of blocks; a block that overran by
// more than its own time (retries, reloads) starts the deadline afresh rather than letting the
// following blocks race to catch up.
#pragma once

#include <windows.h>

namespace rip {

class BlockPacer {
 public:
  // `speed` in multiples of single speed (75 frames a second).
  explicit BlockPacer(int speed);
  BlockPacer(const BlockPacer&) = delete;
  BlockPacer& operator=(const BlockPacer&) = delete;
  ~BlockPacer();

  // Called after each block of `frames` frames: sleeps for what remains of its playing time.
  void Wait(int frames);

 private:
  double NowMs() const;

  double frameMs_;
  double ticksPerMs_;
  double deadline_;
};

}  // namespace rip
