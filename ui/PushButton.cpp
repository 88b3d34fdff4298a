#include "PushButton.h"

#include "WinControl.h"

namespace ui {

bool IsDefaultNow(const TWinControl& button, bool markedDefault) {
  if (button.Focused()) return true;
  // The focused push button answers without asking back, so this never goes round.
  return markedDefault && !IsPushButton(GetFocus());
}

LRESULT PushButtonCode(const TWinControl& button, bool markedDefault) {
  return DLGC_BUTTON | (IsDefaultNow(button, markedDefault) ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
}

bool IsPushButton(HWND wnd) {
  return wnd && (SendMessageA(wnd, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
}

}  // namespace ui
