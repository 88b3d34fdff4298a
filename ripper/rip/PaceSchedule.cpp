#include "PaceSchedule.h"

#include "RipArithmetic.h"

namespace rip {

PaceSchedule::PaceSchedule(int speed, int slackFrames, double startMs)
    : frameMs_(1000.0 / (kFramesPerSecond * (speed > 0 ? speed : 1))),
      slackMs_(slackFrames * frameMs_),
      deadline_(startMs) {}

double PaceSchedule::WaitAfter(int frames, double nowMs) {
  deadline_ += frames * frameMs_;
  if (nowMs - deadline_ > slackMs_) deadline_ = nowMs;
  return deadline_ > nowMs ? deadline_ - nowMs : 0.0;
}

}  // namespace rip
