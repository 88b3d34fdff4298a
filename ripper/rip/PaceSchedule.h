// The arithmetic of a rip's pacing, apart from the clock and the sleeping: a running deadline
// that each block moves on by the playing time of the frames it read, so the rounding of one
// sleep is made up by the next instead of adding up over thousands of blocks.
//
// The reading may fall behind the deadline by up to a slack (one whole block of the preset's
// frames) and make that up with shorter waits, as a drive's read-ahead lets a host that was
// busy for a moment catch up; reading that fell further behind (retries, reloads, a client
// slow to take its events) starts the deadline afresh, so the blocks after it are paced again
// at once instead of racing to catch up. With the slack of the block itself, the small blocks
// near a track's ends, which play for a fraction of a millisecond each, lost to the deadline
// every moment the reading spent beside the drive (a progress report, a command's own set-up)
// and never made it up.
#pragma once

namespace rip {

class PaceSchedule {
 public:
  // `speed` in multiples of single speed (75 frames a second); `slackFrames` the frames the
  // reading may fall behind by; times in milliseconds of any steady clock.
  PaceSchedule(int speed, int slackFrames, double startMs);

  // A block of `frames` frames done at `nowMs`: how long to wait before the next block, 0 when
  // the reading is behind.
  double WaitAfter(int frames, double nowMs);

 private:
  double frameMs_;
  double slackMs_;
  double deadline_;
};

}  // namespace rip
