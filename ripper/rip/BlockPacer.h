// Paces a rip's blocks to the drive speed: each block takes at least the time its frames play
// at that speed, the time the block itself took counted in (PaceSchedule). A block is paced by
// the frames it read, so the small blocks near a track's ends take their own short time, not
// a whole block's.
#pragma once

#include <windows.h>

#include "PaceSchedule.h"

namespace rip {

class BlockPacer {
 public:
  // `speed` in multiples of single speed; the reading may fall behind by up to `slackFrames`
  // and catch up.
  BlockPacer(int speed, int slackFrames);
  BlockPacer(const BlockPacer&) = delete;
  BlockPacer& operator=(const BlockPacer&) = delete;
  ~BlockPacer();

  // Called after each block of `frames` frames: sleeps for what remains of its playing time.
  void Wait(int frames);

 private:
  double NowMs() const;

  double ticksPerMs_;
  PaceSchedule schedule_;
};

}  // namespace rip
