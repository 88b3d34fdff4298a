// Drawing what lies under a control: its parent's background and painting, as they show
// through where the control stands, into any device context (a see-through control's own paint
// context, or an off-screen bitmap of the control's size).
#pragma once

#include "Win32.h"

namespace ui {

class TControl;

// Draws the control's parent, moved so that the control's client origin lands on the
// context's origin: the parent's background, its own painting and the windowless controls
// under this one (TWinControl::PaintUnder).
void DrawParentImage(TControl& control, HDC dc);

}  // namespace ui
