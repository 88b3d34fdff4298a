// The framed edit, list view, tree view, check list box and combo box: the combo arrow's
// geometry, the frame's two rings read back from the screen after painting, after the frame is
// redrawn by the system, after scrolling, focus and resizing; the combo box's colours by style
// and its disabled arrow; the check list box's fixed border; the style push; and a picture of
// the five controls in each style.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <memory>
#include <string>
#include <utility>

#include "KIVCheckListBox.h"
#include "KIVComboBox.h"
#include "KIVEdit.h"
#include "KIVListView.h"
#include "KIVTreeView.h"
#include "SkinTestForm.h"
#include "WindowTestKit.h"

using kiv::TkivUIStyle;
using testkit::ColorNear;

namespace {

TEST(ComboArrow, FourPixelsLeftOfTheButtonMiddlePointingDown) {
  const POINT origin = kiv::ComboArrowOrigin({100, 2, 117, 19});
  EXPECT_EQ(origin.x, 104);
  EXPECT_EQ(origin.y, 10);
  const auto triangle = kiv::ComboArrowTriangle(origin);
  EXPECT_EQ(triangle[1].x - triangle[0].x, 6);
  EXPECT_EQ(triangle[2].x, 107);
  EXPECT_EQ(triangle[2].y, 13);
  // A button too narrow for the arrow still gives a point, left of it.
  EXPECT_EQ(kiv::ComboArrowOrigin({10, 0, 11, 1}).x, 6);
  EXPECT_EQ(kiv::ComboArrowOrigin({0, 0, 0, 0}).y, 0);
}

// The outermost ring of the control's window in outer, the next one in inner, read on the
// screen at the corners and the middle of every side.
void ExpectRings(ui::TWinControl& control, ui::TColor outer, ui::TColor inner, const char* when) {
  std::unique_ptr<ui::TBitmap> picture = testkit::CaptureWindow(control);
  const int w = picture->Width(), h = picture->Height();
  for (int ring = 0; ring < 2; ++ring) {
    const ui::TColor want = ring == 0 ? outer : inner;
    const int r = ring, right = w - 1 - ring, bottom = h - 1 - ring;
    const POINT points[] = {{r + 1, r}, {w / 2, r}, {right - 1, r}, {r, h / 2}, {right, h / 2},
                            {r + 1, bottom}, {w / 2, bottom}, {right, bottom - 1}};
    for (POINT p : points)
      EXPECT_TRUE(ColorNear(picture->Pixel(p.x, p.y), ui::ColorToRGB(want), 0))
          << control.ClassName() << " " << when << ": ring " << ring << " at " << p.x << ","
          << p.y << " is " << std::hex << picture->Pixel(p.x, p.y);
  }
}

// The five controls on a window of the style, filled as the application fills them.
struct FramedSet {
  explicit FramedSet(TkivUIStyle style) {
    form.skin->SetUIStyle(style);
    form.SetBounds(30, 30, 430, 230);
    edit = skintest::Put<kiv::TkivEdit>(form, 10, 10, 150, 21);
    edit->SetText("Artist - Title");
    combo = skintest::Put<kiv::TkivComboBox>(form, 170, 10, 120, 21);
    off = skintest::Put<kiv::TkivComboBox>(form, 300, 10, 120, 21);
    for (kiv::TkivComboBox* c : {combo, off}) {
      c->SetStyle(ui::csDropDownList);
      c->Items().Add(c == off ? "Disabled" : "MP3 (LAME)");
      c->SetItemIndex(0);
    }
    off->SetEnabled(false);
    view = skintest::Put<kiv::TkivListView>(form, 10, 40, 200, 180);
    view->SetViewStyle(ui::vsReport);
    view->SetCheckboxes(true);
    for (auto [caption, width] : {std::pair{"Title", 110}, std::pair{"Length", 60}}) {
      ui::TListColumn* column = view->Columns().Add();
      column->SetCaption(caption);
      column->SetWidth(width);
    }
    for (int i = 0; i < 40; ++i) {
      ui::TListItem* item = view->Items().Add();
      item->SetCaption("Track " + std::to_string(i + 1));
      item->SubItems().Add("3:2" + std::to_string(i % 10));
    }
    tree = skintest::Put<kiv::TkivTreeView>(form, 220, 40, 100, 180);
    ui::TTreeNode* root = tree->Items().Add(nullptr, "Desktop");
    for (int i = 0; i < 20; ++i) tree->Items().AddChild(root, "Album " + std::to_string(i + 1));
    root->Expand(false);
    checks = skintest::Put<kiv::TkivCheckListBox>(form, 330, 40, 90, 180);
    for (const char* n : {"Artist", "Album", "Year"}) checks->Items().Add(n);
    checks->SetChecked(1, true);
    form.Show();
    testkit::Pump();
  }

  std::array<ui::TWinControl*, 5> Framed() const { return {edit, view, tree, checks, combo}; }

  void ExpectAllFramed(TkivUIStyle style, const char* when) {
    for (ui::TWinControl* c : Framed())
      ExpectRings(*c, kiv::GetThemeColor(style, 8), c->Color(), when);
  }

  skintest::SkinnedForm form;
  kiv::TkivEdit* edit;
  kiv::TkivComboBox *combo, *off;
  kiv::TkivListView* view;
  kiv::TkivTreeView* tree;
  kiv::TkivCheckListBox* checks;
};

TEST(FramedControls, TheFrameSurvivesPaintingFrameRedrawsScrollingFocusAndResizing) {
  FramedSet set(TkivUIStyle::DeepBlue);
  EXPECT_EQ(GetWindowLongPtrA(set.view->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
  set.ExpectAllFramed(TkivUIStyle::DeepBlue, "after the first paint");

  for (ui::TWinControl* c : set.Framed())
    RedrawWindow(c->Handle(), nullptr, nullptr,
                 RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  testkit::Pump();
  set.ExpectAllFramed(TkivUIStyle::DeepBlue, "after the system redrew the frames");

  set.view->SetFocus();
  testkit::PressKey(VK_END);
  SendMessageA(set.tree->Handle(), WM_VSCROLL, SB_BOTTOM, 0);
  set.edit->SetFocus();
  testkit::TypeText("x");
  set.view->SetBounds(10, 40, 180, 150);
  testkit::Pump();
  EXPECT_GT(ListView_GetTopIndex(set.view->Handle()), 0);
  set.ExpectAllFramed(TkivUIStyle::DeepBlue, "after scrolling, typing and resizing");

  // The check list's border writes keep its one-pixel margin and no native edge.
  set.checks->SetBorderWidth(5);
  set.checks->SetBorderStyle(ui::bsSingle);
  EXPECT_EQ(set.checks->BorderWidth(), 1);
  EXPECT_EQ(set.checks->BorderStyle(), ui::bsSingle);
  RECT client;
  GetClientRect(set.checks->Handle(), &client);
  EXPECT_EQ(client.right, set.checks->Width() - 2);

  // The form skin's style push reaches every framed control.
  kiv::ApplyStyleToChildren(set.form, TkivUIStyle::WinXP);
  EXPECT_EQ(set.combo->UIStyle(), TkivUIStyle::WinXP);
  testkit::Pump();
  set.ExpectAllFramed(TkivUIStyle::WinXP, "after the style push");
}

TEST(FramedControls, TheComboButtonTakesTheStyleAndGreysItsArrowWhenDisabled) {
  FramedSet set(TkivUIStyle::DeepBlue);
  kiv::TkivComboBox* combo = set.combo;
  combo->SetUIStyle(TkivUIStyle::Custom);
  EXPECT_EQ(combo->ButtonColor(), ui::clBlack);
  EXPECT_EQ(combo->ArrowColor(), ui::clBlack);
  EXPECT_EQ(combo->BorderColor(), ui::clBlack);

  // A style write overwrites colours written before it; colours written after it stay.
  combo->SetButtonColor(ui::clYellow);
  combo->SetUIStyle(TkivUIStyle::WinXP);
  EXPECT_EQ(combo->ButtonColor(), kiv::GetThemeColor(TkivUIStyle::WinXP, 74));
  EXPECT_EQ(combo->ArrowColor(), kiv::GetThemeColor(TkivUIStyle::WinXP, 8));
  combo->SetButtonColor(ui::clYellow);
  combo->SetArrowColor(ui::clBlue);
  testkit::Pump();

  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetComboBoxInfo(combo->Handle(), &info));
  const RECT button = info.rcButton;
  const POINT o = kiv::ComboArrowOrigin(button);
  std::unique_ptr<ui::TBitmap> picture = testkit::CaptureWindow(*combo);
  EXPECT_EQ(picture->Pixel(button.left + 1, button.top + 1), ui::clYellow);
  EXPECT_EQ(picture->Pixel(o.x + 3, o.y + 1), ui::clBlue);
  ExpectRings(*combo, combo->BorderColor(), combo->Color(), "with colours of its own");

  // Dropped down by a click on the button, and closed again: still our button.
  testkit::Click(*combo, (button.left + button.right) / 2, (button.top + button.bottom) / 2);
  testkit::Pump();
  EXPECT_TRUE(combo->DroppedDown());
  picture = testkit::Capture(*combo);
  EXPECT_EQ(picture->Pixel(button.left + 1, button.top + 1), ui::clYellow);
  EXPECT_EQ(picture->Pixel(o.x + 3, o.y + 1), ui::clBlue);
  testkit::PressKey(VK_ESCAPE);
  testkit::Pump();
  EXPECT_FALSE(combo->DroppedDown());
  picture = testkit::Capture(*combo);
  EXPECT_EQ(picture->Pixel(button.left + 1, button.top + 1), ui::clYellow);

  combo->SetEnabled(false);
  testkit::Pump();
  picture = testkit::CaptureWindow(*combo);
  EXPECT_EQ(picture->Pixel(o.x + 3, o.y + 1), ui::TColor(0x808080));
  EXPECT_EQ(picture->Pixel(o.x + 4, o.y + 4), ui::TColor(0xFFFFFF));
  EXPECT_EQ(picture->Pixel(button.left + 1, button.top + 1), ui::clYellow);
}

// A colour's brightness, 0 to 255, as the eye weighs red, green and blue.
int Brightness(ui::TColor c) {
  return (299 * (c & 0xFF) + 587 * ((c >> 8) & 0xFF) + 114 * ((c >> 16) & 0xFF)) / 1000;
}

// The combo's arrow stands out from its button: the arrow colour at the arrow's middle and a
// clearly lighter or darker button just above the arrow.
void ExpectVisibleArrow(kiv::TkivComboBox& combo, const char* style) {
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetComboBoxInfo(combo.Handle(), &info));
  const POINT o = kiv::ComboArrowOrigin(info.rcButton);
  std::unique_ptr<ui::TBitmap> picture = testkit::CaptureWindow(combo);
  const ui::TColor arrow = ui::ColorToRGB(combo.ArrowColor());
  EXPECT_EQ(picture->Pixel(o.x + 3, o.y + 1), arrow) << style;
  const ui::TColor around = picture->Pixel(o.x + 3, o.y - 2);
  EXPECT_GE(std::abs(Brightness(around) - Brightness(arrow)), 64)
      << style << ": the button around the arrow is " << std::hex << around;
}

// Both scroll bars' ends and the square between them hold nothing but the button face.
void ExpectPlainScrollCorner(ui::TWinControl& control) {
  SCROLLBARINFO vertical{}, horizontal{};
  vertical.cbSize = horizontal.cbSize = sizeof(SCROLLBARINFO);
  ASSERT_TRUE(GetScrollBarInfo(control.Handle(), OBJID_VSCROLL, &vertical));
  ASSERT_TRUE(GetScrollBarInfo(control.Handle(), OBJID_HSCROLL, &horizontal));
  ASSERT_EQ(GetWindowLongPtrA(control.Handle(), GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL), WS_HSCROLL | WS_VSCROLL);
  RECT window;
  GetWindowRect(control.Handle(), &window);
  std::unique_ptr<ui::TBitmap> picture = testkit::CaptureWindow(control);
  const ui::TColor face = GetSysColor(COLOR_BTNFACE);
  int other = 0;
  for (LONG y = vertical.rcScrollBar.bottom; y < horizontal.rcScrollBar.bottom; ++y)
    for (LONG x = horizontal.rcScrollBar.right; x < vertical.rcScrollBar.right; ++x)
      other += picture->Pixel(x - window.left, y - window.top) != face;
  EXPECT_EQ(other, 0) << control.ClassName() << ": pixels of the corner that are not the button face";
}

TEST(FramedControlCaptures, TheFiveControlsInEveryStyle) {
  for (const auto& s : skintest::kThemeStyles) {
    FramedSet set(s.style);
    testkit::CaptureAndSave(set.form, std::string("framed_") + s.name);
    set.ExpectAllFramed(s.style, s.name);
    ExpectVisibleArrow(*set.combo, s.name);
    ExpectPlainScrollCorner(*set.tree);
  }
}

}  // namespace
