// The rip mode presets: how each one reads a track (block size, jitter correction, retries,
// spin-up and drive speed).
#pragma once

#include "ZEVDiscRipper.h"

namespace rip {

// Read strategies: plain reads, or reads lined up with the previous read's tail.
constexpr int kPlainReads = 0;
constexpr int kJitterCorrectedReads = 1;

struct RipPreset {
  RipModePresetConstants preset;
  const char* name;  // as the debug log writes it
  int blockFrames;
  int jitterMatchFrames;
  int jitterReadBackFrames;
  int readStrategy;
  int retries;
  int spinUpTime;  // milliseconds
  int driveSpeed;  // multiple of single speed
};

// The preset numbered `value`, or null for a number that names none.
const RipPreset* FindRipPreset(long value);

}  // namespace rip
