// The numbers of a rip's settings: what the drive-speed and spin-up properties keep, the
// speed the drive is sent, and how long one block plays.
#pragma once

namespace rip {

constexpr int kFramesPerSecond = 75;
constexpr int kFrameBytes = 2352;

// Below 2 gives 1; 2..4 round down to even; 5..64 round down to a multiple of 4; above 64
// gives 64.
long RoundDriveSpeed(long speed);
// 0..600000 milliseconds.
long ClampSpinUpTime(long milliseconds);
// ripOnErrorRetries takes 0..254.
bool RetriesInRange(long retries);
// SET CD SPEED's kilobytes a second for a multiple of single speed (176.4 KB/s, rounded up).
int DriveSpeedKBps(int speed);
// Whole milliseconds one block of `blockFrames` frames plays at `speed`, truncated.
int BlockIntervalMs(int blockFrames, int speed);

}  // namespace rip
