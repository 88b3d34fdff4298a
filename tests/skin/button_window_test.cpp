// Push buttons on a shown window, driven through the message queue: the click on release
// inside only, the repeat while held and its end, Enter and Escape reaching the default and
// cancel buttons wherever the focus is, accelerators, and the modal result handed to the form.
#include <gtest/gtest.h>

#include "KIVButton.h"
#include "SkinTestForm.h"
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
  testkit::Send(*ok, WM_LBUTTONDOWN, MK_LBUTTON, testkit::At(10, 10));
  EXPECT_TRUE(ok->Pressed());
  testkit::Send(*ok, WM_LBUTTONUP, 0, testkit::At(12, 11));
  EXPECT_FALSE(ok->Pressed());
  EXPECT_EQ(clicks, std::vector<std::string>{"&Ok"});

  testkit::Send(*ok, WM_LBUTTONDOWN, MK_LBUTTON, testkit::At(10, 10));
  testkit::Send(*ok, WM_MOUSEMOVE, MK_LBUTTON, testkit::At(-4, 10));
  EXPECT_FALSE(ok->Pressed());
  testkit::Send(*ok, WM_LBUTTONUP, 0, testkit::At(-4, 10));
  EXPECT_EQ(clicks.size(), 1u);

  // A double click is two clicks.
  testkit::Send(*ok, WM_LBUTTONDOWN, MK_LBUTTON, testkit::At(10, 10));
  testkit::Send(*ok, WM_LBUTTONUP, 0, testkit::At(10, 10));
  testkit::Send(*ok, WM_LBUTTONDBLCLK, MK_LBUTTON, testkit::At(10, 10));
  testkit::Send(*ok, WM_LBUTTONUP, 0, testkit::At(10, 10));
  EXPECT_EQ(clicks.size(), 3u);
}

TEST_F(ButtonWindow, AClickHandsTheButtonsModalResultToTheFormEvenZero) {
  form.SetModalResult(ui::mrCancel);
  testkit::Send(*ok, WM_LBUTTONDOWN, MK_LBUTTON, testkit::At(5, 5));
  testkit::Send(*ok, WM_LBUTTONUP, 0, testkit::At(5, 5));
  EXPECT_EQ(form.ModalResult(), 0);
  cancel->SetModalResult(ui::mrCancel);
  testkit::Send(*cancel, WM_LBUTTONDOWN, MK_LBUTTON, testkit::At(5, 5));
  testkit::Send(*cancel, WM_LBUTTONUP, 0, testkit::At(5, 5));
  EXPECT_EQ(form.ModalResult(), ui::mrCancel);
}

TEST_F(ButtonWindow, AHeldButtonRepeatsUntilReleasedOrItsCaptureIsLost) {
  int ticks = 0;
  ok->SetMouseContinuouslyDownInterval(20);
  ok->OnMouseContinuouslyDown = [&](ui::TComponent*) { ++ticks; };
  testkit::Send(*ok, WM_LBUTTONDOWN, MK_LBUTTON, testkit::At(10, 10));
  for (int i = 0; i < 50 && ticks < 3; ++i) testkit::Pump(1);
  EXPECT_GE(ticks, 3);
  testkit::Send(*ok, WM_LBUTTONUP, 0, testkit::At(10, 10));
  EXPECT_FALSE(ok->Repeating());
  int atRelease = ticks;
  testkit::Pump(10);
  EXPECT_EQ(ticks, atRelease);

  // The release goes elsewhere: another window takes the mouse.
  testkit::Send(*ok, WM_LBUTTONDOWN, MK_LBUTTON, testkit::At(10, 10));
  EXPECT_TRUE(ok->Repeating());
  SetCapture(edit->Handle());
  EXPECT_FALSE(ok->Repeating());
  EXPECT_FALSE(ok->Pressed());
  ReleaseCapture();
  atRelease = ticks;
  testkit::Pump(10);
  EXPECT_EQ(ticks, atRelease);

  // Cancel mode (a menu or a modal window opening) ends it too, and so does the focus going.
  testkit::Send(*ok, WM_LBUTTONDOWN, MK_LBUTTON, testkit::At(10, 10));
  testkit::Send(*ok, WM_CANCELMODE);
  EXPECT_FALSE(ok->Repeating());
  ok->SetFocus();
  testkit::Send(*ok, WM_LBUTTONDOWN, MK_LBUTTON, testkit::At(10, 10));
  edit->SetFocus();
  EXPECT_FALSE(ok->Repeating());
  EXPECT_FALSE(ok->Pressed());
}

TEST_F(ButtonWindow, EnterAndEscapeReachTheDefaultAndCancelButtonsWhereverTheFocusIs) {
  ok->SetDefault(true);
  cancel->SetCancel(true);
  edit->SetFocus();
  testkit::Pump();
  Key(edit->Handle(), WM_KEYDOWN, VK_RETURN);
  Key(edit->Handle(), WM_KEYDOWN, VK_ESCAPE);
  EXPECT_EQ(clicks, (std::vector<std::string>{"&Ok", "Cancel"}));

  // On the cancel button, Enter is still the default button's.
  clicks.clear();
  cancel->SetFocus();
  testkit::Pump();
  Key(cancel->Handle(), WM_KEYDOWN, VK_RETURN);
  Key(cancel->Handle(), WM_KEYUP, VK_RETURN);
  EXPECT_EQ(clicks, std::vector<std::string>{"&Ok"});

  // A default button that cannot take the focus is not clicked.
  clicks.clear();
  ok->SetEnabled(false);
  Key(cancel->Handle(), WM_KEYDOWN, VK_RETURN);
  Key(cancel->Handle(), WM_KEYUP, VK_RETURN);
  EXPECT_EQ(clicks, std::vector<std::string>{"Cancel"});
}

TEST_F(ButtonWindow, SpaceOnTheFocusedButtonClicksItOnRelease) {
  cancel->SetFocus();
  testkit::Pump();
  Key(cancel->Handle(), WM_KEYDOWN, VK_SPACE);
  EXPECT_TRUE(cancel->Pressed());
  EXPECT_TRUE(clicks.empty());
  Key(cancel->Handle(), WM_KEYUP, VK_SPACE);
  EXPECT_EQ(clicks, std::vector<std::string>{"Cancel"});
}

TEST_F(ButtonWindow, TheAcceleratorClicksAShownEnabledButtonOnly) {
  edit->SetFocus();
  testkit::Pump();
  Key(edit->Handle(), WM_SYSCHAR, 'o');
  EXPECT_EQ(clicks, std::vector<std::string>{"&Ok"});
  EXPECT_TRUE(ok->Focused());
  ok->Hide();
  Key(cancel->Handle(), WM_SYSCHAR, 'o');
  EXPECT_EQ(clicks.size(), 1u);
}

}  // namespace
