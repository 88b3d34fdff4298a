// The player's equalizer settings: twelve band gains in decibels, lowest band first, for the
// five presets its buttons "1" .. "5" choose (Pop, Disco, Background, Movie, News) and for "F".
#pragma once

#include <array>

namespace app {

using EqualizerBands = std::array<float, 12>;

inline constexpr int kEqualizerPresetCount = 5;

// Preset 1 .. 5; flat for any other number.
EqualizerBands EqualizerPreset(int preset);
// Every band at 0 dB.
inline constexpr EqualizerBands kFlatEqualizer{};

// The preset a button's caption names by its first character ("3" is preset 3); 0 for none.
int EqualizerPresetOfCaption(const char* caption);

}  // namespace app
