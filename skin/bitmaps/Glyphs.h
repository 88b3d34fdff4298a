// The small symbols drawn on skin pictures, as shapes within a square box of a given size.
#pragma once

#include "Raster.h"

namespace skinart {

// Each takes the box's left, top and size and the stroke width.
Shape CrossGlyph(double x, double y, double size, double stroke);
Shape CheckGlyph(double x, double y, double size, double stroke);
Shape MinimiseGlyph(double x, double y, double size, double stroke);
Shape MaximiseGlyph(double x, double y, double size, double stroke);
Shape RestoreGlyph(double x, double y, double size, double stroke);
Shape QuestionGlyph(double x, double y, double size, double stroke);
Shape ExclamationGlyph(double x, double y, double size, double stroke);
Shape InformationGlyph(double x, double y, double size, double stroke);
// The control-box symbol: the three lines of a menu.
Shape MenuGlyph(double x, double y, double size, double stroke);
// A solid triangle pointing up (or down) filling the box's middle.
Shape ArrowGlyph(double x, double y, double size, bool up);
// Two chevrons pointing right.
Shape ChevronsGlyph(double x, double y, double size, double stroke);

}  // namespace skinart
