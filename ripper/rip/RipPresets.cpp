#include "RipPresets.h"

#include <iterator>

namespace rip {

namespace {

// PLAY and BURST read plainly in big blocks; the others line reads up against jitter, and
// PARANOID reads small blocks at single speed with a cache-defeat read before each.
constexpr RipPreset kPresets[] = {
    {PLAY, "PLAY", 26, 0, 0, kPlainReads, 5, 0, 32},
    {BURST, "BURST", 26, 0, 0, kPlainReads, 5, 0, 32},
    {SYNCH, "SYNCH", 26, 1, 3, kJitterCorrectedReads, 85, 1000, 24},
    {SECURE, "SECURE", 26, 3, 3, kJitterCorrectedReads, 85, 3000, 16},
    {PARANOID, "PARANOID", 6, 3, 3, kJitterCorrectedReads, 85, 0, 1},
};

}  // namespace

const RipPreset* FindRipPreset(long value) {
  if (value < 0 || value >= static_cast<long>(std::size(kPresets))) return nullptr;
  return &kPresets[value];
}

}  // namespace rip
