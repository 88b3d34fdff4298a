// Unit KIVDlg: skinned dialogs as non-visual components. TkivMessageDialog shows a text, an
// optional icon and one to three buttons in a window wearing the form skin, in the dialog's
// style, and returns the modal result of the button pressed.
#pragma once

#include <array>
#include <string>

#include "Component.h"
#include "Cursor.h"
#include "Font.h"
#include "Form.h"
#include "KIVThemes.h"

namespace kiv {

// Scoped: the title bar's button types have a kivHelp of their own.
enum class TkivIconType { kivNone = 0, kivWarning = 1, kivStop = 2, kivInformation = 3, kivHelp = 4 };

// The name of the program's bitmap for the icon; empty for kivNone.
const char* MessageIconName(TkivIconType icon);

// Where the parts of a message window go, from the window's designed width, the bottom of its
// text (already wrapped), whether it shows an icon and how many buttons it has.
struct TkivMessageLayout {
  int textLeft;
  int width;
  int height;
  int buttonsTop;
  // Left of button number n + 1: button 1 leftmost.
  std::array<int, 3> buttonLeft;
};
TkivMessageLayout LayoutMessageWindow(int designedWidth, int textBottom, bool icon, int buttonCount);

class TkivDialog : public ui::TComponent {
  UI_CLASS(TkivDialog, ui::TComponent)
 public:
  explicit TkivDialog(ui::TComponent* AOwner);

  ui::TPosition Position() const { return position_; }
  void SetPosition(ui::TPosition value) { position_ = value; }
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& value) { caption_ = value; }
  ui::TCursor ButtonCursor() const { return buttonCursor_; }
  void SetButtonCursor(ui::TCursor value) { buttonCursor_ = value; }
  TkivUIStyle UIStyle() const { return style_; }
  // A dialog is always in one of the styles: Custom is refused and the style kept.
  void SetUIStyle(TkivUIStyle value);
  ui::TFont& Font() { return font_; }
  void SetFont(const ui::TFont& value) { font_.Assign(value); }

  virtual int ShowModal() = 0;

 private:
  ui::TPosition position_ = ui::poScreenCenter;
  std::string caption_ = "kivDialog";
  ui::TCursor buttonCursor_ = ui::crHandPoint;
  TkivUIStyle style_ = TkivUIStyle::DeepBlue;
  ui::TFont font_;
};

class TkivMessageDialog : public TkivDialog {
  UI_CLASS(TkivMessageDialog, TkivDialog)
 public:
  using TkivDialog::TkivDialog;

  int ButtonCount() const { return buttonCount_; }
  // 1 to 3; anything else is refused and the count kept.
  void SetButtonCount(int value);
  const std::string& Button1Caption() const { return buttons_[0].caption; }
  void SetButton1Caption(const std::string& value) { buttons_[0].caption = value; }
  const std::string& Button2Caption() const { return buttons_[1].caption; }
  void SetButton2Caption(const std::string& value) { buttons_[1].caption = value; }
  const std::string& Button3Caption() const { return buttons_[2].caption; }
  void SetButton3Caption(const std::string& value) { buttons_[2].caption = value; }
  int Button1ModalResult() const { return buttons_[0].modalResult; }
  void SetButton1ModalResult(int value) { buttons_[0].modalResult = value; }
  int Button2ModalResult() const { return buttons_[1].modalResult; }
  void SetButton2ModalResult(int value) { buttons_[1].modalResult = value; }
  int Button3ModalResult() const { return buttons_[2].modalResult; }
  void SetButton3ModalResult(int value) { buttons_[2].modalResult = value; }
  TkivIconType IconType() const { return iconType_; }
  void SetIconType(TkivIconType value) { iconType_ = value; }
  const std::string& Text() const { return text_; }
  void SetText(const std::string& value) { text_ = value; }

  // Makes the window anew, shows it modally over the program's windows and frees it; the
  // result of the button pressed, or the cancel result when it was closed otherwise.
  int ShowModal() override;

 private:
  struct Button {
    std::string caption;
    int modalResult;
  };
  int buttonCount_ = 1;
  std::array<Button, 3> buttons_{{{"OK", ui::mrOk}, {"Cancel", ui::mrCancel}, {"Cancel", ui::mrCancel}}};
  TkivIconType iconType_ = TkivIconType::kivNone;
  std::string text_ = "Hello world!";
};

}  // namespace kiv
