#include "KIVScrollLink.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <utility>

namespace kiv {

int ScrollRangeMax(int maximum, unsigned page) {
  const std::int64_t max = std::int64_t{maximum} - std::int64_t{page} + 1;
  return static_cast<int>(std::clamp<std::int64_t>(max, INT_MIN, INT_MAX));
}

TkivScrollDuty ScrollDutyOf(UINT msg, bool& pressed, std::initializer_list<UINT> contentMessages) {
  switch (msg) {
    case WM_LBUTTONDOWN:
      pressed = true;
      return TkivScrollDuty::Sync;
    case WM_LBUTTONUP:
      pressed = false;
      return TkivScrollDuty::None;
    case WM_MOUSEMOVE:
      // Dragging a selection scrolls the control.
      return pressed ? TkivScrollDuty::Sync : TkivScrollDuty::None;
    case WM_NCPAINT:
      // By the first paint every window of the form is made, the bars' too.
      return TkivScrollDuty::Raise;
    case WM_MOVE:
    case WM_SIZE:
      return TkivScrollDuty::Place;
    case ui::CM_ENABLEDCHANGED:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_KEYDOWN:
    case WM_MOUSEWHEEL:
      return TkivScrollDuty::Sync;
    default:
      return std::find(contentMessages.begin(), contentMessages.end(), msg) != contentMessages.end()
                 ? TkivScrollDuty::Sync
                 : TkivScrollDuty::None;
  }
}

void TkivScrollLink::Attach(TkivScrollBar* bar, ui::TNotifyEvent onChange) {
  if (bar == bar_) return;
  Release();
  bar_ = bar;
  if (!bar_) return;
  bar_->FreeNotification(&control_);
  bar_->SetOrientation(orientation_);
  bar_->SetOnChange(std::move(onChange));
  bar_->BringToFront();
  Raise();
}

void TkivScrollLink::Release() {
  if (!bar_) return;
  TkivScrollBar* old = std::exchange(bar_, nullptr);
  old->RemoveFreeNotification(&control_);
  old->SetOnChange(nullptr);
  old->SetLineButton(0);
  old->SetMax(100);
  old->SetEnabled(true);
}

void TkivScrollLink::Forget(const ui::TComponent* component) {
  if (component == bar_) bar_ = nullptr;
}

void TkivScrollLink::Raise() {
  if (!bar_ || !bar_->HandleAllocated() || !control_.HandleAllocated()) return;
  const HWND above = GetWindow(control_.Handle(), GW_HWNDPREV);
  if (above == bar_->Handle()) return;
  SetWindowPos(bar_->Handle(), above ? above : HWND_TOP, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TkivScrollLink::Sync(bool hideWhole) {
  if (!bar_ || !control_.HandleAllocated()) return;
  const HWND wnd = control_.Handle();
  SCROLLBARINFO bar{};
  bar.cbSize = sizeof bar;
  if (!GetScrollBarInfo(wnd, Vertical() ? OBJID_VSCROLL : OBJID_HSCROLL, &bar)) return;
  const bool shown = !(bar.rgstate[0] & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_UNAVAILABLE));
  if (shown) {
    bar_->SetLineButton(std::abs(bar.xyThumbBottom - bar.xyThumbTop));
    bar_->SetEnabled(true);
  } else {
    bar_->SetLineButton(0);
    bar_->SetEnabled(false);
  }
  if (hideWhole)
    bar_->SetVisible(shown);
  else
    bar_->ShowThumb(shown);
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  if (!GetScrollInfo(wnd, Vertical() ? SB_VERT : SB_HORZ, &info)) return;
  bar_->SetMax(ScrollRangeMax(info.nMax, info.nPage));
  bar_->SetMin(info.nMin);
  bar_->SetPosition(info.nPos);
}

void TkivScrollLink::ScrollNative(const std::function<void(int)>& wide) {
  if (!bar_) return;
  const int position = bar_->Position();
  // The native controls read the thumb position as a signed 16-bit value.
  if (position >= 0 && position <= SHRT_MAX)
    control_.Perform(Vertical() ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, position), 0);
  else
    wide(position);
}

}  // namespace kiv
