// TCustomEdit / TEdit: the native edit box: read-only, maximum length, password character,
// the selection, and OnChange after every change of its text (typed or set).
#pragma once

#include "NativeControl.h"

namespace ui {

class TCustomEdit : public TNativeControl {
  UI_CLASS(TCustomEdit, TNativeControl)
 public:
  explicit TCustomEdit(TComponent* AOwner);

  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool value);
  // Characters the user may type; 0 for the system's limit.
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int value);
  // Shown in place of every character; 0 shows the text.
  char PasswordChar() const { return passwordChar_; }
  void SetPasswordChar(char value);

  int SelStart();
  void SetSelStart(int value);
  int SelLength();
  void SetSelLength(int value);
  std::string SelText();
  void SelectAll();

  TNotifyEvent OnChange;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWindowHandle() override;
  void WndProc(TMessage& Message) override;
  virtual void Change();

 private:
  bool readOnly_ = false;
  int maxLength_ = 0;
  char passwordChar_ = 0;
  int fillingWindow_ = 0;
};

class TEdit : public TCustomEdit {
  UI_CLASS(TEdit, TCustomEdit)
 public:
  using TCustomEdit::TCustomEdit;
};

}  // namespace ui
