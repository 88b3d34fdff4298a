// The native edit and combo boxes on the test display: typed text and its limits, the combo box's
// items and selection across a new window, owner drawing through the events, and choices made
// with the keyboard reported as changes.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ComboBox.h"
#include "Edit.h"
#include "WindowCapture.h"
#include "WindowInput.h"
#include "WindowTestKit.h"

using testkit::Pump;

namespace {

std::unique_ptr<ui::TForm> MakeForm() {
  auto form = std::make_unique<ui::TForm>(nullptr);
  form->SetBorderStyle(ui::bsNone);
  form->SetBounds(40, 40, 320, 240);
  form->SetColor(ui::clBtnFace);
  return form;
}

template <typename T>
T* Place(ui::TForm& form, int x, int y, int width) {
  auto* control = new T(&form);
  control->SetBounds(x, y, width, control->Height());
  control->SetParent(&form);
  return control;
}

// Types the text into the edit as the keyboard would.
void Type(ui::TEdit& edit, const std::string& text) {
  edit.SetFocus();
  testkit::TypeText(text);
}

}  // namespace

TEST(Edit, TypedTextKeepsToTheLimitsSetBeforeTheWindowExisted) {
  auto form = MakeForm();
  auto* name = Place<ui::TEdit>(*form, 10, 10, 150);
  auto* secret = Place<ui::TEdit>(*form, 10, 40, 150);
  auto* fixed = Place<ui::TEdit>(*form, 10, 70, 150);
  name->SetMaxLength(5);
  secret->SetPasswordChar('*');
  fixed->SetText("2003");
  fixed->SetReadOnly(true);
  std::vector<std::string> changes;
  name->OnChange = [&](ui::TComponent*) { changes.push_back(name->Text()); };
  form->Show();
  SetForegroundWindow(form->Handle());
  Pump();

  Type(*name, "Talvo Ripper");
  EXPECT_EQ(name->Text(), "Talvo");
  // (Wine also tells a change for each refused character.)
  ASSERT_GE(changes.size(), 5u);
  EXPECT_EQ(std::vector<std::string>(changes.begin(), changes.begin() + 5),
            (std::vector<std::string>{"T", "Ta", "Tal", "Talv", "Talvo"}));
  Type(*fixed, "x");
  EXPECT_EQ(fixed->Text(), "2003");
  EXPECT_EQ(SendMessageA(secret->Handle(), EM_GETPASSWORDCHAR, 0, 0), '*');
  secret->SetText("hidden");
  UpdateWindow(form->Handle());
  testkit::SavePicture(*testkit::Capture(*form), "edits");

  name->SelectAll();
  EXPECT_EQ(name->SelLength(), 5);
  name->SetSelStart(1);
  name->SetSelLength(3);
  EXPECT_EQ(name->SelText(), "alv");

  // A new window (another border) keeps text, limit, mask and read-only state, and putting the
  // text back is no change of the user's.
  const size_t changesBefore = changes.size();
  for (ui::TEdit* edit : {name, secret, fixed}) edit->SetBorderStyle(ui::bsNone);
  EXPECT_EQ(changes.size(), changesBefore);
  Type(*name, "!");
  EXPECT_EQ(name->Text(), "Talvo");
  EXPECT_EQ(SendMessageA(secret->Handle(), EM_GETPASSWORDCHAR, 0, 0), '*');
  EXPECT_TRUE(GetWindowLongPtrA(fixed->Handle(), GWL_STYLE) & ES_READONLY);
  EXPECT_EQ(fixed->Text(), "2003");
}

TEST(ComboBox, ItemsAndSelectionSurviveTheNewWindowOfAFontChange) {
  auto form = MakeForm();
  auto* combo = Place<ui::TComboBox>(*form, 10, 10, 200);
  combo->SetStyle(ui::csDropDownList);
  for (const char* format : {"WAV", "MP3", "Ogg Vorbis"}) combo->Items().Add(format);
  combo->SetItemIndex(1);
  form->Show();
  Pump();
  const int closedHeight = combo->Height();
  HWND before = combo->Handle();

  combo->Font().SetHeight(-24);
  EXPECT_NE(combo->Handle(), before);
  EXPECT_EQ(SendMessageA(combo->Handle(), CB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(combo->ItemIndex(), 1);
  EXPECT_EQ(combo->Text(), "MP3");
  EXPECT_GT(combo->Height(), closedHeight);  // the closed box grew with its font
  combo->Items().Add("FLAC");
  EXPECT_EQ(SendMessageA(combo->Handle(), CB_GETCOUNT, 0, 0), 4);
}

TEST(ComboBox, TheDroppedListShowsDropDownCountItems) {
  auto form = MakeForm();
  auto* combo = Place<ui::TComboBox>(*form, 10, 10, 200);
  combo->SetStyle(ui::csDropDownList);
  for (int i = 0; i < 20; ++i) combo->Items().Add("Genre " + std::to_string(i));
  combo->SetDropDownCount(4);
  form->Show();
  Pump();
  auto shownItems = [&] {
    combo->SetDroppedDown(true);
    testkit::PumpFor(30);
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    RECT list{};
    if (GetComboBoxInfo(combo->Handle(), &info)) GetClientRect(info.hwndList, &list);
    const int item = static_cast<int>(SendMessageA(info.hwndList, LB_GETITEMHEIGHT, 0, 0));
    combo->SetDroppedDown(false);
    return item > 0 ? static_cast<int>(list.bottom) / item : 0;
  };
  const int closed = combo->Height();
  EXPECT_EQ(shownItems(), 4);
  combo->SetDropDownCount(10);
  EXPECT_EQ(shownItems(), 10);
  EXPECT_EQ(combo->Height(), closed) << "the closed box keeps its height";
}

TEST(ComboBox, AChoiceMadeWithTheKeyboardIsReportedAsAChange) {
  auto form = MakeForm();
  auto* combo = Place<ui::TComboBox>(*form, 10, 10, 200);
  combo->SetStyle(ui::csDropDownList);
  combo->Items().SetText("D: Simulated CD\r\nE: Second drive\r\n");
  combo->SetItemIndex(0);
  std::vector<std::string> chosen;
  combo->OnChange = [&](ui::TComponent*) { chosen.push_back(combo->Text()); };
  form->Show();
  SetForegroundWindow(form->Handle());
  combo->SetFocus();
  Pump();
  testkit::PressKey(VK_DOWN);
  EXPECT_EQ(combo->ItemIndex(), 1);
  EXPECT_EQ(chosen, (std::vector<std::string>{"E: Second drive"}));
  combo->SetItemIndex(0);  // set by the program: no change event
  EXPECT_EQ(chosen.size(), 1u);
}

TEST(ComboBox, OwnerDrawnItemsAreMeasuredAndDrawnThroughTheEvents) {
  auto form = MakeForm();
  auto* fixed = Place<ui::TComboBox>(*form, 10, 10, 140);
  auto* variable = Place<ui::TComboBox>(*form, 160, 10, 140);
  fixed->SetStyle(ui::csOwnerDrawFixed);
  fixed->SetItemHeight(20);
  variable->SetStyle(ui::csOwnerDrawVariable);
  std::vector<int> measured;
  variable->OnMeasureItem = [&](ui::TComponent*, int index, int& height) {
    measured.push_back(index);
    height = 14 + 4 * index;
  };
  std::vector<std::string> drawn;
  fixed->OnDrawItem = [&](ui::TComponent* sender, int index, const RECT& r, ui::TOwnerDrawState state) {
    auto* box = static_cast<ui::TComboBox*>(sender);
    drawn.push_back(box->Items()[index] + ((state & ui::odSelected) ? " selected" : ""));
    box->Canvas().Brush().SetColor(index == 0 ? ui::clRed : ui::clBlue);
    box->Canvas().FillRect(r);
  };
  form->Show();
  for (const char* name : {"clRed", "clBlue", "clNavy"}) {
    fixed->Items().Add(name);
    variable->Items().Add(name);
  }
  fixed->SetItemIndex(0);
  EXPECT_EQ(measured, (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(SendMessageA(variable->Handle(), CB_GETITEMHEIGHT, 2, 0), 22);
  EXPECT_EQ(SendMessageA(fixed->Handle(), CB_GETITEMHEIGHT, 0, 0), 20);

  drawn.clear();
  RedrawWindow(fixed->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  Pump();
  ASSERT_FALSE(drawn.empty());
  EXPECT_EQ(drawn.back().rfind("clRed", 0), 0u);
  auto shot = testkit::Capture(*form);
  testkit::SavePicture(*shot, "combo_owner_drawn");
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  GetComboBoxInfo(fixed->Handle(), &info);
  EXPECT_EQ(shot->Pixel(10 + info.rcItem.left + 4, 10 + (info.rcItem.top + info.rcItem.bottom) / 2), ui::clRed);
}
