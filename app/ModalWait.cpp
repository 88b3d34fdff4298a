#include "ModalWait.h"

#include <utility>

#include "Cursor.h"
#include "ThreadWindows.h"

namespace app {

namespace {

thread_local int activeWaits = 0;

constexpr std::pair<UINT, UINT> kInputRanges[] = {
    {WM_KEYFIRST, WM_KEYLAST},
    {WM_MOUSEFIRST, WM_MOUSELAST},
    {WM_NCMOUSEMOVE, WM_NCXBUTTONDBLCLK},
    {WM_NCMOUSEHOVER, WM_MOUSELEAVE},
};

bool IsInput(UINT message) {
  for (const auto& [first, last] : kInputRanges)
    if (message >= first && message <= last) return true;
  return false;
}

// Input taken from the queue during the wait reaches no window: it becomes a message that does
// nothing.
LRESULT CALLBACK DropInput(int code, WPARAM removing, LPARAM message) {
  auto* msg = reinterpret_cast<MSG*>(message);
  if (code == HC_ACTION && removing == PM_REMOVE && IsInput(msg->message)) msg->message = WM_NULL;
  return CallNextHookEx(nullptr, code, removing, message);
}

}  // namespace

ModalWait::ModalWait()
    : dropInput_(SetWindowsHookExA(WH_GETMESSAGE, DropInput, nullptr, GetCurrentThreadId())),
      previousCursor_(SetCursor(Cursor())) {
  // A press under way (a button held down, a drag) ends here, as when a dialog comes up.
  if (HWND captured = GetCapture()) SendMessageA(captured, WM_CANCELMODE, 0, 0);
  ReleaseCapture();
  disabled_ = ui::DisableThreadWindows();
  ++activeWaits;
}

ModalWait::~ModalWait() {
  MSG dropped;
  for (const auto& [first, last] : kInputRanges)
    while (PeekMessageA(&dropped, nullptr, first, last, PM_REMOVE)) {
    }
  --activeWaits;
  ui::EnableWindows(disabled_);
  SetCursor(previousCursor_);
}

bool ModalWait::Active() { return activeWaits > 0; }

HCURSOR ModalWait::Cursor() { return ui::CursorHandle(ui::crHourGlass); }

}  // namespace app
