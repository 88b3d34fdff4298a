// The look of the equalizer control: a dark panel with a dB scale and grid, a dashed 0 dB
// line, one groove per band filled from 0 dB to its thumb, and the band labels. The band with
// the keyboard focus shows its thumb and label in the accent colour.
#pragma once

#include "outside/ZEVAudioDesign/EqualizerLayout.h"

#include <array>

namespace design {

using BandValues = std::array<float, kBands>;

// Draws the whole control into dc (the caller composes off-screen).
void drawEqualizer(HDC dc, const EqualizerLayout& layout, const BandValues& bands, int focusedBand);

// Colours a test can look for.
constexpr COLORREF kPanelColor = RGB(30, 34, 42);
constexpr COLORREF kFillColor = RGB(64, 150, 220);
constexpr COLORREF kThumbColor = RGB(214, 220, 230);
constexpr COLORREF kAccentColor = RGB(255, 170, 60);

}  // namespace design
