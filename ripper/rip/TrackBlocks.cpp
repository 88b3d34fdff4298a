#include "TrackBlocks.h"

#include <windows.h>

#include <algorithm>

#include "ZEVDiscRipper.h"

namespace rip {

std::uint32_t TrackBlocks::FramesFromNearestEnd(std::uint32_t current) const {
  return std::min(current - start_, end_ - current);
}

int TrackBlocks::Remaining(std::uint32_t current, int frames) const {
  return static_cast<int>(std::min<std::uint32_t>(static_cast<std::uint32_t>(frames), end_ - current));
}

int TrackBlocks::FramesAt(std::uint32_t current) const {
  int frames = blockFrames_;
  if (preset_ != PLAY) {
    const std::uint32_t distance = FramesFromNearestEnd(current);
    if (distance < 10)
      frames = 1;
    else if (distance < 50)
      frames = 5;
  }
  return Remaining(current, frames);
}

int TrackBlocks::FailedFramesAt(std::uint32_t current) const { return Remaining(current, blockFrames_); }

bool TrackBlocks::ReadsPlainAt(std::uint32_t current) const {
  return preset_ != PLAY && FramesFromNearestEnd(current) < 50;
}

int TrackBlocks::PercentAt(std::uint32_t position) const {
  return MulDiv(static_cast<int>(position - start_), 100, static_cast<int>(Length()));
}

}  // namespace rip
