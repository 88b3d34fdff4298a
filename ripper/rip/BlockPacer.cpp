#include "BlockPacer.h"

#include <mmsystem.h>

namespace rip {

namespace {

double TicksPerMs() {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(frequency.QuadPart) / 1000.0;
}

}  // namespace

BlockPacer::BlockPacer(int speed, int slackFrames)
    : ticksPerMs_(TicksPerMs()), schedule_(speed, slackFrames, NowMs()) {
  // Intervals of a few milliseconds need the system timer at its finest for Sleep to keep them.
  timeBeginPeriod(1);
}

BlockPacer::~BlockPacer() { timeEndPeriod(1); }

double BlockPacer::NowMs() const {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / ticksPerMs_;
}

void BlockPacer::Wait(int frames) {
  const double rest = schedule_.WaitAfter(frames, NowMs());
  // Rounded to whole milliseconds: the deadline carries the difference to the next block.
  if (rest >= 0.5) Sleep(static_cast<DWORD>(rest + 0.5));
}

}  // namespace rip
