#include "ListBox.h"

namespace ui {

namespace {
const TControlItems::Messages kListMessages{LB_INSERTSTRING, LB_DELETESTRING, LB_RESETCONTENT,
                                            LB_GETCURSEL,    LB_SETCURSEL,    LB_GETITEMHEIGHT,
                                            LB_SETITEMHEIGHT};
}  // namespace

TCustomListBox::TCustomListBox(TComponent* AOwner) : TCustomListControl(AOwner, kListMessages) {
  // The list box tells clicks itself (LBN_SELCHANGE).
  SetControlStyle(ControlStyle() & ~(csCaptureMouse | csClickEvents));
  SetBounds(0, 0, 121, 97);
}

void TCustomListBox::SetStyle(TListBoxStyle value) {
  if (value == style_) return;
  style_ = value;
  RecreateWnd();
}

void TCustomListBox::SetMultiSelect(bool value) {
  if (value == multiSelect_) return;
  multiSelect_ = value;
  RecreateWnd();
}

void TCustomListBox::SetIntegralHeight(bool value) {
  if (value == integralHeight_) return;
  integralHeight_ = value;
  RecreateWnd();
}

int TCustomListBox::ItemIndex() {
  if (!multiSelect_ || !HandleAllocated()) return TCustomListControl::ItemIndex();
  const int caret = static_cast<int>(SendMessageA(Handle(), LB_GETCARETINDEX, 0, 0));
  return caret >= 0 && caret < Items().Count() && Selected(caret) ? caret : -1;
}

void TCustomListBox::SetItemIndex(int value) {
  if (!multiSelect_ || !HandleAllocated()) return TCustomListControl::SetItemIndex(value);
  SendMessageA(Handle(), LB_SETCARETINDEX, value, FALSE);
  if (value >= 0) SetSelected(value, true);
}

bool TCustomListBox::Selected(int index) {
  if (!HandleAllocated()) return !multiSelect_ && index == TCustomListControl::ItemIndex();
  if (!multiSelect_) return index == ItemIndex();
  return SendMessageA(Handle(), LB_GETSEL, index, 0) > 0;
}

void TCustomListBox::SetSelected(int index, bool value) {
  if (!multiSelect_) {
    if (value) SetItemIndex(index);
    else if (ItemIndex() == index) SetItemIndex(-1);
    return;
  }
  SendMessageA(Handle(), LB_SETSEL, value, index);
}

int TCustomListBox::SelCount() {
  if (!multiSelect_) return ItemIndex() >= 0 ? 1 : 0;
  return static_cast<int>(SendMessageA(Handle(), LB_GETSELCOUNT, 0, 0));
}

int TCustomListBox::TopIndex() { return static_cast<int>(SendMessageA(Handle(), LB_GETTOPINDEX, 0, 0)); }

void TCustomListBox::SetTopIndex(int value) { SendMessageA(Handle(), LB_SETTOPINDEX, value, 0); }

int TCustomListBox::ItemAtPos(POINT point) {
  const LRESULT result = SendMessageA(Handle(), LB_ITEMFROMPOINT, 0, MAKELPARAM(point.x, point.y));
  // The high word is set when the point lies below the last item.
  if (HIWORD(result)) return -1;
  const int index = LOWORD(result);
  return index < Items().Count() ? index : -1;
}

RECT TCustomListBox::ItemRect(int index) {
  RECT r{};
  SendMessageA(Handle(), LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
  return r;
}

void TCustomListBox::CreateParams(TCreateParams& Params) {
  TCustomListControl::CreateParams(Params);
  Params.NativeClass = "LISTBOX";
  Params.Style |= WS_VSCROLL | LBS_NOTIFY | LBS_HASSTRINGS;
  if (!integralHeight_) Params.Style |= LBS_NOINTEGRALHEIGHT;
  if (multiSelect_) Params.Style |= LBS_EXTENDEDSEL;
  if (style_ == lbOwnerDrawVariable) Params.Style |= LBS_OWNERDRAWVARIABLE;
  else if (style_ == lbOwnerDrawFixed || DrawsItself()) Params.Style |= LBS_OWNERDRAWFIXED;
}

void TCustomListBox::WndProc(TMessage& Message) {
  if (Message.Msg == CN_COMMAND && HIWORD(Message.WParam) == LBN_SELCHANGE) return Click();
  TCustomListControl::WndProc(Message);
}

}  // namespace ui
