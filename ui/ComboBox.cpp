#include "ComboBox.h"

#include <algorithm>

namespace ui {

namespace {
const TControlItems::Messages kComboMessages{CB_INSERTSTRING, CB_DELETESTRING, CB_RESETCONTENT,
                                             CB_GETCURSEL,    CB_SETCURSEL,    CB_GETITEMHEIGHT,
                                             CB_SETITEMHEIGHT};
}  // namespace

TCustomComboBox::TCustomComboBox(TComponent* AOwner) : TCustomListControl(AOwner, kComboMessages) {
  SetBorderStyle(bsNone);  // the combo box draws its own edge
  SetBounds(0, 0, 145, 21);
}

void TCustomComboBox::SetStyle(TComboBoxStyle value) {
  if (value == style_) return;
  style_ = value;
  RecreateWnd();
}

void TCustomComboBox::SetDropDownCount(int value) {
  dropDownCount_ = value;
  if (HandleAllocated()) SetListHeight();
}

int TCustomComboBox::ListHeight() {
  const int line = ItemHeight() > 0 ? ItemHeight() : FontLineHeight(Font());
  return dropDownCount_ * line + 2;
}

// A combo box takes a window height above its closed one as its height with the list open,
// and sets the window back to the closed height. (CB_SETMINVISIBLE is known to the version 6
// controls only, which the program does not use.)
void TCustomComboBox::SetListHeight() {
  if (style_ == csSimple) return;
  SetWindowPos(Handle(), nullptr, 0, 0, Width(), Height() + ListHeight(),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TCustomComboBox::SetMaxLength(int value) {
  maxLength_ = std::max(value, 0);
  if (HandleAllocated()) SendMessageA(Handle(), CB_LIMITTEXT, maxLength_, 0);
}

bool TCustomComboBox::DroppedDown() {
  return HandleAllocated() && SendMessageA(Handle(), CB_GETDROPPEDSTATE, 0, 0) != 0;
}

void TCustomComboBox::SetDroppedDown(bool value) {
  SendMessageA(Handle(), CB_SHOWDROPDOWN, value, 0);
}

void TCustomComboBox::CreateParams(TCreateParams& Params) {
  TCustomListControl::CreateParams(Params);
  Params.NativeClass = "COMBOBOX";
  Params.Style |= WS_VSCROLL | CBS_HASSTRINGS | CBS_AUTOHSCROLL;
  switch (style_) {
    case csDropDown: Params.Style |= CBS_DROPDOWN; break;
    case csSimple: Params.Style |= CBS_SIMPLE; break;
    case csDropDownList: Params.Style |= CBS_DROPDOWNLIST; break;
    case csOwnerDrawFixed: Params.Style |= CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED; break;
    case csOwnerDrawVariable: Params.Style |= CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE; break;
  }
  // The window's height at creation is the height with the list open; the combo box then
  // takes the closed height its font gives.
  if (style_ != csSimple) Params.Height = Height() + ListHeight();
}

void TCustomComboBox::CreateWindowHandle() {
  TCustomListControl::CreateWindowHandle();
  if (maxLength_ > 0) SendMessageA(Handle(), CB_LIMITTEXT, maxLength_, 0);
  SetListHeight();
}

void TCustomComboBox::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case CN_COMMAND:
      return CNCommand(Message);
    case WM_GETDLGCODE:
      TCustomListControl::WndProc(Message);
      // While the list is open, Enter takes its item and Escape drops it, and both close only
      // the list: they are the box's keys then, not the dialog's.
      if ((Message.WParam == VK_RETURN || Message.WParam == VK_ESCAPE) && DroppedDown())
        Message.Result |= DLGC_WANTALLKEYS;
      return;
    case WM_KEYDOWN:
      if (Message.WParam != VK_ESCAPE || !DroppedDown()) return TCustomListControl::WndProc(Message);
      TCustomListControl::WndProc(Message);
      // The item the list was opened on is chosen again, and the handlers hear of it.
      if (ItemIndex() != droppedIndex_) {
        SetItemIndex(droppedIndex_);
        Selected();
      }
      return;
    case CM_FONTCHANGED:
      TCustomListControl::WndProc(Message);
      // Sent through WindowProc, so a derived box can hold the new window back.
      if (HandleAllocated()) Perform(CM_RECREATEWND);
      return;
    default:
      return TCustomListControl::WndProc(Message);
  }
}

void TCustomComboBox::CNCommand(TMessage& Message) {
  switch (HIWORD(Message.WParam)) {
    case CBN_SELCHANGE: return Selected();
    case CBN_EDITCHANGE: return Change();
    case CBN_DROPDOWN:
      droppedIndex_ = ItemIndex();
      return DropDown();
    case CBN_CLOSEUP: return CloseUp();
    default: return;
  }
}

void TCustomComboBox::Selected() {
  // An edit shows the new choice only after the notification: the handlers see it now.
  const int index = ItemIndex();
  if ((style_ == csDropDown || style_ == csSimple) && index >= 0 && index < Items().Count())
    SetWindowTextA(Handle(), Items()[index].c_str());
  Click();
  Select();
}

void TCustomComboBox::Change() {
  if (OnChange) OnChange(this);
}

void TCustomComboBox::Select() {
  if (OnSelect) OnSelect(this);
  else Change();
}

void TCustomComboBox::DropDown() {
  if (OnDropDown) OnDropDown(this);
}

void TCustomComboBox::CloseUp() {
  if (OnCloseUp) OnCloseUp(this);
}

}  // namespace ui
