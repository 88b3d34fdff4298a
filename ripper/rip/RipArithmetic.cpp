#include "RipArithmetic.h"

namespace rip {

long RoundDriveSpeed(long speed) {
  if (speed < 2) return 1;
  if (speed <= 4) return speed & ~1L;
  if (speed <= 64) return speed & ~3L;
  return 64;
}

long ClampSpinUpTime(long milliseconds) {
  if (milliseconds < 0) return 0;
  return milliseconds > 600000 ? 600000 : milliseconds;
}

bool RetriesInRange(long retries) { return retries >= 0 && retries <= 254; }

int DriveSpeedKBps(int speed) { return speed * 176 + 5; }

int BlockIntervalMs(int blockFrames, int speed) {
  return blockFrames * 1000 / (speed * kFramesPerSecond);
}

}  // namespace rip
