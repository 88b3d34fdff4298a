#include "KIVMemo.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "Handles.h"

namespace kiv {

namespace {

int AverageCharWidth(ui::TWinControl& control) {
  com::window_dc dc = com::window_dc::client(control.Handle());
  if (!dc) return 1;
  HGDIOBJ old = SelectObject(dc.get(), reinterpret_cast<HGDIOBJ>(control.Perform(WM_GETFONT)));
  TEXTMETRICA metrics{};
  const bool measured = GetTextMetricsA(dc.get(), &metrics);
  SelectObject(dc.get(), old);
  return measured && metrics.tmAveCharWidth > 0 ? metrics.tmAveCharWidth : 1;
}

}  // namespace

TkivMemo::TkivMemo(ui::TComponent* AOwner) : TkivFramed(AOwner, 2) {}

void TkivMemo::SetVScrollBar(TkivScrollBar* bar) { Attach(vertical_, bar); }

void TkivMemo::SetHScrollBar(TkivScrollBar* bar) { Attach(horizontal_, bar); }

void TkivMemo::Attach(TkivScrollLink& link, TkivScrollBar* bar) {
  if (bar == link.Bar()) return;
  link.Attach(bar, [this, &link](ui::TComponent*) { BarChanged(link); });
  // The native bars stand under the skinned ones.
  const bool v = vertical_.Bar() != nullptr, h = horizontal_.Bar() != nullptr;
  SetScrollBars(v && h ? ui::ssBoth : v ? ui::ssVertical : h ? ui::ssHorizontal : ui::ssNone);
  if (bar) PlaceBars();
}

void TkivMemo::WndProc(ui::TMessage& Message) {
  TkivFramed::WndProc(Message);
  // Typed characters and replaced selections add lines as much as the clipboard does.
  switch (ScrollDutyOf(Message.Msg, pressed_,
                       {WM_CUT, WM_PASTE, WM_CLEAR, WM_UNDO, WM_SETTEXT, WM_CHAR, EM_REPLACESEL,
                        EM_LINESCROLL, EM_SCROLL, EM_SCROLLCARET})) {
    case TkivScrollDuty::Sync: return Sync();
    case TkivScrollDuty::Place: return PlaceBars();
    case TkivScrollDuty::Raise:
      horizontal_.Raise();
      return vertical_.Raise();
    case TkivScrollDuty::None: return;
  }
}

void TkivMemo::Notification(ui::TComponent* AComponent, ui::TOperation Operation) {
  TkivFramed::Notification(AComponent, Operation);
  if (Operation != ui::opRemove) return;
  horizontal_.Forget(AComponent);
  vertical_.Forget(AComponent);
}

void TkivMemo::Sync() {
  if (syncing_) return;
  syncing_ = true;
  horizontal_.Sync(false);
  vertical_.Sync(false);
  syncing_ = false;
}

void TkivMemo::PlaceBars() {
  TkivScrollBar* h = horizontal_.Bar();
  TkivScrollBar* v = vertical_.Bar();
  if (h)
    h->SetBounds(Left() + 1, Top() + Height() - h->Height() - 2,
                 Width() - 1 - (v ? v->Width() : 0), h->Height());
  if (v)
    v->SetBounds(Left() + Width() - v->Width() - 2, Top() + 1, v->Width(),
                 Height() - 1 - (h ? h->Height() : 0));
  Sync();
}

void TkivMemo::BarChanged(TkivScrollLink& link) {
  if (syncing_) return;
  link.ScrollNative([this, &link](int position) { ScrollWide(link.Vertical(), position); });
  Invalidate();
}

void TkivMemo::ScrollWide(bool vertical, int position) {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_POS;
  if (!GetScrollInfo(Handle(), vertical ? SB_VERT : SB_HORZ, &info)) return;
  const int distance = static_cast<int>(std::clamp<std::int64_t>(
      std::int64_t{position} - info.nPos, INT_MIN, INT_MAX));
  if (vertical)
    Perform(EM_LINESCROLL, 0, distance);
  else
    Perform(EM_LINESCROLL, static_cast<WPARAM>(distance / AverageCharWidth(*this)), 0);
}

}  // namespace kiv
