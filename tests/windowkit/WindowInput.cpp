#include "WindowInput.h"

#include "WaitUntil.h"
#include "WindowTestKit.h"
#include "WinControl.h"

namespace testkit {

namespace {

// Enough for the messages a posted one leads to (capture changes, X events of a moved cursor).
constexpr DWORD kSettle = 30;

HWND WindowOf(ui::TControl& control) {
  ui::TWinControl* windowed =
      control.IsWindowed() ? static_cast<ui::TWinControl*>(&control) : control.Parent();
  return windowed ? windowed->Handle() : nullptr;
}

WPARAM ButtonKeys(ui::TMouseButton button) {
  return button == ui::mbLeft ? MK_LBUTTON : button == ui::mbRight ? MK_RBUTTON : MK_MBUTTON;
}

// Posts a mouse message for a point of the control, as the system routes it: to the window
// holding the capture when one does, else to the window under the point when that is the
// control's window or one inside it (an ActiveX control's own window), else to the control's.
void PostMouseAt(ui::TControl& control, POINT screen, UINT msg, WPARAM keys) {
  SetCursorPos(screen.x, screen.y);
  HWND target = GetCapture();
  if (!target) {
    target = WindowOf(control);
    HWND under = WindowFromPoint(screen);
    if (under && IsChild(target, under)) target = under;
  }
  POINT local = screen;
  ScreenToClient(target, &local);
  PostMessageA(target, msg, keys, ui::MakeMouseLParam(local.x, local.y));
  PumpFor(kSettle);
}

void PostMouse(ui::TControl& control, POINT point, UINT msg, WPARAM keys) {
  PostMouseAt(control, control.ClientToScreen(point), msg, keys);
}

UINT ButtonMessage(ui::TMouseButton button, bool down, bool doubleClick) {
  switch (button) {
    case ui::mbLeft: return doubleClick ? WM_LBUTTONDBLCLK : down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
    case ui::mbRight: return doubleClick ? WM_RBUTTONDBLCLK : down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
    default: return doubleClick ? WM_MBUTTONDBLCLK : down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
  }
}

// Holds Shift, Ctrl and Alt in the thread's keyboard state (where GetKeyState and the key
// translation look) for its lifetime.
class HeldModifiers {
 public:
  explicit HeldModifiers(ui::TShiftState shift) {
    GetKeyboardState(saved_);
    BYTE state[256];
    GetKeyboardState(state);
    auto hold = [&](int key, bool down) {
      state[key] = down ? 0x80 : 0;
    };
    hold(VK_SHIFT, shift & ui::ssShift);
    hold(VK_LSHIFT, shift & ui::ssShift);
    hold(VK_CONTROL, shift & ui::ssCtrl);
    hold(VK_LCONTROL, shift & ui::ssCtrl);
    hold(VK_MENU, shift & ui::ssAlt);
    hold(VK_LMENU, shift & ui::ssAlt);
    SetKeyboardState(state);
  }
  HeldModifiers(const HeldModifiers&) = delete;
  HeldModifiers& operator=(const HeldModifiers&) = delete;
  ~HeldModifiers() { SetKeyboardState(saved_); }

 private:
  BYTE saved_[256];
};

HWND KeyTarget() {
  HWND focus = GetFocus();
  return focus ? focus : GetActiveWindow();
}

}  // namespace

void MouseMove(ui::TControl& control, int x, int y) { PostMouse(control, {x, y}, WM_MOUSEMOVE, 0); }

void MouseDown(ui::TControl& control, int x, int y, ui::TMouseButton button) {
  PostMouse(control, {x, y}, ButtonMessage(button, true, false), ButtonKeys(button));
}

void MouseUp(ui::TControl& control, int x, int y, ui::TMouseButton button) {
  PostMouse(control, {x, y}, ButtonMessage(button, false, false), 0);
}

void Click(ui::TControl& control, int x, int y, ui::TMouseButton button) {
  MouseDown(control, x, y, button);
  MouseUp(control, x, y, button);
}

void Click(ui::TControl& control) {
  const RECT client = control.ClientRect();
  Click(control, client.right / 2, client.bottom / 2);
}

void DoubleClick(ui::TControl& control, int x, int y) {
  Click(control, x, y);
  PostMouse(control, {x, y}, WM_LBUTTONDBLCLK, MK_LBUTTON);
  MouseUp(control, x, y);
}

void Drag(ui::TControl& control, POINT from, POINT to, int steps) {
  // The points stay where they were on the screen when the drag began, also when the drag
  // moves the control (a splitter, a window dragged by its caption).
  const POINT start = control.ClientToScreen(from), end = control.ClientToScreen(to);
  MouseDown(control, from.x, from.y);
  for (int i = 1; i <= steps; ++i) {
    const POINT p{start.x + (end.x - start.x) * i / steps, start.y + (end.y - start.y) * i / steps};
    PostMouseAt(control, p, WM_MOUSEMOVE, MK_LBUTTON);
  }
  PostMouseAt(control, end, WM_LBUTTONUP, 0);
}

void Hover(ui::TControl& control, int x, int y) {
  const POINT screen = control.ClientToScreen({x, y});
  // From elsewhere first, so the system sees the pointer arrive.
  SetCursorPos(screen.x + 1, screen.y + 1);
  PumpFor(kSettle);
  SetCursorPos(screen.x, screen.y);
  PumpFor(kSettle);
}

void PressKey(WORD key, ui::TShiftState shift) {
  HeldModifiers held(shift);
  const bool alt = (shift & ui::ssAlt) != 0;
  const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC)) << 16;
  const LPARAM context = alt ? (1 << 29) : 0;
  HWND target = KeyTarget();
  PostMessageA(target, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, key, 1 | scan | context);
  PumpFor(kSettle);
  PostMessageA(KeyTarget(), alt ? WM_SYSKEYUP : WM_KEYUP, key,
               1 | scan | context | (1u << 30) | (1u << 31));
  PumpFor(kSettle);
}

void TypeText(const std::string& text) {
  for (char c : text) {
    PostMessageA(KeyTarget(), WM_CHAR, static_cast<unsigned char>(c), 1);
    PumpFor(1);
  }
  PumpFor(kSettle);
}

void ChooseFirstItemOfMenuAt(ui::TWinControl& bar, int x, int y) {
  const UINT_PTR closer = SetTimer(nullptr, 0, 3000, [](HWND, UINT, UINT_PTR, DWORD) { EndMenu(); });
  const LPARAM at = ui::MakeMouseLParam(x, y);
  PostMessageA(bar.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageA(bar.Handle(), WM_LBUTTONUP, 0, at);
  PostMessageA(bar.Handle(), WM_KEYDOWN, VK_DOWN, 1);
  PostMessageA(bar.Handle(), WM_KEYDOWN, VK_RETURN, 1);
  Pump();
  KillTimer(nullptr, closer);
}

}  // namespace testkit
