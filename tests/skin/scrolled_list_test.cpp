// The list box and memo with skinned scroll bars: the range arithmetic, the bar shown, hidden
// and placed as the native one comes and goes, kept in step by keys, wheel, typing and added
// lines without echoing a scroll message back, moves of the skinned thumb scrolling the native
// control also beyond 65535 lines, bars let go or destroyed, and a picture in each style.
#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>

#include "KIVListBox.h"
#include "KIVMemo.h"
#include "SkinTestForm.h"
#include "WindowTestKit.h"

using kiv::TkivScrollBar;

namespace {

TEST(ScrollRangeMax, TheLastFirstPositionOfTheNativeRange) {
  EXPECT_EQ(kiv::ScrollRangeMax(99, 10), 90);
  EXPECT_EQ(kiv::ScrollRangeMax(0, 0), 1);
  EXPECT_EQ(kiv::ScrollRangeMax(INT_MAX, 0), INT_MAX);
  EXPECT_EQ(kiv::ScrollRangeMax(INT_MIN, 10), INT_MIN);
  EXPECT_EQ(kiv::ScrollRangeMax(5, 0xFFFFFFFFu), INT_MIN);
}

int NativePosition(ui::TWinControl& control, int bar) {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_POS;
  GetScrollInfo(control.Handle(), bar, &info);
  return info.nPos;
}

class ScrolledWindow : public ::testing::Test {
 protected:
  void SetUp() override { form.SetBounds(30, 30, 520, 400); }

  // Counts the scroll messages the control is sent from here on.
  void CountScrollMessages(ui::TControl& control) {
    auto inner = control.WindowProc;
    control.WindowProc = [this, inner](ui::TMessage& m) {
      if (m.Msg == WM_VSCROLL || m.Msg == WM_HSCROLL) ++scrollMessages;
      inner(m);
    };
  }

  skintest::SkinnedForm form;
  int scrollMessages = 0;
};

TEST_F(ScrolledWindow, AListBoxBarShowsWithTheNativeOneAndScrollsBothWays) {
  auto* list = skintest::Put<kiv::TkivListBox>(form, 10, 10, 200, 100);
  for (int i = 0; i < 3; ++i) list->Items().Add("Track " + std::to_string(i + 1));
  auto* bar = skintest::Put<TkivScrollBar>(form, 300, 10, 20, 100);
  form.Show();
  testkit::Pump();
  const int item = list->ItemHeight();
  list->SetHeight(10 * item + 4);
  list->SetVScrollBar(bar);
  testkit::Pump();
  EXPECT_EQ(bar->Orientation(), kiv::kivVertical);
  EXPECT_FALSE(bar->Visible());
  EXPECT_FALSE(bar->Enabled());
  EXPECT_EQ(bar->LineButton(), 0);

  for (int i = 3; i < 100; ++i) list->Items().Add("Track " + std::to_string(i + 1));
  testkit::Pump();
  EXPECT_TRUE(bar->Visible());
  EXPECT_TRUE(bar->Enabled());
  EXPECT_GT(bar->LineButton(), 0);
  EXPECT_EQ(bar->Min(), 0);
  EXPECT_EQ(bar->Max(), 90);
  EXPECT_EQ(bar->Left(), list->Left() + list->Width() - bar->Width() - 2);
  EXPECT_EQ(bar->Top(), list->Top() + 1);
  EXPECT_EQ(bar->Height(), list->Height() - 2);
  list->SetLeft(30);
  EXPECT_EQ(bar->Left(), 30 + list->Width() - bar->Width() - 2);

  CountScrollMessages(*list);
  list->SetFocus();
  list->SetItemIndex(0);
  testkit::PressKey(VK_END);
  testkit::Pump();
  EXPECT_EQ(bar->Position(), 90);
  SendMessageA(list->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
  EXPECT_EQ(bar->Position(), list->TopIndex());
  EXPECT_LT(bar->Position(), 90);
  EXPECT_EQ(scrollMessages, 0) << "keeping the bar in step sent a scroll message";

  bar->SetPosition(40);
  testkit::Pump();
  EXPECT_EQ(list->TopIndex(), 40);
  EXPECT_EQ(scrollMessages, 1);

  // The thumb dragged down by the mouse: list and thumb end on one position.
  auto& thumb = bar->Track().Slider();
  testkit::Drag(thumb, {3, 3}, {3, 40}, 6);
  testkit::Pump();
  EXPECT_GT(list->TopIndex(), 40);
  EXPECT_EQ(bar->Position(), list->TopIndex());

  // Let go: the bar stays on the window, enabled and back to a plain range.
  const int dragged = list->TopIndex();
  list->SetVScrollBar(nullptr);
  EXPECT_TRUE(bar->Enabled());
  EXPECT_EQ(bar->Max(), 100);
  EXPECT_EQ(bar->LineButton(), 0);
  bar->SetPosition(10);
  EXPECT_EQ(list->TopIndex(), dragged);

  // Destroyed while attached: the list forgets it and scrolls on.
  list->SetVScrollBar(bar);
  delete bar;
  EXPECT_EQ(list->VScrollBar(), nullptr);
  testkit::PressKey(VK_HOME);
  testkit::Pump();
  EXPECT_EQ(list->TopIndex(), 0);
}

TEST_F(ScrolledWindow, AMemoOfAHundredThousandLinesKeepsItsBarsInStepPast65535) {
  auto* memo = skintest::Put<kiv::TkivMemo>(form, 10, 10, 300, 200);
  memo->SetWordWrap(false);
  auto* down = skintest::Put<TkivScrollBar>(form, 400, 10, 20, 100);
  auto* across = skintest::Put<TkivScrollBar>(form, 400, 200, 100, 20);
  memo->SetHScrollBar(across);
  EXPECT_EQ(memo->ScrollBars(), ui::ssHorizontal);
  EXPECT_EQ(across->Orientation(), kiv::kivHorizontal);
  memo->SetVScrollBar(down);
  EXPECT_EQ(memo->ScrollBars(), ui::ssBoth);
  memo->SetVScrollBar(nullptr);
  EXPECT_EQ(memo->ScrollBars(), ui::ssHorizontal);
  memo->SetVScrollBar(down);
  memo->Lines().SetText("A short text\r\n");
  form.Show();
  testkit::Pump();
  // Nothing to scroll: the bar stays, disabled and without its thumb.
  EXPECT_TRUE(down->Visible());
  EXPECT_FALSE(down->Enabled());
  EXPECT_FALSE(down->Track().Slider().Visible());
  EXPECT_EQ(down->Left(), memo->Left() + memo->Width() - down->Width() - 2);
  EXPECT_EQ(down->Height(), memo->Height() - 1 - across->Height());
  EXPECT_EQ(across->Width(), memo->Width() - 1 - down->Width());
  EXPECT_EQ(across->Top(), memo->Top() + memo->Height() - across->Height() - 2);

  std::string text;
  // Positions far past what a scroll message's 16 bits carry.
  for (int i = 0; i < 100000; ++i) text += std::to_string(i) + "\r\n";
  memo->Lines().SetText(text);
  testkit::Pump();
  EXPECT_TRUE(down->Enabled());
  EXPECT_TRUE(down->Track().Slider().Visible());
  EXPECT_GT(down->Max(), 99000);

  CountScrollMessages(*memo);
  memo->SetFocus();
  testkit::PressKey(VK_END, ui::ssCtrl);
  testkit::Pump();
  const int bottom = NativePosition(*memo, SB_VERT);
  EXPECT_GT(bottom, 65535);
  EXPECT_EQ(down->Position(), bottom);
  SendMessageA(memo->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
  EXPECT_LT(down->Position(), bottom);
  EXPECT_EQ(down->Position(), NativePosition(*memo, SB_VERT));
  // Typing a new line at the end scrolls the text; the bar follows.
  testkit::PressKey(VK_END, ui::ssCtrl);
  testkit::TypeText("x\r\ny\r\n");
  testkit::Pump();
  EXPECT_EQ(down->Position(), NativePosition(*memo, SB_VERT));
  EXPECT_GT(down->Position(), bottom);
  EXPECT_EQ(scrollMessages, 0);

  // The skinned thumb moved far down and back near the top scrolls the text there.
  down->SetPosition(66000);
  testkit::Pump();
  EXPECT_EQ(SendMessageA(memo->Handle(), EM_GETFIRSTVISIBLELINE, 0, 0), 66000);
  EXPECT_EQ(down->Position(), 66000);
  down->SetPosition(120);
  testkit::Pump();
  EXPECT_EQ(SendMessageA(memo->Handle(), EM_GETFIRSTVISIBLELINE, 0, 0), 120);
  EXPECT_EQ(scrollMessages, 1);

  delete across;
  EXPECT_EQ(memo->HScrollBar(), nullptr);
  testkit::PressKey(VK_HOME, ui::ssCtrl);
  testkit::Pump();
  EXPECT_EQ(NativePosition(*memo, SB_VERT), 0);
}

TEST(ScrolledCaptures, AListBoxAndAMemoWithTheirBarsInEveryStyle) {
  for (const auto& s : skintest::kThemeStyles) {
    skintest::SkinnedForm form;
    form.skin->SetUIStyle(s.style);
    form.SetBounds(30, 30, 400, 200);
    auto* list = skintest::Put<kiv::TkivListBox>(form, 10, 10, 150, 180);
    for (int i = 0; i < 30; ++i) list->Items().Add("Track " + std::to_string(i + 1));
    auto* memo = skintest::Put<kiv::TkivMemo>(form, 170, 10, 220, 180);
    memo->SetWordWrap(false);
    std::string text;
    for (int i = 0; i < 40; ++i)
      text += "Line " + std::to_string(i) + " of a text wider than the memo shows\r\n";
    memo->Lines().SetText(text);
    std::vector<TkivScrollBar*> bars;
    for (int i = 0; i < 3; ++i) {
      bars.push_back(new TkivScrollBar(&form));
      bars.back()->SetParent(&form);
    }
    list->SetVScrollBar(bars[0]);
    memo->SetVScrollBar(bars[1]);
    memo->SetHScrollBar(bars[2]);
    form.Show();
    testkit::Pump();
    SendMessageA(memo->Handle(), WM_VSCROLL, SB_PAGEDOWN, 0);
    list->SetTopIndex(5);
    testkit::Pump();
    testkit::CaptureAndSave(form, std::string("scrolled_") + s.name);
    EXPECT_EQ(bars[0]->Position(), 5) << s.name;
    EXPECT_EQ(bars[1]->Position(), NativePosition(*memo, SB_VERT)) << s.name;
  }
}

}  // namespace
