// The message record every control handles, and the framework's own messages: CM_* are
// notifications between controls, CN_* are notifications reflected from a parent window to
// the child control they concern (CN_BASE + the original message).
#pragma once

#include "Win32.h"

namespace ui {

struct TMessage {
  UINT Msg;
  WPARAM WParam;
  LPARAM LParam;
  LRESULT Result = 0;
};

constexpr UINT CM_BASE = WM_APP + 0x3000;
constexpr UINT CM_MOUSEENTER = CM_BASE + 1;
constexpr UINT CM_MOUSELEAVE = CM_BASE + 2;
constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 3;
constexpr UINT CM_COLORCHANGED = CM_BASE + 4;
constexpr UINT CM_FONTCHANGED = CM_BASE + 5;
constexpr UINT CM_TEXTCHANGED = CM_BASE + 6;
constexpr UINT CM_VISIBLECHANGED = CM_BASE + 7;
constexpr UINT CM_PARENTCOLORCHANGED = CM_BASE + 8;
constexpr UINT CM_PARENTFONTCHANGED = CM_BASE + 9;
// WParam: the key; LParam: the key data. A non-zero result means the key was used.
constexpr UINT CM_DIALOGKEY = CM_BASE + 10;
// WParam: the character; LParam: the key data. A non-zero result means it was an accelerator.
constexpr UINT CM_DIALOGCHAR = CM_BASE + 11;
// LParam: the control that has the focus now (TWinControl*), sent to a form and its controls.
constexpr UINT CM_FOCUSCHANGED = CM_BASE + 12;
// WParam: the control (TControl*); LParam: non-zero when inserted, zero when removed.
constexpr UINT CM_CONTROLLISTCHANGE = CM_BASE + 13;
constexpr UINT CM_RECREATEWND = CM_BASE + 14;
constexpr UINT CM_RELEASE = CM_BASE + 15;
constexpr UINT CM_CURSORCHANGED = CM_BASE + 16;

constexpr UINT CN_BASE = CM_BASE + 0x400;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;
constexpr UINT CN_DRAWITEM = CN_BASE + WM_DRAWITEM;
constexpr UINT CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM;
constexpr UINT CN_DELETEITEM = CN_BASE + WM_DELETEITEM;
constexpr UINT CN_COMPAREITEM = CN_BASE + WM_COMPAREITEM;
constexpr UINT CN_VKEYTOITEM = CN_BASE + WM_VKEYTOITEM;
constexpr UINT CN_CHARTOITEM = CN_BASE + WM_CHARTOITEM;
constexpr UINT CN_HSCROLL = CN_BASE + WM_HSCROLL;
constexpr UINT CN_VSCROLL = CN_BASE + WM_VSCROLL;
constexpr UINT CN_CTLCOLORMSGBOX = CN_BASE + WM_CTLCOLORMSGBOX;
constexpr UINT CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT;
constexpr UINT CN_CTLCOLORLISTBOX = CN_BASE + WM_CTLCOLORLISTBOX;
constexpr UINT CN_CTLCOLORBTN = CN_BASE + WM_CTLCOLORBTN;
constexpr UINT CN_CTLCOLORDLG = CN_BASE + WM_CTLCOLORDLG;
constexpr UINT CN_CTLCOLORSCROLLBAR = CN_BASE + WM_CTLCOLORSCROLLBAR;
constexpr UINT CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;
// Keys offered to the focused control before the message is dispatched; a non-zero result
// means the control (or its form, as a dialog key) has used it.
constexpr UINT CN_KEYDOWN = CN_BASE + WM_KEYDOWN;
constexpr UINT CN_SYSKEYDOWN = CN_BASE + WM_SYSKEYDOWN;
constexpr UINT CN_CHAR = CN_BASE + WM_CHAR;
constexpr UINT CN_SYSCHAR = CN_BASE + WM_SYSCHAR;
constexpr UINT CN_LAST = CN_BASE + 0x3FF;

inline bool IsFrameworkMessage(UINT msg) { return msg >= CM_BASE && msg <= CN_LAST; }

// Mouse position of a client mouse message (signed, so points left of or above the window work).
inline POINT MousePoint(LPARAM lp) {
  return {static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
}
inline LPARAM MakeMouseLParam(int x, int y) {
  return MAKELPARAM(static_cast<WORD>(static_cast<short>(x)), static_cast<WORD>(static_cast<short>(y)));
}

}  // namespace ui
