// The window test kit's own helpers, each used once the way the window tests use them: posted
// clicks, double clicks and drags, typed text and keys, waiting, answering a modal form and a system message box,
// finding controls by name and whole-window pictures.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Label.h"
#include "Timer.h"
#include "WindowTestKit.h"

using Log = std::vector<std::string>;

namespace {

class KitOnAForm : public ::testing::Test {
 protected:
  void SetUp() override {
    form->SetBorderStyle(ui::bsNone);
    form->SetBounds(40, 40, 200, 150);
    form->SetColor(ui::clWhite);
    panel = new testkit::Panel(form.get(), &log);
    panel->SetName("pnlTarget");
    panel->SetBounds(10, 10, 60, 60);
    panel->SetColor(ui::clLime);
    panel->SetParent(form.get());
    label = new ui::TLabel(panel);
    label->SetName("lbLink");
    label->SetBounds(5, 5, 0, 0);
    label->SetCaption("More");
    label->SetParent(panel);
    form->Show();
    testkit::Pump();
  }
  // The presses, releases and clicks logged (the moved cursor also enters and leaves).
  Log Buttons() const {
    Log buttons;
    for (const std::string& line : log)
      if (line.rfind("enter", 0) != 0 && line.rfind("leave", 0) != 0) buttons.push_back(line);
    return buttons;
  }
  Log log;
  std::unique_ptr<ui::TForm> form = std::make_unique<ui::TForm>(nullptr);
  testkit::Panel* panel = nullptr;
  ui::TLabel* label = nullptr;
};

TEST_F(KitOnAForm, PostedClicksReachWindowlessAndWindowedControls) {
  int clicks = 0;
  label->OnClick = [&](ui::TComponent*) { ++clicks; };
  testkit::Click(*label);
  EXPECT_EQ(clicks, 1);
  testkit::DoubleClick(*panel, 40, 40);
  EXPECT_EQ(Buttons(), (Log{"down pnlTarget 40,40", "click pnlTarget", "up pnlTarget 40,40",
                      "dblclick pnlTarget", "down pnlTarget 40,40", "up pnlTarget 40,40"}));
}

TEST_F(KitOnAForm, ADragIsHeldByTheCaptureBeyondTheControlsEdge) {
  std::vector<POINT> moves;
  panel->OnMouseMove = [&](ui::TComponent*, ui::TShiftState shift, int x, int y) {
    if (shift & ui::ssLeft) moves.push_back({x, y});
  };
  testkit::Drag(*panel, {20, 20}, {100, 30});
  ASSERT_FALSE(moves.empty());
  EXPECT_EQ(moves.back().x, 100);
  EXPECT_EQ(moves.back().y, 30);
  EXPECT_EQ(Buttons(), (Log{"down pnlTarget 20,20", "up pnlTarget 100,30"}));
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(KitOnAForm, KeysAndTextGoToTheFocusedControlThroughTheQueue) {
  auto* edit = new testkit::EditBox(form.get());
  edit->SetBounds(80, 10, 100, 24);
  edit->SetParent(form.get());
  std::vector<char> pressed;
  edit->OnKeyPress = [&](ui::TComponent*, char& key) { pressed.push_back(key); };
  edit->SetFocus();
  testkit::TypeText("Ombrel");
  EXPECT_EQ(edit->Text(), "Ombrel");
  EXPECT_EQ(pressed.size(), 6u);
  testkit::PressKey(VK_HOME);
  testkit::PressKey(VK_DELETE);
  EXPECT_EQ(edit->Text(), "mbrel");
}

TEST_F(KitOnAForm, WaitUntilHandlesMessagesUntilTheConditionHolds) {
  ui::TTimer timer(nullptr);
  timer.SetInterval(50);
  bool ticked = false;
  timer.OnTimer = [&](ui::TComponent*) { ticked = true; };
  EXPECT_TRUE(testkit::WaitUntil([&] { return ticked; }));
  EXPECT_FALSE(testkit::WaitUntil([] { return false; }, 100));
}

TEST_F(KitOnAForm, TheNextModalFormAndMessageBoxAreAnswered) {
  ui::TForm dialog(nullptr);
  dialog.SetCaption("Edit Audio Information");
  dialog.SetBounds(60, 60, 200, 100);
  {
    testkit::ModalAnswer answer(ui::mrOk);
    EXPECT_EQ(dialog.ShowModal(), ui::mrOk);
    EXPECT_TRUE(answer.Answered());
    EXPECT_EQ(answer.Seen(), "Edit Audio Information");
  }
  testkit::ModalAnswer answer(IDNO);
  EXPECT_EQ(ui::Application().MessageBox("Replace the file?", "Ripper", MB_YESNO), IDNO);
  EXPECT_EQ(answer.Seen(), "Ripper\nReplace the file?");
}

TEST_F(KitOnAForm, ControlsAreFoundByNameAndWindowsPictured) {
  EXPECT_EQ(testkit::FindByName<ui::TLabel>(*form, "LBLINK"), label);
  EXPECT_EQ(testkit::FindByName<testkit::Panel>(*form, "pnlTarget"), panel);
  EXPECT_EQ(testkit::FindByName<ui::TLabel>(*form, "pnlTarget"), nullptr);
  EXPECT_EQ(testkit::FindByName(*form, "nothing"), nullptr);

  auto shot = testkit::CaptureAndSave(*form, "test_kit_form");
  EXPECT_EQ(shot->Width(), 200);
  EXPECT_EQ(shot->Pixel(0, 0), ui::clWhite);
  EXPECT_EQ(shot->Pixel(69, 69), ui::clLime);
  ui::TBitmap expected(200, 150);
  expected.Canvas().Brush().SetColor(ui::clWhite);
  expected.Canvas().FillRect({0, 0, 200, 150});
  expected.Canvas().Brush().SetColor(ui::clLime);
  expected.Canvas().FillRect({10, 10, 70, 70});
  // The label's letters are the only difference.
  const testkit::PictureDifference d = testkit::ComparePictures(*shot, expected, 8);
  EXPECT_GT(d.differing, 0);
  EXPECT_TRUE(testkit::PicturesMatch(*shot, expected, 8, label->Width() * label->Height()));
}

}  // namespace
