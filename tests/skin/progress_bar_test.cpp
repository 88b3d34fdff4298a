// The progress bar without a display: percentage and fill arithmetic (in 64 bits, unclamped),
// the caption, the fixed thickness, orientation changes, the theme and what a paint draws.
#include <gtest/gtest.h>

#include "KIVProgressBar.h"
#include "SkinTestForm.h"

using kiv::TkivProgressBar;
using kiv::TkivUIStyle;

namespace {

TEST(ProgressArithmetic, PercentTruncatesTowardZeroUnclampedAndSurvivesWideRanges) {
  EXPECT_EQ(kiv::ProgressPercent(0, 100, 50), 50);
  EXPECT_EQ(kiv::ProgressPercent(5, 5, 7), 0);
  EXPECT_EQ(kiv::ProgressPercent(0, 10, 20), 200);
  EXPECT_EQ(kiv::ProgressPercent(0, 10, -5), -50);
  EXPECT_EQ(kiv::ProgressPercent(0, 3, -1), -33);
  EXPECT_EQ(kiv::ProgressPercent(0, 2000000000, 1500000000), 75);
  EXPECT_EQ(kiv::ProgressPercent(-2000000000, 2000000000, 0), 50);
}

TEST(ProgressArithmetic, FillIsNothingAtOrBelowMinAllAboveMaxElseTheShare) {
  EXPECT_EQ(kiv::ProgressFillLength(0, 100, 50, 149), 74);
  EXPECT_EQ(kiv::ProgressFillLength(0, 100, 0, 149), 0);
  EXPECT_EQ(kiv::ProgressFillLength(0, 100, -3, 149), 0);
  EXPECT_EQ(kiv::ProgressFillLength(0, 100, 101, 149), 149);
  EXPECT_EQ(kiv::ProgressFillLength(10, 10, 10, 149), 0);
  EXPECT_EQ(kiv::ProgressFillLength(0, 2000000000, 1000000000, 149), 74);
}

class ProgressBar : public ::testing::Test {
 protected:
  TkivProgressBar* Make(TkivUIStyle formStyle) {
    window.skin->SetUIStyle(formStyle);
    return new TkivProgressBar(&window);
  }
  std::unique_ptr<ui::TBitmap> Paint(TkivProgressBar& bar) {
    auto picture = std::make_unique<ui::TBitmap>(bar.Width(), bar.Height());
    bar.Perform(WM_PAINT, reinterpret_cast<WPARAM>(picture->MemoryDc()));
    return picture;
  }
  skintest::SkinnedForm window;
};

TEST_F(ProgressBar, ItStartsHalfFullWithTheThemeOfTheFormSkin) {
  TkivProgressBar* bar = Make(TkivUIStyle::WinXP);
  EXPECT_EQ(bar->Width(), 150);
  EXPECT_EQ(bar->Height(), 12);
  EXPECT_EQ(bar->Text(), "50%");
  EXPECT_EQ(bar->UIStyle(), TkivUIStyle::WinXP);
  EXPECT_EQ(bar->Color(), kiv::GetThemeColor(TkivUIStyle::WinXP, 9));
  EXPECT_EQ(bar->BorderColor(), kiv::GetThemeColor(TkivUIStyle::WinXP, 8));
  EXPECT_TRUE(bar->Picture().HasGraphic());
  EXPECT_TRUE(bar->ShowCaption());
}

TEST_F(ProgressBar, TheCaptionIsThePercentage) {
  TkivProgressBar* bar = Make(TkivUIStyle::DeepBlue);
  bar->SetMax(10);
  bar->SetPosition(20);
  EXPECT_EQ(bar->Text(), "200%");
  bar->SetPosition(-5);
  EXPECT_EQ(bar->Text(), "-50%");
  bar->SetMin(10);
  bar->SetPosition(10);
  EXPECT_EQ(bar->Text(), "0%");
}

TEST_F(ProgressBar, ItStaysTwelveThickAndTurnsWithItsLength) {
  TkivProgressBar* bar = Make(TkivUIStyle::DeepBlue);
  bar->SetHeight(20);
  EXPECT_EQ(bar->Height(), 12);
  bar->SetOrientation(kiv::kivVertical);
  EXPECT_EQ(bar->Width(), 12);
  EXPECT_EQ(bar->Height(), 150);
  bar->SetWidth(30);
  EXPECT_EQ(bar->Width(), 12);
  // A vertical bar has no caption, and keeps none when turned back.
  Paint(*bar);
  EXPECT_FALSE(bar->ShowCaption());
  bar->SetOrientation(kiv::kivHorizontal);
  EXPECT_EQ(bar->Width(), 150);
  EXPECT_FALSE(bar->ShowCaption());
}

TEST_F(ProgressBar, ACustomBarKeepsItsPictureAndColoursWhenTurned) {
  TkivProgressBar* bar = Make(TkivUIStyle::DeepBlue);
  bar->SetUIStyle(TkivUIStyle::Custom);
  ui::TPicture own;
  own.Bitmap().SetSize(4, 10);
  bar->SetPicture(own);
  bar->SetColor(ui::clYellow);
  bar->SetOrientation(kiv::kivVertical);
  EXPECT_EQ(bar->Picture().Width(), 4);
  EXPECT_EQ(bar->Color(), ui::clYellow);
}

TEST_F(ProgressBar, ThePictureFillsUpToThePositionAndTheColourTheRest) {
  TkivProgressBar* bar = Make(TkivUIStyle::MacOS);
  ui::TPicture red;
  red.Bitmap().SetSize(16, 10);
  red.Bitmap().Canvas().Brush().SetColor(ui::clRed);
  red.Bitmap().Canvas().FillRect({0, 0, 16, 10});
  bar->SetPicture(red);
  bar->SetColor(ui::clLime);
  bar->SetBorderColor(ui::clBlue);
  bar->SetShowCaption(false);
  auto picture = Paint(*bar);
  // 149 columns inside the border, half of them filled: the picture ends before column 74.
  EXPECT_EQ(picture->Pixel(1, 5), ui::clRed);
  EXPECT_EQ(picture->Pixel(73, 5), ui::clRed);
  EXPECT_EQ(picture->Pixel(74, 5), ui::clLime);
  EXPECT_EQ(picture->Pixel(148, 5), ui::clLime);
  EXPECT_EQ(picture->Pixel(0, 5), ui::clBlue);
  EXPECT_EQ(picture->Pixel(149, 11), ui::clBlue);

  bar->SetPosition(bar->Min());
  picture = Paint(*bar);
  EXPECT_EQ(picture->Pixel(1, 5), ui::clLime);
}

TEST_F(ProgressBar, AVerticalBarGrowsFromTheBottomAndLeavesNothingUndrawn) {
  TkivProgressBar* bar = Make(TkivUIStyle::WinXP);
  bar->SetOrientation(kiv::kivVertical);
  ui::TPicture red;
  red.Bitmap().SetSize(10, 16);
  red.Bitmap().Canvas().Brush().SetColor(ui::clRed);
  red.Bitmap().Canvas().FillRect({0, 0, 10, 16});
  bar->SetPicture(red);
  bar->SetColor(ui::clLime);
  bar->SetPosition(25);
  auto picture = std::make_unique<ui::TBitmap>(12, 150);
  picture->Canvas().Brush().SetColor(ui::clBlack);
  picture->Canvas().FillRect({0, 0, 12, 150});
  bar->Perform(WM_PAINT, reinterpret_cast<WPARAM>(picture->MemoryDc()));
  int red_rows = 0;
  for (int y = 1; y < 149; ++y) {
    for (int x = 1; x < 11; ++x) {
      const ui::TColor c = picture->Pixel(x, y);
      EXPECT_TRUE(c == ui::clRed || c == ui::clLime) << x << "," << y;
    }
    red_rows += picture->Pixel(5, y) == ui::clRed;
  }
  EXPECT_EQ(picture->Pixel(5, 147), ui::clRed);
  EXPECT_EQ(picture->Pixel(5, 2), ui::clLime);
  EXPECT_NEAR(red_rows, 149 / 4, 2);
}

TEST_F(ProgressBar, ASmartCaptionHidesAtTheStartOnly) {
  TkivProgressBar* bar = Make(TkivUIStyle::DeepBlue);
  bar->SetPicture(ui::TPicture());
  bar->SetColor(ui::clWhite);
  bar->SetCaptionColor(ui::clRed);
  bar->SetSmartShowCaption(true);
  auto count = [&] {
    auto picture = Paint(*bar);
    int n = 0;
    for (int y = 0; y < 12; ++y)
      for (int x = 0; x < 150; ++x) n += picture->Pixel(x, y) == ui::clRed;
    return n;
  };
  bar->SetPosition(0);
  EXPECT_EQ(count(), 0);
  bar->SetPosition(1);
  EXPECT_GT(count(), 5);
}

}  // namespace
