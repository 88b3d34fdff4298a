// The pictures of the form skin's title bar: its left cap, stretched middle and right cap, and
// its buttons. A bar is as high as its left cap; buttons sit at the style's button top.
#pragma once

#include "Look.h"
#include "Picture.h"

namespace skinart {

enum class TitlePart { Left, Client, Right };
enum class TitleButton { Close, Maximise, Minimise, Help, ControlBox, Restore };

Picture TitlePartPicture(const Palette& p, TitlePart part);
// Opaque buttons carry the bar behind them; the transparent ones (Protein, BlueGlass, keyed on
// their bottom-left pixel) are magenta around their symbol.
Picture TitleButtonPicture(const Palette& p, TitleButton button, State state);

}  // namespace skinart
