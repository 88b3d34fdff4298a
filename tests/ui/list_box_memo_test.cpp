// The native list box, check list and memo on the test display: a check list toggled by clicks
// and the space bar, its marks kept through sorting and a new window; a list box of whole
// items; memo lines written and read back, with and without a window; Enter left to the form
// when the memo does not want it.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "CheckListBox.h"
#include "ListBox.h"
#include "Memo.h"
#include "WindowCapture.h"
#include "WindowInput.h"
#include "WindowTestKit.h"

using testkit::Pump;

namespace {

std::unique_ptr<ui::TForm> MakeForm() {
  auto form = std::make_unique<ui::TForm>(nullptr);
  form->SetBorderStyle(ui::bsNone);
  form->SetBounds(40, 40, 360, 240);
  form->SetColor(ui::clBtnFace);
  return form;
}

}  // namespace

TEST(CheckListBox, MarksToggleByClickAndSpaceAndStayWithTheirItems) {
  auto form = MakeForm();
  auto* list = new ui::TCheckListBox(form.get());
  list->SetBounds(10, 10, 200, 150);
  for (const char* name : {"Track 03", "Track 01", "Track 02"}) list->Items().Add(name);
  list->SetChecked(0, true);  // before the window
  list->SetParent(form.get());
  int clicks = 0;
  list->OnClickCheck = [&](ui::TComponent*) { ++clicks; };
  form->Show();
  SetForegroundWindow(form->Handle());
  list->SetFocus();
  Pump();

  RECT second = list->ItemRect(1);
  testkit::Click(*list, second.left + 8, (second.top + second.bottom) / 2);
  EXPECT_TRUE(list->Checked(1));
  EXPECT_EQ(clicks, 1);
  RECT third = list->ItemRect(2);
  testkit::Click(*list, third.left + 80, (third.top + third.bottom) / 2);  // on the text
  EXPECT_FALSE(list->Checked(2));
  EXPECT_EQ(list->ItemIndex(), 2);
  testkit::PressKey(VK_SPACE);
  EXPECT_TRUE(list->Checked(2));
  EXPECT_EQ(clicks, 2);
  RedrawWindow(list->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  testkit::SavePicture(*testkit::Capture(*list), "check_list");

  list->SetSorted(true);  // Track 01 (checked), Track 02 (checked), Track 03 (checked first)
  list->Items().Delete(1);
  list->Items().Add("Track 00");
  list->SetFlat(false);
  list->Font().SetHeight(-16);
  list->SetMultiSelect(true);  // a new window
  ASSERT_EQ(SendMessageA(list->Handle(), LB_GETCOUNT, 0, 0), 3);
  std::vector<std::string> shown;
  for (int i = 0; i < list->Items().Count(); ++i)
    shown.push_back(list->Items()[i] + (list->Checked(i) ? " x" : ""));
  EXPECT_EQ(shown, (std::vector<std::string>{"Track 00", "Track 01 x", "Track 03 x"}));
}

TEST(ListBox, AnIntegralHeightShowsOnlyWholeItems) {
  auto form = MakeForm();
  auto* list = new ui::TListBox(form.get());
  list->SetBounds(10, 10, 200, 101);
  for (int i = 0; i < 20; ++i) list->Items().Add("Track " + std::to_string(i));
  list->SetParent(form.get());
  form->Show();
  Pump();
  auto clientHeight = [&] {
    RECT r{};
    GetClientRect(list->Handle(), &r);
    return static_cast<int>(r.bottom);
  };
  const int item = static_cast<int>(SendMessageA(list->Handle(), LB_GETITEMHEIGHT, 0, 0));
  ASSERT_GT(item, 0);
  const int asPlaced = clientHeight();
  ASSERT_NE(asPlaced % item, 0) << "the list is placed a part of an item too high";
  list->SetIntegralHeight(true);  // a new window
  Pump();
  EXPECT_EQ(clientHeight() % item, 0);
  EXPECT_GT(clientHeight(), asPlaced - item);
  EXPECT_EQ(list->Items().Count(), 20);
}

TEST(Memo, LinesRoundTripWithAndWithoutAWindow) {
  auto form = MakeForm();
  auto* memo = new ui::TMemo(form.get());
  memo->SetBounds(10, 10, 300, 200);
  memo->SetScrollBars(ui::ssBoth);
  memo->SetWordWrap(false);
  memo->Lines().Add("first");
  memo->Lines().Add("second");
  EXPECT_EQ(memo->Lines().Count(), 2);
  EXPECT_EQ(memo->Text(), "first\r\nsecond\r\n");
  memo->SetParent(form.get());
  form->Show();
  Pump();

  ui::TMemoLines& lines = memo->Lines();
  EXPECT_EQ(lines.Count(), 2);
  EXPECT_EQ(lines[1], "second");
  lines.Insert(1, "between");
  lines.Add("last");
  lines.SetString(0, "FIRST");
  lines.Delete(2);
  EXPECT_EQ(lines.Text(), "FIRST\r\nbetween\r\nlast\r\n");
  memo->SetText("no break at the end");
  lines.Add("added");
  EXPECT_EQ(memo->Text(), "no break at the end\r\nadded\r\n");
  EXPECT_EQ(lines.Count(), 2);

  // A long text is typed on past the edit box's default limit.
  std::string big;
  for (int i = 0; i < 5000; ++i) big += "line " + std::to_string(i) + "\r\n";
  lines.SetText(big);
  EXPECT_EQ(lines.Count(), 5000);
  EXPECT_EQ(lines[4999], "line 4999");
  const int end = GetWindowTextLengthA(memo->Handle());
  SendMessageA(memo->Handle(), EM_SETSEL, end, end);
  memo->SetFocus();
  testkit::TypeText("z");
  EXPECT_EQ(lines[5000], "z");

  memo->SetWordWrap(true);  // a new window keeps the text
  EXPECT_EQ(lines.Count(), 5001);
  EXPECT_FALSE(GetWindowLongPtrA(memo->Handle(), GWL_STYLE) & WS_HSCROLL);
}

TEST(Memo, EnterGoesToTheFormUnlessTheMemoWantsReturns) {
  auto form = MakeForm();
  auto* memo = new ui::TMemo(form.get());
  memo->SetBounds(10, 10, 300, 100);
  memo->SetParent(form.get());
  auto* ok = new testkit::Button(form.get());
  ok->SetBounds(10, 120, 80, 24);
  ok->Default = true;
  ok->SetParent(form.get());
  int pressed = 0;
  ok->OnClick = [&](ui::TComponent*) { ++pressed; };
  form->Show();
  SetForegroundWindow(form->Handle());
  memo->SetFocus();
  Pump();
  testkit::PressKey(VK_RETURN);
  EXPECT_EQ(pressed, 0);
  EXPECT_EQ(memo->Text(), "\r\n");
  memo->SetWantReturns(false);
  testkit::PressKey(VK_RETURN);
  EXPECT_EQ(pressed, 1);
}
