#include "ListControl.h"

namespace ui {

TCustomListControl::TCustomListControl(TComponent* AOwner, const TControlItems::Messages& messages)
    : TNativeControl(AOwner), messages_(messages), items_(*this, messages_) {}

int TCustomListControl::ItemIndex() {
  if (!HandleAllocated()) return itemIndex_;
  return static_cast<int>(SendMessageA(Handle(), messages_.GetCurSel, 0, 0));
}

void TCustomListControl::SetItemIndex(int value) {
  itemIndex_ = value;
  if (HandleAllocated()) SendMessageA(Handle(), messages_.SetCurSel, value, 0);
}

int TCustomListControl::ItemHeight() {
  if (!HandleAllocated() || itemHeight_ > 0) return itemHeight_;
  return static_cast<int>(SendMessageA(Handle(), messages_.GetItemHeight, 0, 0));
}

void TCustomListControl::SetItemHeight(int value) {
  if (value <= 0 || value == itemHeight_) return;
  itemHeight_ = value;
  if (HandleAllocated()) {
    SendMessageA(Handle(), messages_.SetItemHeight, 0, value);
    Invalidate();
  }
}

void TCustomListControl::CreateWindowHandle() {
  TNativeControl::CreateWindowHandle();
  items_.FillWindow();
  if (itemIndex_ >= 0) SendMessageA(Handle(), messages_.SetCurSel, itemIndex_, 0);
}

void TCustomListControl::DestroyWnd() {
  if (HandleAllocated()) itemIndex_ = ItemIndex();
  TNativeControl::DestroyWnd();
}

void TCustomListControl::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case CN_DRAWITEM:
      CNDrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam));
      Message.Result = TRUE;
      return;
    case CN_MEASUREITEM:
      CNMeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam));
      Message.Result = TRUE;
      return;
    default:
      return TNativeControl::WndProc(Message);
  }
}

void TCustomListControl::CNDrawItem(const DRAWITEMSTRUCT& item) {
  const TOwnerDrawState state = OwnerDrawState(item.itemState);
  CanvasOn canvas(*this, item.hDC);
  const int index = static_cast<int>(item.itemID);
  if (index >= 0 && (state & odSelected)) {
    Canvas().Brush().SetColor(clHighlight);
    Canvas().Font().SetColor(clHighlightText);
  }
  if (index >= 0 && index < items_.Count()) DrawItem(index, item.rcItem, state);
  else Canvas().FillRect(item.rcItem);
  if (state & odFocused) DrawFocusRect(item.hDC, &item.rcItem);
}

void TCustomListControl::CNMeasureItem(MEASUREITEMSTRUCT& item) {
  // Without a height of its own an item is as high as a line of the control's font (the
  // system would measure the font the window had before it was given this one).
  item.itemHeight = itemHeight_ > 0 ? itemHeight_ : FontLineHeight(Font()) + 2;
  const int index = static_cast<int>(item.itemID);
  if (VariableItemHeight() && index >= 0) {
    int height = static_cast<int>(item.itemHeight);
    MeasureItem(index, height);
    item.itemHeight = height;
  }
}

void TCustomListControl::DrawItem(int Index, const RECT& Rect, TOwnerDrawState State) {
  if (OnDrawItem) return OnDrawItem(this, Index, Rect, State);
  Canvas().FillRect(Rect);
  Canvas().TextOut(Rect.left + 2, Rect.top, items_[Index]);
}

void TCustomListControl::MeasureItem(int Index, int& Height) {
  if (OnMeasureItem) OnMeasureItem(this, Index, Height);
}

}  // namespace ui
