// The five display types, each drawn into a frame whose border is already painted.
#pragma once

#include "display/DisplaySettings.h"
#include "display/DrawingFrame.h"
#include "display/LevelAnalysis.h"
#include "display/StyleBitmaps.h"

namespace display {

// tdOutLine: two horizontal level bars with a decibel scale.
void drawLevelBars(const DrawingFrame& frame, const DisplaySettings& settings, const LevelState& levels);

// tdAnalog: a two-channel scope.
void drawScope(const DrawingFrame& frame, const DisplaySettings& settings, const LevelState& levels);

// tdFFTFire, tdFFTGlass, tdFFTKryptonite: two panels of columns copied from a style picture.
void drawColumns(const DrawingFrame& frame, const DisplaySettings& settings, const LevelState& levels,
                 StyleBitmaps& styles, ColumnStyle style);

// One level bar in rect: filled up to the level, ramping from the levels colour to the
// maximum-level colour near the maximum-level mark. Positions are level-bar units
// (decibels x 2.5).
void paintLevelBar(const DrawingFrame& frame, const RECT& rect, int16_t maxLevelPosition, int16_t levelPosition,
                   COLORREF start, COLORREF end);

}  // namespace display
