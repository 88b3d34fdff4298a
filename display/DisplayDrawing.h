// Draws the control: the border, then the display type, composed off screen and copied to
// the target in one step. The same routine serves painting, IViewObject::Draw and the
// immediate redraw after every property change and sample block.
#pragma once

#include "display/DisplaySettings.h"
#include "display/LevelAnalysis.h"
#include "display/StyleBitmaps.h"

#include <windows.h>

namespace display {

struct DisplayView {
    const DisplaySettings& settings;
    const LevelState& levels;
    StyleBitmaps& styles;
};

// Draws into bounds of target. Positions are taken from the bounds' own origin, so the
// picture looks the same wherever the rectangle lies.
void drawDisplay(HDC target, const RECT& bounds, const DisplayView& view);

}  // namespace display
