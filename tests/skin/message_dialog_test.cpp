// The skinned message dialog: its window laid out from the text, the icon and the button
// count, refused settings, and the window shown modally and answered through its buttons and
// keys; a picture of it in every style goes to the build folder's captures.
#include <gtest/gtest.h>

#include <vector>

#include "Application.h"
#include "KIVButton.h"
#include "KIVDlg.h"
#include "MessageBoxes.h"
#include "ModalAnswer.h"
#include "WindowCapture.h"
#include "WindowInput.h"
#include "WindowTestKit.h"
#include "frmMessage.h"

using kiv::TkivMessageDialog;
using kiv::TkivUIStyle;

namespace {

TEST(MessageLayout, ButtonsSitBelowTheTextOrTheIconFromTheRight) {
  // A short text: the icon's bottom (104) decides.
  auto l = kiv::LayoutMessageWindow(334, 77, true, 2);
  EXPECT_EQ(l.textLeft, 88);
  EXPECT_EQ(l.width, 334);
  EXPECT_EQ(l.buttonsTop, 124);
  EXPECT_EQ(l.height, 169);
  EXPECT_EQ(l.buttonLeft[1], 334 - 97);
  EXPECT_EQ(l.buttonLeft[0], 334 - 97 - 93);
  // A long text pushes them down.
  l = kiv::LayoutMessageWindow(334, 150, true, 1);
  EXPECT_EQ(l.buttonsTop, 170);
  EXPECT_EQ(l.height, 215);
  EXPECT_EQ(l.buttonLeft[0], 237);
  // No icon: the text moves left and a window of one or two buttons narrows by 64.
  l = kiv::LayoutMessageWindow(334, 77, false, 2);
  EXPECT_EQ(l.textLeft, 24);
  EXPECT_EQ(l.width, 270);
  EXPECT_EQ(l.buttonLeft[1], 270 - 97);
  l = kiv::LayoutMessageWindow(334, 77, false, 3);
  EXPECT_EQ(l.width, 334);
  EXPECT_EQ(l.buttonLeft[0], 334 - 97 - 186);
}

TEST(MessageDialogSettings, StartAsHelloWorldWithOneOkAndRefuseWhatCannotBe) {
  TkivMessageDialog dialog(nullptr);
  EXPECT_EQ(dialog.Text(), "Hello world!");
  EXPECT_EQ(dialog.Caption(), "kivDialog");
  EXPECT_EQ(dialog.ButtonCount(), 1);
  EXPECT_EQ(dialog.Button1Caption(), "OK");
  EXPECT_EQ(dialog.Button1ModalResult(), ui::mrOk);
  EXPECT_EQ(dialog.Button3ModalResult(), ui::mrCancel);
  EXPECT_EQ(dialog.ButtonCursor(), -21);
  EXPECT_EQ(dialog.Position(), ui::poScreenCenter);
  EXPECT_EQ(dialog.UIStyle(), TkivUIStyle::DeepBlue);

  skintest::MessageBoxes boxes;
  dialog.SetButtonCount(3);
  dialog.SetButtonCount(4);
  dialog.SetButtonCount(0);
  EXPECT_EQ(dialog.ButtonCount(), 3);
  dialog.SetUIStyle(TkivUIStyle::Protein);
  dialog.SetUIStyle(TkivUIStyle::Custom);
  EXPECT_EQ(dialog.UIStyle(), TkivUIStyle::Protein);
  ASSERT_EQ(boxes.texts.size(), 3u);
  EXPECT_EQ(boxes.texts[0].rfind("Sorry", 0), 0u);
  EXPECT_EQ(boxes.texts[2], "Sorry, can't be custom style");
}

// The window's buttons, button 1 first.
std::vector<kiv::TkivButton*> Buttons(ui::TForm& window) {
  std::vector<kiv::TkivButton*> buttons;
  for (int i = window.ComponentCount() - 1; i >= 0; --i)
    if (auto* b = dynamic_cast<kiv::TkivButton*>(window.Components(i))) buttons.push_back(b);
  return buttons;
}

TEST(MessageDialogWindow, TheButtonPressedGivesTheResult) {
  TkivMessageDialog dialog(nullptr);
  dialog.SetButtonCount(2);
  dialog.SetButton1Caption("Yes");
  dialog.SetButton1ModalResult(ui::mrYes);
  dialog.SetButton2Caption("No");
  dialog.SetButton2ModalResult(ui::mrNo);
  {
    testkit::ModalAnswer answer([](ui::TForm& window) {
      auto buttons = Buttons(window);
      ASSERT_EQ(buttons.size(), 2u);
      EXPECT_EQ(buttons[0]->Caption(), "Yes");
      EXPECT_EQ(buttons[0]->Cursor(), ui::crHandPoint);
      EXPECT_LT(buttons[0]->Left(), buttons[1]->Left());
      testkit::Click(*buttons[1]);
    });
    EXPECT_EQ(dialog.ShowModal(), ui::mrNo);
    EXPECT_TRUE(answer.Answered());
  }
  // Button 1 holds the focus: Enter is its result.
  testkit::ModalAnswer enter([](ui::TForm& window) {
    EXPECT_TRUE(Buttons(window)[0]->Focused());
    testkit::PressKey(VK_RETURN);
  });
  EXPECT_EQ(dialog.ShowModal(), ui::mrYes);
  // Escape answers as the cancelling button, with the focus on another.
  dialog.SetButton2Caption("Cancel");
  dialog.SetButton2ModalResult(ui::mrCancel);
  testkit::ModalAnswer escape([](ui::TForm& window) {
    testkit::PressKey(VK_ESCAPE);
    if (window.ModalResult() == ui::mrNone) window.SetModalResult(ui::mrIgnore);
  });
  EXPECT_EQ(dialog.ShowModal(), ui::mrCancel);
  EXPECT_TRUE(escape.Answered());
}

TEST(MessageDialogWindow, AButtonWithoutResultLeavesTheWindowOpen) {
  TkivMessageDialog dialog(nullptr);
  dialog.SetButton1ModalResult(ui::mrNone);
  testkit::ModalAnswer answer([](ui::TForm& window) {
    testkit::Click(*Buttons(window)[0]);
    EXPECT_TRUE(window.Visible());
    window.Close();
  });
  EXPECT_EQ(dialog.ShowModal(), ui::mrCancel);
}

TEST(MessageDialogWindow, ALongTextWrapsAndTheWindowGrowsBelowIt) {
  TkivMessageDialog dialog(nullptr);
  dialog.SetIconType(kiv::TkivIconType::kivWarning);
  dialog.SetText(std::string(40, 'x') + " " + std::string(120, 'w') +
                 " The files of this disc exist already. Replace them?");
  testkit::ModalAnswer answer([](ui::TForm& window) {
    auto& msg = static_cast<kiv::TfrmMsg&>(window);
    EXPECT_EQ(msg.lbl->Width(), 225);
    EXPECT_GT(msg.lbl->Height(), 40);
    const int textBottom = msg.lbl->Top() + msg.lbl->Height();
    EXPECT_EQ(Buttons(window)[0]->Top(), textBottom + 20);
    EXPECT_TRUE(msg.Image1->Visible());
    window.SetModalResult(ui::mrOk);
  });
  EXPECT_EQ(dialog.ShowModal(), ui::mrOk);
}

class MessageDialogStyles : public ::testing::TestWithParam<TkivUIStyle> {};

TEST_P(MessageDialogStyles, TheDialogWearsTheStyle) {
  TkivMessageDialog dialog(nullptr);
  dialog.SetUIStyle(GetParam());
  dialog.SetCaption("TalvoRipper");
  dialog.SetText("Do you want to stop ripping? The track being ripped will be incomplete.");
  dialog.SetIconType(kiv::TkivIconType::kivHelp);
  dialog.SetButtonCount(3);
  dialog.SetButton1Caption("Yes");
  dialog.SetButton2Caption("No");
  static const char* const kNames[] = {"Custom", "MacOS", "WinXP", "DeepBlue", "Protein", "BlueGlass"};
  const std::string name = std::string("skin_message_dialog_") + kNames[static_cast<int>(GetParam())];
  testkit::ModalAnswer answer([&](ui::TForm& window) {
    auto buttons = Buttons(window);
    for (auto* button : buttons) EXPECT_EQ(button->UIStyle(), GetParam());
    testkit::PumpFor(50);
    testkit::CaptureAndSave(window, name);
    window.SetModalResult(ui::mrCancel);
  });
  EXPECT_EQ(dialog.ShowModal(), ui::mrCancel);
}

INSTANTIATE_TEST_SUITE_P(Styles, MessageDialogStyles,
                         ::testing::Values(TkivUIStyle::MacOS, TkivUIStyle::WinXP,
                                           TkivUIStyle::DeepBlue, TkivUIStyle::Protein,
                                           TkivUIStyle::BlueGlass));

}  // namespace
