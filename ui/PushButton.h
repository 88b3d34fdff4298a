// Push buttons in a form, as the system's dialog manager treats them. A push button says what
// it is through WM_GETDLGCODE (PushButtonCode). The focused push button is the form's default
// button for as long as it holds the focus: Enter stays with it and presses it as Space does
// (TWinControl::DialogKey leaves the key to it). The button marked default takes Enter only
// while the focus is on a control that is not a push button.
#pragma once

#include "Win32.h"

namespace ui {

class TWinControl;

// Whether Enter presses button now: it has the focus, or it is marked default and the focus
// is on no push button.
bool IsDefaultNow(const TWinControl& button, bool markedDefault);
// What a push button answers to WM_GETDLGCODE: DLGC_DEFPUSHBUTTON while Enter presses it,
// DLGC_UNDEFPUSHBUTTON otherwise.
LRESULT PushButtonCode(const TWinControl& button, bool markedDefault);
// Whether the window says it is a push button.
bool IsPushButton(HWND wnd);

}  // namespace ui
