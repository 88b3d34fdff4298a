// Mouse and keyboard input for window tests, posted to the program's message queue so that it
// takes the path real input takes (the application's message filter, dialog keys, the
// translation of keys into characters, capture). Points are in the client coordinates of the
// control named; the screen cursor is moved there too, for code that asks where it is. Each
// call handles the messages it caused before returning.
#pragma once

#include <string>

#include "Control.h"

namespace testkit {

void MouseMove(ui::TControl& control, int x, int y);
void MouseDown(ui::TControl& control, int x, int y, ui::TMouseButton button = ui::mbLeft);
void MouseUp(ui::TControl& control, int x, int y, ui::TMouseButton button = ui::mbLeft);
// Press and release at one point.
void Click(ui::TControl& control, int x, int y, ui::TMouseButton button = ui::mbLeft);
// At the control's centre.
void Click(ui::TControl& control);
// Press, release, the double-click press and release, as the system sends them.
void DoubleClick(ui::TControl& control, int x, int y);
// Press at from, moves in steps to to, release there: both in the control's coordinates as
// they are when the drag begins.
void Drag(ui::TControl& control, POINT from, POINT to, int steps = 4);
// Puts the screen cursor over the point, as a user's pointer resting there: the window under
// it gets the system's own mouse move and cursor messages.
void Hover(ui::TControl& control, int x, int y);

// A click at (x, y) on a menu bar's window with Down and Enter waiting behind it: the drop-down's
// own loop takes the keys and chooses its first item. Should it not, the menu is closed after a
// while rather than waiting for ever.
void ChooseFirstItemOfMenuAt(ui::TWinControl& bar, int x, int y);

// A key pressed and released on the window with the focus, with Shift, Ctrl and Alt held as
// given (an Alt key goes as a system key, so its character is a system character).
void PressKey(WORD key, ui::TShiftState shift = 0);
// The characters typed into the window with the focus.
void TypeText(const std::string& text);

}  // namespace testkit
