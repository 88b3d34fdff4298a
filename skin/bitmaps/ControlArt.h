// The pictures of the skinned controls' parts: push buttons, check boxes, radio buttons,
// progress, tab strips, track bars, scroll bars and the menu check mark.
#pragma once

#include "Look.h"
#include "Picture.h"

namespace skinart {

// Nine-grid source of odd size: outside its rounded corners magenta where the button is drawn
// transparently (BlueGlass), else the form colour.
Picture ButtonPicture(const Palette& p, State state);
// Drawn opaque by the controls: outside the box is the form colour.
Picture CheckBoxPicture(const Palette& p, bool checked, State state);
// Drawn keyed on the top-left pixel: magenta outside the circle.
Picture RadioButtonPicture(const Palette& p, bool checked, State state);
// Stretched along the bar; ten pixels thick (the bar adds a one-pixel frame).
Picture ProgressBarPicture(const Palette& p, bool vertical);
// Three-part pictures (width divisible by 3) keyed on magenta; the line is stretched.
Picture TabPicture(const Palette& p, bool active);
Picture TabLinePicture(const Palette& p);
// The bar (three parts, drawn opaque over the track colour) and the sliders, which carry the
// groove behind them so that they sit on the bar seamlessly.
Picture TrackBarPicture(const Palette& p);
Picture SliderPicture(const Palette& p, bool vertical);
// Line buttons (keyed on the top-left pixel) of the vertical scroll bar; the controls turn
// them for horizontal bars.
Picture ScrollButtonPicture(const Palette& p, bool top, State state);
// The vertical thumb: top cap, middle and bottom cap in thirds of its height.
Picture ScrollTrackPicture(const Palette& p);
// The menu check mark on white, which the menu leaves out.
Picture MenuCheckPicture();

}  // namespace skinart
