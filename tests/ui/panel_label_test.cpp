// Panels and labels on the test display: the BorderWidth margin and the bevels around aligned
// children, caption alignment, painting what lies under a see-through panel (also into a
// context another control supplies), label sizing against the text's measure, word wrap,
// transparency and the accelerator that focuses a label's control.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "Label.h"
#include "Panel.h"
#include "ParentImage.h"
#include "WindowTestKit.h"

using testkit::Pump;

namespace {

std::unique_ptr<ui::TForm> MakeForm(int width = 320, int height = 200) {
  auto form = std::make_unique<ui::TForm>(nullptr);
  form->SetBorderStyle(ui::bsNone);
  form->SetBounds(40, 40, width, height);
  form->SetColor(ui::clRed);
  return form;
}

ui::TPanel* MakePanel(ui::TWinControl& parent, RECT bounds, ui::TColor color) {
  auto* panel = new ui::TPanel(&parent);
  panel->SetBoundsRect(bounds);
  panel->SetColor(color);
  panel->SetParent(&parent);
  return panel;
}

// Columns (or rows) of the picture holding a pixel darker than mid grey: first and last.
std::pair<int, int> InkSpan(const ui::TBitmap& picture, bool columns) {
  int first = -1, last = -1;
  const int outer = columns ? picture.Width() : picture.Height();
  const int inner = columns ? picture.Height() : picture.Width();
  for (int i = 0; i < outer; ++i)
    for (int j = 0; j < inner; ++j) {
      const ui::TColor c = columns ? picture.Pixel(i, j) : picture.Pixel(j, i);
      if ((c & 0xFF) + ((c >> 8) & 0xFF) + ((c >> 16) & 0xFF) < 3 * 0x60) {
        if (first < 0) first = i;
        last = i;
        break;
      }
    }
  return {first, last};
}

TEST(Panel, BorderWidthIsAMarginOutsideTheClientAreaAndChildrenAlignInsideTheBevels) {
  auto form = MakeForm();
  auto* panel = MakePanel(*form, {10, 10, 210, 130}, ui::clYellow);
  panel->SetBorderWidth(6);
  panel->SetBevelOuter(ui::bvRaised);
  panel->SetBevelInner(ui::bvLowered);
  panel->SetBevelWidth(2);
  auto* child = new testkit::Panel(form.get());
  child->SetColor(ui::clBlue);
  child->SetAlign(ui::alClient);
  child->SetParent(panel);
  // Laid out before any window exists...
  EXPECT_EQ(panel->ClientRect(), (RECT{0, 0, 188, 108}));
  EXPECT_EQ(child->BoundsRect(), (RECT{4, 4, 184, 104}));
  form->Show();
  Pump();
  // ...and the same once the window's frame has its margin.
  EXPECT_EQ(panel->ClientRect(), (RECT{0, 0, 188, 108}));
  RECT childOnForm;
  GetWindowRect(child->Handle(), &childOnForm);
  MapWindowPoints(HWND_DESKTOP, form->Handle(), reinterpret_cast<POINT*>(&childOnForm), 2);
  EXPECT_EQ(childOnForm, (RECT{20, 20, 200, 120}));

  auto shot = testkit::CaptureAndSave(*form, "panel_border_bevels");
  EXPECT_EQ(shot->Pixel(10, 10), ui::clYellow);  // the margin, in the panel's colour
  EXPECT_EQ(shot->Pixel(15, 100), ui::clYellow);
  EXPECT_EQ(shot->Pixel(16, 16), ui::ColorToRGB(ui::clBtnHighlight));  // raised outer bevel
  EXPECT_EQ(shot->Pixel(203, 60), ui::ColorToRGB(ui::clBtnShadow));
  EXPECT_EQ(shot->Pixel(18, 18), ui::ColorToRGB(ui::clBtnShadow));  // lowered inner bevel
  EXPECT_EQ(shot->Pixel(20, 20), ui::clBlue);

  // A new margin on a shown panel moves the frame and the children at once.
  panel->SetBorderWidth(0);
  EXPECT_EQ(panel->ClientRect(), (RECT{0, 0, 200, 120}));
  EXPECT_EQ(child->BoundsRect(), (RECT{4, 4, 196, 116}));
}

TEST(Panel, CaptionIsAlignedAsAskedAndCentredVertically) {
  auto form = MakeForm();
  auto* panel = MakePanel(*form, {0, 0, 200, 40}, ui::clWhite);
  panel->SetBevelOuter(ui::bvNone);
  panel->Font().SetColor(ui::clBlack);
  panel->SetCaption("Caption");
  form->Show();
  Pump();
  const struct {
    ui::TAlignment alignment;
    const char* name;
  } cases[] = {{ui::taLeftJustify, "left"}, {ui::taCenter, "centre"}, {ui::taRightJustify, "right"}};
  for (const auto& c : cases) {
    panel->SetAlignment(c.alignment);
    auto shot = testkit::CaptureAndSave(*panel, std::string("panel_caption_") + c.name);
    const auto [left, right] = InkSpan(*shot, true);
    const auto [top, bottom] = InkSpan(*shot, false);
    ASSERT_GE(left, 0) << c.name;
    switch (c.alignment) {
      case ui::taLeftJustify: EXPECT_LE(left, 2); break;
      case ui::taRightJustify: EXPECT_GE(right, 196); break;
      case ui::taCenter: EXPECT_NEAR((left + right) / 2, 100, 3); break;
    }
    EXPECT_NEAR((top + bottom) / 2, 20, 3) << c.name;
  }
}

TEST(Panel, ParentBackgroundShowsWhatLiesUnderItAlsoInAnotherControlsContext) {
  auto form = MakeForm();
  auto* outer = MakePanel(*form, {10, 10, 210, 130}, ui::clYellow);
  outer->SetBevelOuter(ui::bvNone);
  outer->SetBorderWidth(5);
  auto* under = new testkit::Swatch(form.get());
  under->SetBounds(0, 0, 40, 40);
  under->SetColor(ui::clBlue);
  under->SetParent(outer);
  auto* seeThrough = MakePanel(*outer, {30, 30, 90, 70}, ui::clGreen);
  seeThrough->SetParentBackground(true);
  form->Show();
  Pump();

  auto shot = testkit::CaptureAndSave(*form, "panel_parent_background");
  // The see-through panel starts at 10 + 5 + 30 on the form; the swatch ends at 40 in the
  // outer panel's client, so its last column is the panel's tenth.
  EXPECT_EQ(shot->Pixel(45, 45), ui::ColorToRGB(ui::clBtnHighlight));  // its own bevel stays
  EXPECT_EQ(shot->Pixel(50, 50), ui::clBlue);
  EXPECT_EQ(shot->Pixel(56, 56), ui::clYellow);
  EXPECT_NE(shot->Pixel(70, 60), ui::clGreen);

  // A windowless control has the same drawn into a context of its own size, without itself.
  auto* probe = new testkit::Swatch(form.get());
  probe->SetBounds(30, 30, 20, 20);
  probe->SetParent(outer);
  ui::TBitmap picture(20, 20);
  ui::DrawParentImage(*probe, picture.Canvas().Handle());
  EXPECT_EQ(picture.Pixel(9, 9), ui::clBlue);
  EXPECT_EQ(picture.Pixel(10, 10), ui::clYellow);
}

TEST(Label, AutoSizeMeasuresTheTextAndWordWrapGrowsOnlyTheHeight) {
  auto form = MakeForm(400, 300);
  auto* label = new ui::TLabel(form.get());
  label->SetParent(form.get());
  label->SetCaption("Output Path:  C:\\Music");
  ui::TBitmap measure(1, 1);
  measure.Canvas().Font().Assign(label->Font());
  const SIZE text = measure.Canvas().TextExtent("Output Path:  C:\\Music");
  EXPECT_EQ(label->Width(), text.cx);
  EXPECT_EQ(label->Height(), text.cy);

  label->Font().SetHeight(-24);
  measure.Canvas().Font().Assign(label->Font());
  EXPECT_EQ(label->Width(), measure.Canvas().TextWidth("Output Path:  C:\\Music"));

  // A right-aligned label keeps its right edge when its text changes.
  auto* right = new ui::TLabel(form.get());
  right->SetParent(form.get());
  right->SetAlignment(ui::taRightJustify);
  right->SetCaption("Stop");
  right->SetLeft(300 - right->Width());
  right->SetCaption("Playing track 12");
  EXPECT_EQ(right->Left() + right->Width(), 300);

  // Word wrap keeps the width and takes as many lines as the words need.
  auto* wrapped = new ui::TLabel(form.get());
  wrapped->SetParent(form.get());
  wrapped->SetBounds(10, 60, 225, 17);
  wrapped->SetConstraints({225, 0, 225, 0});
  wrapped->SetWordWrap(true);
  const std::string words =
      "The disc in the drive has changed since the titles were read. Read the disc again "
      "before ripping, or the files may be named after another disc.";
  wrapped->SetCaption(words);
  measure.Canvas().Font().Assign(wrapped->Font());
  const int line = measure.Canvas().TextHeight("Wg");
  const int needed = (measure.Canvas().TextWidth(words) + 224) / 225;
  EXPECT_EQ(wrapped->Width(), 225);
  EXPECT_EQ(wrapped->Height() % line, 0);
  EXPECT_GE(wrapped->Height() / line, needed);
  EXPECT_LE(wrapped->Height() / line, needed + 2);
  form->Show();
  Pump();
  auto shot = testkit::CaptureAndSave(*form, "label_sizes");
  // No letter of the wrapped text lies right of its width.
  for (int y = 60; y < 60 + wrapped->Height(); ++y)
    for (int x = 235; x < 260; ++x) ASSERT_EQ(shot->Pixel(x, y), ui::clRed) << x << "," << y;
}

TEST(Label, TransparentShowsTheParentAndTheAcceleratorFocusesItsControl) {
  auto form = MakeForm();
  auto* panel = MakePanel(*form, {0, 0, 320, 200}, ui::clYellow);
  panel->SetBevelOuter(ui::bvNone);
  auto* first = new testkit::EditBox(form.get());
  first->SetBounds(100, 10, 120, 24);
  first->SetParent(panel);
  auto* second = new testkit::EditBox(form.get());
  second->SetBounds(100, 50, 120, 24);
  second->SetParent(panel);
  auto* label = new ui::TLabel(form.get());
  label->SetCaption("&Name:");
  label->SetBounds(10, 55, 0, 0);
  label->SetColor(ui::clBlue);
  label->SetTransparent(true);
  label->SetFocusControl(second);
  label->SetParent(panel);
  form->Show();
  first->SetFocus();
  Pump();

  auto shot = testkit::CaptureAndSave(*form, "label_transparent");
  EXPECT_EQ(shot->Pixel(label->Left(), label->Top()), ui::clYellow);

  testkit::PressKey('N', ui::ssAlt);
  EXPECT_TRUE(second->Focused());
  delete second;
  EXPECT_EQ(label->FocusControl(), nullptr);
  first->SetFocus();
  testkit::PressKey('N', ui::ssAlt);  // nothing to focus: nothing happens
  EXPECT_TRUE(first->Focused());
}

}  // namespace
