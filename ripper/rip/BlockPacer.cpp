#include "BlockPacer.h"

#include <mmsystem.h>

#include "RipArithmetic.h"

namespace rip {

BlockPacer::BlockPacer(int speed) : frameMs_(1000.0 / (kFramesPerSecond * (speed > 0 ? speed : 1))) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  ticksPerMs_ = static_cast<double>(frequency.QuadPart) / 1000.0;
  // Intervals of a few milliseconds need the system timer at its finest for Sleep to keep them.
  timeBeginPeriod(1);
  deadline_ = NowMs();
}

BlockPacer::~BlockPacer() { timeEndPeriod(1); }

double BlockPacer::NowMs() const {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / ticksPerMs_;
}

void BlockPacer::Wait(int frames) {
  const double blockMs = frames * frameMs_;
  deadline_ += blockMs;
  const double now = NowMs();
  const double rest = deadline_ - now;
  if (rest >= 0.5)
    Sleep(static_cast<DWORD>(rest + 0.5));
  else if (-rest > blockMs)
    deadline_ = now;
}

}  // namespace rip
