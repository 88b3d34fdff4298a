// The picture panel, group box and check group without a display: fitting to the picture,
// the see-through panel, the group frame around its caption, and the check group's boxes
// following its items in columns.
#include <gtest/gtest.h>

#include "KIVGroupBox.h"
#include "KIVImagePanel.h"
#include "KIVRadioGroup.h"
#include "SkinTestForm.h"

using kiv::TkivUIStyle;
using ui::TBitmap;

namespace {

std::unique_ptr<TBitmap> Paint(ui::TWinControl& control) {
  auto picture = std::make_unique<TBitmap>(control.Width(), control.Height());
  control.Perform(WM_PAINT, reinterpret_cast<WPARAM>(picture->MemoryDc()));
  return picture;
}

std::unique_ptr<ui::TPicture> Solid(int width, int height, ui::TColor color) {
  auto picture = std::make_unique<ui::TPicture>();
  picture->Bitmap().SetSize(width, height);
  picture->Bitmap().Canvas().Brush().SetColor(color);
  picture->Bitmap().Canvas().FillRect({0, 0, width, height});
  return picture;
}

class Panels : public ::testing::Test {
 protected:
  skintest::SkinnedForm window;
};

TEST_F(Panels, APicturePanelFitsThePictureAlongTheSidesItsAlignmentLeavesFree) {
  auto* panel = new kiv::TkivImagePanel(&window);
  panel->SetParent(&window);
  panel->SetBounds(0, 0, 50, 50);
  panel->SetAutoSize(true);
  panel->SetPicture(*Solid(30, 20, ui::clRed));
  EXPECT_EQ(panel->Width(), 30);
  EXPECT_EQ(panel->Height(), 20);
  panel->SetAlign(ui::alClient);
  const RECT before = panel->BoundsRect();
  panel->SetPicture(*Solid(10, 10, ui::clRed));
  const RECT after = panel->BoundsRect();
  EXPECT_TRUE(EqualRect(&before, &after));
}

TEST_F(Panels, ATransparentPanelWithoutPictureShowsItsParentAndCaption) {
  window.SetColor(ui::clLime);
  auto* panel = new kiv::TkivImagePanel(&window);
  panel->SetParent(&window);
  panel->SetBounds(10, 10, 80, 30);
  panel->SetColor(ui::clRed);
  panel->SetTransparent(true);
  panel->SetCaption("Cover");
  panel->Font().SetColor(ui::clBlue);
  auto picture = Paint(*panel);
  int red = 0, blue = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 80; ++x) {
      red += picture->Pixel(x, y) == ui::clRed;
      blue += picture->Pixel(x, y) == ui::clBlue;
    }
  EXPECT_EQ(red, 0);
  EXPECT_GT(blue, 10);
  EXPECT_EQ(picture->Pixel(1, 1), ui::clLime);
}

TEST_F(Panels, TheGroupFrameOpensForTheCaption) {
  window.skin->SetUIStyle(TkivUIStyle::WinXP);
  auto* group = new kiv::TkivGroupBox(&window);
  group->SetParent(&window);
  EXPECT_EQ(group->BorderColor(), kiv::GetThemeColor(TkivUIStyle::WinXP, 8));
  EXPECT_EQ(group->Font().Color(), kiv::GetThemeColor(TkivUIStyle::WinXP, 10));
  EXPECT_TRUE(group->Transparent());
  group->SetBorderColor(ui::clRed);
  const int y = std::abs(group->Font().Height()) / 2 + 1;
  auto picture = Paint(*group);
  for (int x : {0, 1, 2, 30, 100, 184}) EXPECT_EQ(picture->Pixel(x, y), ui::clRed) << x;
  EXPECT_EQ(picture->Pixel(0, 104), ui::clRed);

  group->SetCaption("Disc");
  TBitmap measure(1, 1);
  measure.Canvas().Font().Assign(group->Font());
  const int gapEnd = measure.Canvas().TextWidth("Disc") + 6;
  picture = Paint(*group);
  EXPECT_EQ(picture->Pixel(1, y), ui::clRed);
  EXPECT_NE(picture->Pixel(3, y), ui::clRed);
  EXPECT_NE(picture->Pixel(gapEnd - 1, y), ui::clRed);
  EXPECT_EQ(picture->Pixel(gapEnd + 1, y), ui::clRed);
}

TEST_F(Panels, AGroupPassesEnabledToItsControls) {
  auto* group = new kiv::TkivGroupBox(&window);
  auto* inner = new ui::TWinControl(&window);
  inner->SetParent(group);
  group->SetEnabled(false);
  EXPECT_FALSE(inner->Enabled());
  group->SetEnabled(true);
  EXPECT_TRUE(inner->Enabled());
}

TEST(CheckGroupLayout, BoxesFillTheFirstColumnFromTheTopThenTheNext) {
  const RECT content{3, 11, 183, 103};
  // Five boxes in two columns make three rows over 92 - 8 pixels.
  for (int i = 0; i < 5; ++i) {
    const POINT at = kiv::CheckGroupItemOrigin(i, 5, 2, 8, content, 185);
    EXPECT_EQ(at.x, (i / 3) * 87 + 8) << i;
    EXPECT_EQ(at.y, (i % 3) * 28 + 19) << i;
  }
}

TEST_F(Panels, TheCheckGroupKeepsOneBoxPerItemAndFreesFromTheEnd) {
  auto* group = new kiv::TkivCheckGroup(&window);
  group->SetParent(&window);
  group->Items().SetText("Artist\nAlbum\nTitle\nYear\nGenre");
  ASSERT_EQ(group->BoxCount(), 5);
  kiv::TkivCheckBox* first = group->Boxes(0);
  EXPECT_EQ(first->Parent(), group);
  EXPECT_TRUE(first->AutoSize());
  group->Items().SetText("One\nTwo");
  ASSERT_EQ(group->BoxCount(), 2);
  EXPECT_EQ(group->Boxes(0), first);
  EXPECT_EQ(first->Caption(), "One");
  EXPECT_EQ(group->Boxes(1)->Caption(), "Two");
  EXPECT_EQ(group->ControlCount(), 2);

  group->SetColumns(0);
  group->SetTopMargin(-1);
  EXPECT_EQ(group->Columns(), 1);
  EXPECT_EQ(group->TopMargin(), 8);
  group->SetUIStyle(TkivUIStyle::Protein);
  EXPECT_EQ(first->UIStyle(), TkivUIStyle::Protein);
}

}  // namespace
