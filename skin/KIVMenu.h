// Unit KIVMenu: what skinned menus draw with besides their items: the system's menu font and
// the flat frame around an open menu window.
#pragma once

#include "Color.h"
#include "Font.h"
#include "Win32.h"

namespace kiv {

// The font becomes the system's menu font in the menu text colour; false, and the font left as
// it was, when the system does not tell its metrics.
bool SetSystemMenuFont(ui::TFont& font);

// A flat frame over the open menu window (on the screen, window rectangle (L, T, R, B)): a line
// of the border colour around (L, T + 1, R - 1, B - 1), a white one inside it, and the bottom,
// right and top edges in the form colour.
void DrawFlatMenuFrame(HWND menuWindow, ui::TColor borderColor, ui::TColor formColor);

}  // namespace kiv
