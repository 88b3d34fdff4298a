// Push buttons on a shown window, driven by input posted through the message queue: the click on release
// inside only, the repeat while held and its end, Enter pressing the focused button and else the
// default one, Escape the cancel one, accelerators, and the modal result handed to the form.
#include <gtest/gtest.h>

#include "KIVButton.h"
#include "SkinTestForm.h"
#include "WaitUntil.h"
#include "WindowInput.h"
#include "WindowTestKit.h"

using kiv::TkivButton;

namespace {

class ButtonWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    form.SetBounds(40, 40, 300, 120);
    ok = Place(10, "&Ok");
    cancel = Place(100, "Cancel");
    edit = new testkit::EditBox(&form);
    edit->SetBounds(190, 10, 90, 22);
    edit->SetParent(&form);
    form.Show();
    testkit::Pump();
  }
  TkivButton* Place(int left, const std::string& caption) {
    auto* button = new TkivButton(&form);
    button->SetLeft(left);
    button->SetTop(10);
    button->SetCaption(caption);
    button->SetParent(&form);
    button->OnClick = [this, button](ui::TComponent*) { clicks.push_back(button->Caption()); };
    return button;
  }
  // Through the queue, as typed: the framework offers it to the focused control first.
  void Key(HWND target, UINT msg, WPARAM key) {
    PostMessageA(target, msg, key, 1);
    testkit::Pump();
  }

  skintest::SkinnedForm form;
  TkivButton* ok = nullptr;
  TkivButton* cancel = nullptr;
  testkit::EditBox* edit = nullptr;
  std::vector<std::string> clicks;
};

TEST_F(ButtonWindow, AClickIsAReleaseInsideThePressedButton) {
  testkit::MouseDown(*ok, 10, 10);
  EXPECT_TRUE(ok->Pressed());
  testkit::MouseUp(*ok, 12, 11);
  EXPECT_FALSE(ok->Pressed());
  EXPECT_EQ(clicks, std::vector<std::string>{"&Ok"});

  testkit::MouseDown(*ok, 10, 10);
  testkit::MouseMove(*ok, -4, 10);
  EXPECT_FALSE(ok->Pressed());
  testkit::MouseUp(*ok, -4, 10);
  EXPECT_EQ(clicks.size(), 1u);

  // A double click is two clicks.
  testkit::DoubleClick(*ok, 10, 10);
  EXPECT_EQ(clicks.size(), 3u);
}

TEST_F(ButtonWindow, AClickHandsTheButtonsModalResultToTheFormEvenZero) {
  form.SetModalResult(ui::mrCancel);
  testkit::Click(*ok);
  EXPECT_EQ(form.ModalResult(), 0);
  cancel->SetModalResult(ui::mrCancel);
  testkit::Click(*cancel);
  EXPECT_EQ(form.ModalResult(), ui::mrCancel);
}

TEST_F(ButtonWindow, AHeldButtonRepeatsUntilReleasedOrItsCaptureIsLost) {
  int ticks = 0;
  ok->SetMouseContinuouslyDownInterval(20);
  ok->OnMouseContinuouslyDown = [&](ui::TComponent*) { ++ticks; };
  testkit::MouseDown(*ok, 10, 10);
  EXPECT_TRUE(testkit::WaitUntil([&] { return ticks >= 3; }));
  testkit::MouseUp(*ok, 10, 10);
  EXPECT_FALSE(ok->Repeating());
  int atRelease = ticks;
  testkit::PumpFor(100);
  EXPECT_EQ(ticks, atRelease);

  // The release goes elsewhere: another window takes the mouse.
  testkit::MouseDown(*ok, 10, 10);
  EXPECT_TRUE(ok->Repeating());
  SetCapture(edit->Handle());
  EXPECT_FALSE(ok->Repeating());
  EXPECT_FALSE(ok->Pressed());
  ReleaseCapture();
  atRelease = ticks;
  testkit::PumpFor(100);
  EXPECT_EQ(ticks, atRelease);

  // Cancel mode (a menu or a modal window opening) ends it too, and so does the focus going.
  testkit::MouseDown(*ok, 10, 10);
  testkit::Send(*ok, WM_CANCELMODE);
  EXPECT_FALSE(ok->Repeating());
  ok->SetFocus();
  testkit::MouseDown(*ok, 10, 10);
  edit->SetFocus();
  EXPECT_FALSE(ok->Repeating());
  EXPECT_FALSE(ok->Pressed());
}

TEST_F(ButtonWindow, EnterReachesTheDefaultButtonFromAControlThatIsNoPushButtonAndEscapeTheCancelOne) {
  ok->SetDefault(true);
  cancel->SetCancel(true);
  auto* box = ui::Create<kiv::TkivCheckBox>(&form);
  box->SetBounds(10, 60, 120, 20);
  box->SetParent(&form);
  for (ui::TWinControl* focus : {static_cast<ui::TWinControl*>(edit), static_cast<ui::TWinControl*>(box)}) {
    clicks.clear();
    focus->SetFocus();
    testkit::Pump();
    testkit::PressKey(VK_RETURN);
    testkit::PressKey(VK_ESCAPE);
    EXPECT_EQ(clicks, (std::vector<std::string>{"&Ok", "Cancel"}));
  }
  EXPECT_FALSE(box->Checked());

  // A default button that cannot take the focus is not clicked.
  clicks.clear();
  edit->SetFocus();
  ok->SetEnabled(false);
  testkit::PressKey(VK_RETURN);
  testkit::PressKey(VK_ESCAPE);
  EXPECT_EQ(clicks, std::vector<std::string>{"Cancel"});
}

// The focused push button is the default button while it has the focus, as in the system's
// dialogs: Enter presses it as Space does, whichever button is marked default.
TEST_F(ButtonWindow, SpaceOrEnterOnTheFocusedButtonPressesItAndClicksItOnRelease) {
  ok->SetDefault(true);
  cancel->SetFocus();
  testkit::Pump();
  for (WORD key : {VK_SPACE, VK_RETURN}) {
    clicks.clear();
    Key(cancel->Handle(), WM_KEYDOWN, key);
    EXPECT_TRUE(cancel->Pressed()) << key;
    EXPECT_TRUE(clicks.empty()) << key;
    Key(cancel->Handle(), WM_KEYUP, key);
    EXPECT_EQ(clicks, std::vector<std::string>{"Cancel"}) << key;
  }
}

TEST_F(ButtonWindow, TheAcceleratorClicksAShownEnabledButtonOnly) {
  edit->SetFocus();
  testkit::Pump();
  testkit::PressKey('O', ui::ssAlt);
  EXPECT_EQ(clicks, std::vector<std::string>{"&Ok"});
  EXPECT_TRUE(ok->Focused());
  ok->Hide();
  testkit::PressKey('O', ui::ssAlt);
  EXPECT_EQ(clicks.size(), 1u);
}

}  // namespace
