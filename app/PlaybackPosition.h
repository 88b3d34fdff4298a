// The player window's arithmetic between sample frames and its progress slider (0 .. 1000),
// and its choice of output source; plain functions so that a zero total or an output with no
// usable source cannot divide by zero or pick a source that does not exist.
#pragma once

#include <cstdint>
#include <functional>

namespace app {

inline constexpr int kProgressRange = 1000;

// The slider position for frames played (current, counted from the last Play) past the base
// the playing started from, out of total: 0 .. 1000, 0 when the total is not positive.
int ProgressPosition(std::int64_t current, std::int64_t base, std::int64_t total);

// The frame a slider position stands for in a file of total frames (0 for an empty file),
// within 0 .. total - 1, where a reader can still seek to.
std::int32_t SeekFrame(int slider, std::int64_t total);

// The output source to keep: the first of 0 .. count - 1 for which usable(index) holds, after
// usable has selected it; 0 when none does; -1 when there is no source at all.
int ChooseOutputSource(int count, const std::function<bool(int index)>& usable);

}  // namespace app
