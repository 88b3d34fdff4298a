// Controls of the framework's second layer on the test display: speed buttons of a group,
// the splitter, bevels, the cursor and hint over a control, anchors when the form grows, and
// the shell's open helper refusing what does not exist.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "Bevel.h"
#include "Label.h"
#include "Panel.h"
#include "Shell.h"
#include "SpeedButton.h"
#include "Splitter.h"
#include "WindowTestKit.h"

namespace {

std::unique_ptr<ui::TForm> MakeForm(int width = 300, int height = 200) {
  auto form = std::make_unique<ui::TForm>(nullptr);
  form->SetBorderStyle(ui::bsNone);
  form->SetBounds(40, 40, width, height);
  form->SetColor(ui::clBtnFace);
  return form;
}

template <typename T>
T* Place(ui::TWinControl& parent, RECT bounds) {
  auto* control = new T(&parent);
  control->SetBoundsRect(bounds);
  control->SetParent(&parent);
  return control;
}

TEST(SpeedButton, ButtonsOfOneGroupAreDownOneAtATime) {
  auto form = MakeForm();
  ui::TSpeedButton* buttons[3];
  for (int i = 0; i < 3; ++i) {
    buttons[i] = Place<ui::TSpeedButton>(*form, {10 + 30 * i, 10, 35 + 30 * i, 32});
    buttons[i]->SetGroupIndex(1);
    buttons[i]->SetCaption(std::to_string(i + 1));
  }
  auto* pin = Place<ui::TSpeedButton>(*form, {200, 10, 220, 26});
  pin->SetFlat(true);
  pin->SetGroupIndex(2);
  pin->SetAllowAllUp(true);
  int clicks = 0;
  pin->OnClick = [&](ui::TComponent*) { ++clicks; };
  form->Show();
  testkit::Pump();

  testkit::Click(*buttons[0]);
  testkit::Click(*buttons[2]);
  EXPECT_FALSE(buttons[0]->Down());
  EXPECT_TRUE(buttons[2]->Down());
  testkit::Click(*buttons[2]);  // the group may not be all up: it stays down
  EXPECT_TRUE(buttons[2]->Down());
  buttons[1]->SetDown(true);
  EXPECT_FALSE(buttons[2]->Down());

  testkit::Click(*pin);  // a pin toggles: down, then up again
  EXPECT_TRUE(pin->Down());
  EXPECT_TRUE(buttons[1]->Down());  // another group is not touched
  testkit::Click(*pin);
  EXPECT_FALSE(pin->Down());
  EXPECT_EQ(clicks, 2);
  // A press released outside is no click and leaves the state.
  testkit::MouseDown(*pin, 5, 5);
  testkit::MouseUp(*pin, 50, 50);
  EXPECT_FALSE(pin->Down());
  EXPECT_EQ(clicks, 2);
  testkit::CaptureAndSave(*form, "speed_buttons");
}

TEST(Splitter, DraggingSharesTheRoomWithinMinSize) {
  auto form = MakeForm(300, 200);
  auto* left = Place<ui::TPanel>(*form, {0, 0, 100, 200});
  left->SetAlign(ui::alLeft);
  auto* splitter = Place<ui::TSplitter>(*form, {100, 0, 105, 200});
  splitter->SetAlign(ui::alLeft);
  auto* rest = Place<ui::TPanel>(*form, {105, 0, 300, 200});
  rest->SetAlign(ui::alClient);
  int moved = 0;
  splitter->OnMoved = [&](ui::TComponent*) { ++moved; };
  form->Show();
  testkit::Pump();

  testkit::Drag(*splitter, {1, 50}, {41, 50});
  EXPECT_EQ(left->Width(), 140);
  EXPECT_EQ(splitter->Left(), 140);
  EXPECT_EQ(rest->Left(), 145);
  EXPECT_EQ(moved, 1);
  // Far past either end it stops at MinSize for the control and for the rest.
  testkit::Drag(*splitter, {1, 50}, {-300, 50});
  EXPECT_EQ(left->Width(), 30);
  testkit::Drag(*splitter, {1, 50}, {400, 50});
  EXPECT_EQ(left->Width(), 300 - 5 - 30);
  EXPECT_EQ(splitter->Cursor(), ui::crHSplit);
  splitter->SetAlign(ui::alTop);
  EXPECT_EQ(splitter->Cursor(), ui::crVSplit);
}

TEST(Bevel, ShapesAreDrawnInTheEdgeColours) {
  auto form = MakeForm();
  auto* box = Place<ui::TBevel>(*form, {10, 10, 60, 60});
  auto* line = Place<ui::TBevel>(*form, {80, 10, 200, 12});
  line->SetShape(ui::bsTopLine);
  auto* raised = Place<ui::TBevel>(*form, {10, 80, 60, 130});
  raised->SetShape(ui::bsFrame);
  raised->SetStyle(ui::bsRaised);
  (void)box;
  form->Show();
  testkit::Pump();
  auto shot = testkit::CaptureAndSave(*form, "bevels");
  const ui::TColor shadow = ui::ColorToRGB(ui::clBtnShadow), light = ui::ColorToRGB(ui::clBtnHighlight);
  EXPECT_EQ(shot->Pixel(10, 30), shadow);  // lowered box: dark top-left, light bottom-right
  EXPECT_EQ(shot->Pixel(59, 30), light);
  EXPECT_EQ(shot->Pixel(120, 10), shadow);
  EXPECT_EQ(shot->Pixel(120, 11), light);
  EXPECT_EQ(shot->Pixel(10, 100), light);  // raised frame: light outer line
  EXPECT_EQ(shot->Pixel(11, 100), shadow);
}

TEST(CursorAndHint, TheHandCursorAndTheHintShowOverTheirControl) {
  auto form = MakeForm();
  auto* link = Place<ui::TLabel>(*form, {20, 20, 0, 0});
  link->SetCaption("More Information");
  link->SetCursor(ui::crHandPoint);
  auto* panel = Place<ui::TPanel>(*form, {150, 20, 250, 80});
  panel->SetCursor(ui::crIBeam);
  auto* plain = Place<ui::TPanel>(*form, {150, 100, 250, 160});
  plain->SetHint("Go to folder");
  plain->SetShowHint(true);
  ui::Application().SetHintPause(50);
  form->Show();
  testkit::Pump();

  testkit::Hover(*link, 5, 5);
  EXPECT_TRUE(testkit::WaitUntil([] { return GetCursor() == LoadCursorA(nullptr, IDC_HAND); }));
  testkit::Hover(*panel, 10, 10);
  EXPECT_TRUE(testkit::WaitUntil([] { return GetCursor() == LoadCursorA(nullptr, IDC_IBEAM); }));
  EXPECT_EQ(ui::Application().HintWindow() ? IsWindowVisible(ui::Application().HintWindow()) : FALSE, FALSE);

  testkit::Hover(*plain, 10, 10);
  ASSERT_TRUE(testkit::WaitUntil([] {
    HWND tip = ui::Application().HintWindow();
    return tip && IsWindowVisible(tip);
  }));
  char text[64] = {};
  TTTOOLINFOA tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = ui::Application().HintWindow();
  tool.uId = 1;
  tool.lpszText = text;
  SendMessageA(ui::Application().HintWindow(), TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
  EXPECT_STREQ(text, "Go to folder");
  testkit::CaptureAndSave(*form, "cursor_hint_form");
  // Leaving the control takes the hint away.
  testkit::Hover(*panel, 10, 10);
  EXPECT_TRUE(testkit::WaitUntil([] { return !IsWindowVisible(ui::Application().HintWindow()); }));
}

TEST(Anchors, ControlsKeepTheirDistancesWhenTheFormGrows) {
  auto form = MakeForm(300, 200);
  auto* ok = Place<ui::TPanel>(*form, {200, 160, 280, 185});
  ok->SetAnchors(ui::akRight | ui::akBottom);
  auto* list = Place<ui::TPanel>(*form, {10, 10, 290, 150});
  list->SetAnchors(ui::akLeft | ui::akTop | ui::akRight | ui::akBottom);
  auto* fixed = Place<ui::TPanel>(*form, {10, 160, 60, 185});
  form->Show();
  testkit::Pump();

  form->SetBounds(40, 40, 400, 260);
  EXPECT_EQ(ok->BoundsRect(), (RECT{300, 220, 380, 245}));
  EXPECT_EQ(list->BoundsRect(), (RECT{10, 10, 390, 210}));
  EXPECT_EQ(fixed->BoundsRect(), (RECT{10, 160, 60, 185}));
  // Back to the first size: everything where it began.
  form->SetBounds(40, 40, 300, 200);
  EXPECT_EQ(ok->BoundsRect(), (RECT{200, 160, 280, 185}));
  EXPECT_EQ(list->Width(), 280);
}

TEST(Shell, OpeningWhatDoesNotExistIsReported) {
  EXPECT_FALSE(ui::ShellOpen("Z:\\no\\such\\folder\\OmbrelHelp.chm"));
}

}  // namespace
