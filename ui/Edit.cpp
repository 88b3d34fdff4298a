#include "Edit.h"

#include <algorithm>

namespace ui {

TCustomEdit::TCustomEdit(TComponent* AOwner) : TNativeControl(AOwner) {
  SetBounds(0, 0, 121, 21);
}

void TCustomEdit::SetReadOnly(bool value) {
  readOnly_ = value;
  if (HandleAllocated()) SendMessageA(Handle(), EM_SETREADONLY, value, 0);
}

void TCustomEdit::SetMaxLength(int value) {
  maxLength_ = std::max(value, 0);
  if (HandleAllocated()) SendMessageA(Handle(), EM_LIMITTEXT, maxLength_, 0);
}

void TCustomEdit::SetPasswordChar(char value) {
  if (value == passwordChar_) return;
  passwordChar_ = value;
  if (!HandleAllocated()) return;
  SendMessageA(Handle(), EM_SETPASSWORDCHAR, static_cast<unsigned char>(value), 0);
  Invalidate();
}

int TCustomEdit::SelStart() {
  DWORD start = 0;
  SendMessageA(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
  return static_cast<int>(start);
}

void TCustomEdit::SetSelStart(int value) { SendMessageA(Handle(), EM_SETSEL, value, value); }

int TCustomEdit::SelLength() {
  DWORD start = 0, end = 0;
  SendMessageA(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(end - start);
}

void TCustomEdit::SetSelLength(int value) {
  const int start = SelStart();
  SendMessageA(Handle(), EM_SETSEL, start, start + value);
}

std::string TCustomEdit::SelText() {
  const int start = SelStart();
  return Text().substr(start, SelLength());
}

void TCustomEdit::SelectAll() { SendMessageA(Handle(), EM_SETSEL, 0, -1); }

void TCustomEdit::CreateParams(TCreateParams& Params) {
  TNativeControl::CreateParams(Params);
  Params.NativeClass = "EDIT";
  // The text goes in once the limit is lifted: a long memo's text fails a new edit window.
  Params.Caption.clear();
  Params.Style |= ES_AUTOHSCROLL;
  if (readOnly_) Params.Style |= ES_READONLY;
}

void TCustomEdit::CreateWindowHandle() {
  TNativeControl::CreateWindowHandle();
  // 0 lifts the system's default limit, which would stop a long memo's typing at 32 KB.
  SendMessageA(Handle(), EM_LIMITTEXT, maxLength_, 0);
  {
    // Putting the kept text back is no change of the user's.
    ScopedCount own(fillingWindow_);
    SetWindowTextA(Handle(), TControl::GetText().c_str());
  }
  if (passwordChar_) SendMessageA(Handle(), EM_SETPASSWORDCHAR, static_cast<unsigned char>(passwordChar_), 0);
}

void TCustomEdit::WndProc(TMessage& Message) {
  if (Message.Msg == CN_COMMAND && HIWORD(Message.WParam) == EN_CHANGE) {
    if (!fillingWindow_) Change();
    return;
  }
  TNativeControl::WndProc(Message);
}

void TCustomEdit::Change() {
  if (OnChange) OnChange(this);
}

}  // namespace ui
