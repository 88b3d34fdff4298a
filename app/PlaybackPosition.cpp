#include "PlaybackPosition.h"

#include <algorithm>

namespace app {

int ProgressPosition(std::int64_t current, std::int64_t base, std::int64_t total) {
  if (total <= 0) return 0;
  const std::int64_t played = std::clamp<std::int64_t>(current + base, 0, total);
  return static_cast<int>(played * kProgressRange / total);
}

std::int32_t SeekFrame(int slider, std::int64_t total) {
  if (total <= 0) return 0;
  const std::int64_t position = std::clamp(slider, 0, kProgressRange);
  // The last frame at most: the readers cannot seek past it.
  return static_cast<std::int32_t>(std::min<std::int64_t>({position * total / kProgressRange, total - 1, INT32_MAX}));
}

int ChooseOutputSource(int count, const std::function<bool(int index)>& usable) {
  if (count < 1) return -1;
  for (int index = 0; index < count; ++index)
    if (usable(index)) return index;
  return 0;
}

}  // namespace app
