#include "KIVDlg.h"

#include <algorithm>
#include <memory>

#include "Application.h"
#include "KIVButton.h"
#include "KIVPublic.h"
#include "frmMessage.h"

namespace kiv {

namespace {

constexpr int kButtonWidth = 73;
constexpr int kButtonHeight = 25;
constexpr int kButtonStep = 93;
constexpr int kRightMargin = 24;
constexpr int kGap = 20;
// Where the icon ends as laid out: text shorter than that still puts the buttons below it.
constexpr int kIconBottom = 64 + 40;

}  // namespace

const char* MessageIconName(TkivIconType icon) {
  switch (icon) {
    case TkivIconType::kivWarning: return "MSGDLG_WARNING";
    case TkivIconType::kivStop: return "MSGDLG_ERROR";
    case TkivIconType::kivInformation: return "MSGDLG_INFORMATION";
    case TkivIconType::kivHelp: return "MSGDLG_QUESTION";
    case TkivIconType::kivNone: break;
  }
  return "";
}

TkivMessageLayout LayoutMessageWindow(int designedWidth, int textBottom, bool icon, int buttonCount) {
  TkivMessageLayout layout{};
  const int bottom = std::max(textBottom, kIconBottom);
  layout.textLeft = icon ? 88 : 24;
  // Without an icon a window of one or two buttons has no need of the icon's room.
  layout.width = !icon && buttonCount < 3 ? designedWidth - 64 : designedWidth;
  layout.buttonsTop = bottom + kGap;
  layout.height = bottom + kGap + kButtonHeight + kGap;
  // The last button sits at the right, the others to its left in turn.
  for (int n = 1; n <= buttonCount; ++n)
    layout.buttonLeft[n - 1] = layout.width - kButtonWidth - kRightMargin - kButtonStep * (buttonCount - n);
  return layout;
}

TkivDialog::TkivDialog(ui::TComponent* AOwner) : TComponent(AOwner) {}

void TkivDialog::SetUIStyle(TkivUIStyle value) {
  if (value == TkivUIStyle::Custom) return RefuseWrite(*this, "Sorry, can't be custom style");
  style_ = value;
}

void TkivMessageDialog::SetButtonCount(int value) {
  if (value < 1 || value > 3)
    return RefuseWrite(*this, "Sorry, a message dialog has one, two or three buttons");
  buttonCount_ = value;
}

int TkivMessageDialog::ShowModal() {
  std::unique_ptr<TfrmMsg> window(ui::Create<TfrmMsg>(&ui::Application()));
  window->SetFont(Font());
  window->lbl->SetCaption(text_);
  const bool icon = iconType_ != TkivIconType::kivNone;
  const TkivMessageLayout layout = LayoutMessageWindow(
      window->Width(), window->lbl->Top() + window->lbl->Height(), icon, buttonCount_);
  window->lbl->SetLeft(layout.textLeft);
  if (icon) window->Image1->Picture().Bitmap().LoadFromResourceName(nullptr, MessageIconName(iconType_));
  else window->Image1->Hide();
  window->SetWidth(layout.width);
  // Made from the rightmost in: the last one made, button 1, holds the focus.
  for (int n = buttonCount_; n >= 1; --n) {
    auto* button = new TkivButton(window.get());
    button->SetParent(window->kivForm1);
    button->SetBounds(layout.buttonLeft[n - 1], layout.buttonsTop, kButtonWidth, kButtonHeight);
    button->SetCursor(ButtonCursor());
    button->SetTabStop(true);
    button->SetTabOrder(1);
    button->SetCaption(buttons_[n - 1].caption);
    button->SetModalResult(buttons_[n - 1].modalResult);
    // Escape answers as a cancelling button does, as in the system's message boxes.
    button->SetCancel(buttons_[n - 1].modalResult == ui::mrCancel);
    window->SetActiveControl(button);
  }
  window->SetHeight(layout.height);
  window->SetPosition(Position());
  window->kivForm1->SetCaption(Caption());
  window->kivForm1->SetUIStyle(UIStyle());
  return window->ShowModal();
}

}  // namespace kiv
