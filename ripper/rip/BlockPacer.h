// Paces a rip's blocks to the drive speed: each block takes at least the block interval, the
// time the block itself took counted in. The sleeps are measured against a running deadline,
// so the rounding of one sleep is made up by the next instead of adding up over thousands of
// blocks; a block that overran by more than one interval (retries, reloads) starts the
// deadline afresh rather than letting the following blocks race to catch up.
#pragma once

#include <windows.h>

namespace rip {

class BlockPacer {
 public:
  explicit BlockPacer(int intervalMs);
  BlockPacer(const BlockPacer&) = delete;
  BlockPacer& operator=(const BlockPacer&) = delete;
  ~BlockPacer();

  // Called after each block: sleeps for what remains of its interval.
  void Wait();

 private:
  double NowMs() const;

  double intervalMs_;
  double ticksPerMs_;
  double deadline_;
};

}  // namespace rip
