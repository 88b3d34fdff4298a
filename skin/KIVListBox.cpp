#include "KIVListBox.h"

namespace kiv {

TkivListBox::TkivListBox(ui::TComponent* AOwner) : TkivFramed(AOwner, 2) {}

void TkivListBox::SetVScrollBar(TkivScrollBar* bar) {
  if (bar == vertical_.Bar()) return;
  vertical_.Attach(bar, [this](ui::TComponent*) { BarChanged(); });
  if (bar) PlaceBar();
}

void TkivListBox::CreateWnd() {
  TkivFramed::CreateWnd();
  Sync();
}

void TkivListBox::WndProc(ui::TMessage& Message) {
  TkivFramed::WndProc(Message);
  switch (ScrollDutyOf(Message.Msg, pressed_,
                       {LB_ADDSTRING, LB_INSERTSTRING, LB_DELETESTRING, LB_RESETCONTENT, LB_SETCOUNT,
                        LB_SETTOPINDEX, WM_DELETEITEM})) {
    case TkivScrollDuty::Sync: return Sync();
    case TkivScrollDuty::Place: return PlaceBar();
    case TkivScrollDuty::Raise: return vertical_.Raise();
    case TkivScrollDuty::None: return;
  }
}

void TkivListBox::Notification(ui::TComponent* AComponent, ui::TOperation Operation) {
  TkivFramed::Notification(AComponent, Operation);
  if (Operation == ui::opRemove) vertical_.Forget(AComponent);
}

void TkivListBox::Sync() {
  if (syncing_) return;
  syncing_ = true;
  vertical_.Sync(true);
  syncing_ = false;
}

void TkivListBox::PlaceBar() {
  TkivScrollBar* bar = vertical_.Bar();
  if (bar) bar->SetBounds(Left() + Width() - bar->Width() - 2, Top() + 1, bar->Width(), Height() - 2);
  Sync();
}

void TkivListBox::BarChanged() {
  if (syncing_) return;
  vertical_.ScrollNative([this](int position) {
    Perform(LB_SETTOPINDEX, static_cast<WPARAM>(position), 0);
  });
  Invalidate();
}

}  // namespace kiv
