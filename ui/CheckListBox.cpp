#include "CheckListBox.h"

namespace ui {

namespace {
// The strip left of the text that holds the mark, and the mark's size.
constexpr int kMarkStrip = 17;
constexpr int kMarkSize = 13;
}  // namespace

void TCheckListBox::SetChecked(int index, bool value) {
  Items().SetState(index, value ? 1 : 0);
  if (!HandleAllocated()) return;
  RECT r = ItemRect(index);
  InvalidateRect(Handle(), &r, FALSE);
}

void TCheckListBox::SetFlat(bool value) {
  flat_ = value;
  Invalidate();
}

void TCheckListBox::DrawItem(int Index, const RECT& Rect, TOwnerDrawState State) {
  HDC dc = Canvas().Handle();
  // The mark stands on the list's own colour, also in a selected row.
  RECT strip{Rect.left, Rect.top, Rect.left + kMarkStrip, Rect.bottom};
  ::FillRect(dc, &strip, Brush().Handle());
  const int top = Rect.top + (Rect.bottom - Rect.top - kMarkSize) / 2;
  RECT mark{Rect.left + 2, top, Rect.left + 2 + kMarkSize, top + kMarkSize};
  UINT look = DFCS_BUTTONCHECK;
  if (Checked(Index)) look |= DFCS_CHECKED;
  if (flat_) look |= DFCS_FLAT;
  if (!Enabled()) look |= DFCS_INACTIVE;
  DrawFrameControl(dc, &mark, DFC_BUTTON, look);
  RECT text = Rect;
  text.left += kMarkStrip;
  TCustomListBox::DrawItem(Index, text, State);
}

void TCheckListBox::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      TCustomListBox::WndProc(Message);
      const POINT p = MousePoint(Message.LParam);
      const int index = ItemAtPos(p);
      if (index >= 0 && p.x - ItemRect(index).left < kMarkStrip) Toggle(index);
      return;
    }
    case WM_KEYDOWN:
      TCustomListBox::WndProc(Message);
      if (Message.WParam == VK_SPACE && ItemIndex() >= 0) Toggle(ItemIndex());
      return;
    default:
      return TCustomListBox::WndProc(Message);
  }
}

void TCheckListBox::Toggle(int index) {
  SetChecked(index, !Checked(index));
  ClickCheck();
}

void TCheckListBox::ClickCheck() {
  if (OnClickCheck) OnClickCheck(this);
}

}  // namespace ui
