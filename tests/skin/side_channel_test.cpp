// The side channel on the test display, with the pointer moved by the test: hover and click
// opening, folding when the pointer leaves, pinning, resizing limits, and opening or folding
// interrupted by another request or by the channel going away.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "KIVForm.h"
#include "KIVSideChannel.h"
#include "WaitUntil.h"
#include "WindowCapture.h"
#include "WindowInput.h"
#include "WindowTestKit.h"

namespace {

using kiv::TkivSideChannel;

struct ChannelWindow {
  std::unique_ptr<ui::TForm> form = std::make_unique<ui::TForm>(nullptr);
  TkivSideChannel* channel = new TkivSideChannel(form.get());
  ui::TPanel* content = new ui::TPanel(form.get());
  int pops = 0, pushes = 0;
  std::vector<int> widths;  // every width the channel took

  explicit ChannelWindow(kiv::TkivSideChannelAlign align = kiv::TkivSideChannelAlign::kivLeft) {
    // The pointer rests far from where the window appears, wherever an earlier test left it.
    SetCursorPos(1200, 1000);
    form->SetBorderStyle(ui::bsNone);
    form->SetBounds(100, 100, 400, 260);
    content->SetAlign(ui::alClient);
    content->SetParent(form.get());
    channel->SetAlign(align);
    channel->SetCaption("Tools");
    channel->SetParent(form.get());
    channel->OnPop = [this](ui::TComponent*) { ++pops; };
    channel->OnPush = [this](ui::TComponent*) { ++pushes; };
    channel->OnResize = [this](ui::TComponent*) { widths.push_back(channel->Width()); };
    form->Show();
    testkit::Pump();
  }

  // The pointer rests over the middle of the side bar.
  void HoverBar() { testkit::Hover(channel->SideBar(), channel->SideBarWidth() / 2, 100); }
  void PointerAway() { testkit::Hover(*content, content->Width() - 5, 5); }
};

TEST(SideChannel, HoverOpensInStepsToADefaultWidthAndLeavingFoldsIt) {
  ChannelWindow w;
  EXPECT_EQ(w.channel->Width(), 10) << "a new channel is folded to its side bar";
  EXPECT_EQ(w.channel->ExpandedWidth(), 0);
  w.widths.clear();
  w.HoverBar();
  ASSERT_TRUE(testkit::WaitUntil([&] { return w.pops == 1; }));
  EXPECT_EQ(w.channel->Width(), TkivSideChannel::kDefaultOpenWidth);
  std::vector<int> steps;
  for (int width = 25; width < TkivSideChannel::kDefaultOpenWidth; width += TkivSideChannel::kStep)
    steps.push_back(width);
  steps.push_back(TkivSideChannel::kDefaultOpenWidth);
  EXPECT_EQ(w.widths, steps) << "opened in steps of 15 pixels";
  w.PointerAway();
  ASSERT_TRUE(testkit::WaitUntil([&] { return w.pushes == 1; }, 2000));
  EXPECT_EQ(w.channel->Width(), 10);
}

TEST(SideChannel, APinnedChannelStaysOpenUntilUnpinned) {
  ChannelWindow w;
  w.channel->SetExpandedWidth(120);
  w.channel->SetStayOn(true);
  EXPECT_EQ(w.channel->Width(), 120);
  w.PointerAway();
  testkit::PumpFor(800);
  EXPECT_EQ(w.channel->Width(), 120);
  EXPECT_EQ(w.pushes, 0);
  w.channel->SetStayOn(false);
  EXPECT_EQ(w.channel->Width(), 10);
  EXPECT_EQ(w.pushes, 1);
}

TEST(SideChannel, ResizingAnOpenChannelKeepsTheNewWidthButNotBelowFifty) {
  ChannelWindow w(kiv::TkivSideChannelAlign::kivRight);
  w.channel->SetQuickMove(true);
  w.channel->SetStayOn(true);
  w.channel->SetWidth(40);
  EXPECT_EQ(w.channel->Width(), TkivSideChannel::kDefaultOpenWidth);
  w.channel->SetWidth(200);
  EXPECT_EQ(w.channel->ExpandedWidth(), 200);
  EXPECT_EQ(w.channel->Left(), 200) << "docked at the right edge";
  w.channel->SetSideBarWidth(14);
  EXPECT_EQ(w.channel->Width(), 14) << "a new bar width folds the channel at once";
}

TEST(SideChannel, InClickModeHoverDoesNothingAndAClickOpens) {
  ChannelWindow w;
  w.channel->SetPopupMode(kiv::kivMouseClick);
  w.channel->SetQuickMove(true);
  w.HoverBar();
  testkit::PumpFor(100);
  EXPECT_EQ(w.channel->Width(), 10);
  testkit::Click(w.channel->SideBar(), 5, 150);
  EXPECT_EQ(w.channel->Width(), TkivSideChannel::kDefaultOpenWidth);
  EXPECT_EQ(w.pops, 1);
}

TEST(SideChannel, RequestsDuringAMoveAndClosingTheWindowAreSafe) {
  ChannelWindow w;
  w.channel->SetExpandedWidth(300);
  w.channel->SetPopupMode(kiv::kivMouseClick);
  testkit::Click(w.channel->SideBar(), 5, 150);
  EXPECT_TRUE(w.channel->Moving());
  testkit::Click(w.channel->SideBar(), 5, 150);  // a second opening while the first runs
  w.channel->Fold(false);
  ASSERT_TRUE(testkit::WaitUntil([&] { return !w.channel->Moving(); }));
  EXPECT_EQ(w.channel->Width(), 10);
  EXPECT_EQ(w.pushes, 1);
  w.channel->Pop(false);
  w.form.reset();  // the window goes while the channel is still opening
  testkit::PumpFor(100);
}

// On a window wearing the form skin of each style, as an application would place it.
TEST(SideChannelPictures, OpenAndFoldedOnASkinnedWindow) {
  for (kiv::TkivUIStyle style : {kiv::TkivUIStyle::MacOS, kiv::TkivUIStyle::WinXP,
                                 kiv::TkivUIStyle::DeepBlue, kiv::TkivUIStyle::Protein,
                                 kiv::TkivUIStyle::BlueGlass}) {
    const std::string name = "style" + std::to_string(static_cast<int>(style));
    SetCursorPos(1200, 1000);
    ui::TForm form(nullptr);
    auto* skin = new kiv::TkivForm(&form);
    skin->SetUIStyle(style);
    form.SetBounds(100, 100, 400, 260);
    auto* channel = new TkivSideChannel(&form);
    channel->SetCaption("Tools");
    channel->SetParent(skin);
    form.Show();
    testkit::Pump();
    testkit::CaptureAndSave(form, "side_channel_folded_" + name);
    channel->SetQuickMove(true);
    channel->SetStayOn(true);
    testkit::CaptureAndSave(form, "side_channel_open_" + name);
    // Open, the bar and its button still lie at the channel's left edge, uncovered, under the
    // pointer.
    HWND button = GetWindow(channel->SideBar().Handle(), GW_CHILD);
    RECT r;
    GetWindowRect(button, &r);
    EXPECT_EQ(r.left, channel->ClientToScreen({0, 0}).x) << name;
    EXPECT_EQ(WindowFromPoint({(r.left + r.right) / 2, (r.top + r.bottom) / 2}), button) << name;
  }
}

}  // namespace
