// The shared drawing routines, on memory bitmaps: three-part caps, nine-grid corners, edges
// and transparency, quarter turns, tiling from the canvas origin and the parent's background.
#include <gtest/gtest.h>

#include <memory>

#include "CustomControl.h"
#include "Form.h"
#include "KIVPublic.h"

using ui::TBitmap;
using ui::TColor;

namespace {

constexpr TColor kPaper = RGB(200, 200, 200);  // what the canvas holds before drawing
constexpr TColor kMagenta = 0xFF00FF;

void Fill(TBitmap& bitmap, TColor color, RECT r) {
  bitmap.Canvas().Brush().SetColor(color);
  bitmap.Canvas().FillRect(r);
}

std::unique_ptr<TBitmap> Paper(int width, int height) {
  auto bitmap = std::make_unique<TBitmap>(width, height);
  Fill(*bitmap, kPaper, {0, 0, width, height});
  return bitmap;
}

// A three-part source: cells of 10 in red, green and blue, 6 high.
std::unique_ptr<TBitmap> ThreeCells(int width) {
  auto bitmap = std::make_unique<TBitmap>(width, 6);
  Fill(*bitmap, RGB(255, 0, 0), {0, 0, 10, 6});
  Fill(*bitmap, RGB(0, 255, 0), {10, 0, 20, 6});
  Fill(*bitmap, RGB(0, 0, 255), {20, 0, width, 6});
  return bitmap;
}

TEST(ThreePart, CapsKeepTheirWidthAtBothEnds) {
  for (int sourceWidth : {30, 31, 32}) {
    auto source = ThreeCells(sourceWidth);
    for (int width : {25, 50, 100}) {
      auto target = Paper(120, 10);
      kiv::DrawThreePartBitmap(*source, target->Canvas(), {5, 2, 5 + width, 8}, false);
      EXPECT_EQ(target->Pixel(5, 2), RGB(255, 0, 0));
      EXPECT_EQ(target->Pixel(14, 7), RGB(255, 0, 0));
      EXPECT_EQ(target->Pixel(5 + width - 1, 2), RGB(0, 0, 255));
      EXPECT_EQ(target->Pixel(5 + width - 10, 7), RGB(0, 0, 255));
      EXPECT_EQ(target->Pixel(5 + width, 2), kPaper);
      if (width > 20) {
        EXPECT_EQ(target->Pixel(15, 4), RGB(0, 255, 0));
      }
      EXPECT_EQ(target->Pixel(4, 4), kPaper);
    }
  }
}

TEST(ThreePart, TheTopLeftColourIsLeftOutOfTheCapsWhenTransparent) {
  auto source = ThreeCells(30);
  source->SetPixel(0, 0, kMagenta);
  source->SetPixel(3, 3, kMagenta);    // in the left cap
  source->SetPixel(25, 3, kMagenta);   // in the right cap
  source->SetPixel(15, 3, kMagenta);   // in the middle, which is always opaque
  auto target = Paper(60, 10);
  kiv::DrawThreePartBitmap(*source, target->Canvas(), {0, 0, 30, 6}, true);
  EXPECT_EQ(target->Pixel(0, 0), kPaper);
  EXPECT_EQ(target->Pixel(3, 3), kPaper);
  EXPECT_EQ(target->Pixel(25, 3), kPaper);
  EXPECT_EQ(target->Pixel(15, 3), kMagenta);
  EXPECT_EQ(target->Pixel(1, 0), RGB(255, 0, 0));
  kiv::DrawThreePartBitmap(*source, target->Canvas(), {30, 0, 60, 6}, false);
  EXPECT_EQ(target->Pixel(33, 3), kMagenta);
}

TEST(ThreePart, APictureNarrowerThanThreeDrawsNothing) {
  TBitmap source(2, 5);
  auto target = Paper(10, 10);
  kiv::DrawThreePartBitmap(source, target->Canvas(), {0, 0, 10, 10}, false);
  EXPECT_EQ(target->Pixel(1, 1), kPaper);
}

// A nine-grid source w x h: a one-pixel navy border, each quarter's inside in its own colour,
// white through the middle rows and columns.
constexpr TColor kTopLeft = RGB(255, 0, 0), kTopRight = RGB(0, 160, 0), kBottomLeft = RGB(0, 0, 255),
                 kBottomRight = RGB(255, 160, 0), kBorder = RGB(0, 0, 128), kMiddle = RGB(255, 255, 255);

std::unique_ptr<TBitmap> NineGridSource(int w, int h) {
  auto b = std::make_unique<TBitmap>(w, h);
  Fill(*b, kMiddle, {0, 0, w, h});
  const int cw = w / 2 - 2, ch = h / 2 - 2;
  Fill(*b, kTopLeft, {0, 0, cw, ch});
  Fill(*b, kTopRight, {w - cw, 0, w, ch});
  Fill(*b, kBottomLeft, {0, h - ch, cw, h});
  Fill(*b, kBottomRight, {w - cw, h - ch, w, h});
  b->Canvas().Brush().SetColor(kBorder);
  b->Canvas().FrameRect({0, 0, w, h});
  return b;
}

TEST(NineGrid, CornersAreCopiedUnscaledAndTheRestStretched) {
  auto source = NineGridSource(21, 21);
  auto target = Paper(100, 60);
  kiv::DrawNineGrid(*source, target->Canvas(), {0, 0, 80, 40}, false);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) ASSERT_EQ(target->Pixel(x, y), source->Pixel(x, y)) << x << "," << y;
  // The right corners are one pixel narrower, the bottom ones one pixel lower.
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 9; ++x) {
      ASSERT_EQ(target->Pixel(71 + x, 40 - 9 + y), source->Pixel(12 + x, 12 + y)) << x << "," << y;
      ASSERT_EQ(target->Pixel(71 + x, y), source->Pixel(12 + x, y));
    }
  EXPECT_EQ(target->Pixel(40, 0), kBorder);   // top edge
  EXPECT_EQ(target->Pixel(0, 20), kBorder);   // left edge
  EXPECT_EQ(target->Pixel(79, 20), kBorder);  // right edge
  EXPECT_EQ(target->Pixel(40, 39), kBorder);  // bottom edge
  EXPECT_EQ(target->Pixel(40, 20), kMiddle);
  EXPECT_EQ(target->Pixel(80, 20), kPaper);
  EXPECT_EQ(target->Pixel(40, 40), kPaper);
}

TEST(NineGrid, TheRectanglesOriginIsHonoured) {
  auto source = NineGridSource(21, 21);
  auto target = Paper(100, 60);
  kiv::DrawNineGrid(*source, target->Canvas(), {5, 7, 85, 47}, false);
  EXPECT_EQ(target->Pixel(5, 7), kBorder);
  EXPECT_EQ(target->Pixel(6, 8), kTopLeft);
  EXPECT_EQ(target->Pixel(83, 45), kBottomRight);
  EXPECT_EQ(target->Pixel(84, 46), kBorder);
  EXPECT_EQ(target->Pixel(4, 7), kPaper);
  EXPECT_EQ(target->Pixel(5, 6), kPaper);
  EXPECT_EQ(target->Pixel(85, 46), kPaper);
  EXPECT_EQ(target->Pixel(84, 47), kPaper);
}

TEST(NineGrid, CornersAreKeyedOnMagentaOnlyWhenTransparent) {
  auto source = NineGridSource(21, 21);
  source->SetPixel(0, 0, kMagenta);
  source->SetPixel(20, 20, kMagenta);
  auto target = Paper(100, 60);
  kiv::DrawNineGrid(*source, target->Canvas(), {0, 0, 40, 30}, true);
  EXPECT_EQ(target->Pixel(0, 0), kPaper);
  EXPECT_EQ(target->Pixel(39, 29), kPaper);
  EXPECT_EQ(target->Pixel(1, 0), kBorder);
  kiv::DrawNineGrid(*source, target->Canvas(), {50, 0, 90, 30}, false);
  EXPECT_EQ(target->Pixel(50, 0), kMagenta);
  EXPECT_EQ(target->Pixel(89, 29), kMagenta);
}

TEST(NineGrid, EdgesAndMiddleAreAlwaysKeyedOnMagenta) {
  auto source = NineGridSource(21, 21);
  for (int y = 0; y < 21; ++y) {  // the middle columns, which the edges stretch
    source->SetPixel(10, y, kMagenta);
    source->SetPixel(11, y, kMagenta);
  }
  auto target = Paper(100, 60);
  kiv::DrawNineGrid(*source, target->Canvas(), {0, 0, 80, 40}, false);
  EXPECT_EQ(target->Pixel(40, 0), kPaper);   // top edge
  EXPECT_EQ(target->Pixel(40, 20), kPaper);  // middle
  EXPECT_EQ(target->Pixel(40, 39), kPaper);  // bottom edge
  EXPECT_EQ(target->Pixel(0, 20), kBorder);  // the left edge comes from other columns
}

TEST(NineGrid, ARectangleSmallerThanThePictureLimitsTheCorners) {
  auto source = NineGridSource(21, 21);
  auto target = Paper(40, 40);
  kiv::DrawNineGrid(*source, target->Canvas(), {0, 0, 12, 8}, false);
  // The top-left corner is cut to 6 x 4 from its own outer edges.
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x) ASSERT_EQ(target->Pixel(x, y), source->Pixel(x, y));
  // The bottom-right corner (at most 5 x 3) keeps the picture's bottom-right pixels.
  EXPECT_EQ(target->Pixel(11, 7), source->Pixel(20, 20));
  EXPECT_EQ(target->Pixel(7, 5), source->Pixel(16, 18));
  EXPECT_EQ(target->Pixel(12, 4), kPaper);
  EXPECT_EQ(target->Pixel(5, 8), kPaper);
}

TEST(NineGrid, ANarrowRectangleKeepsTheOuterBorderAlongTheSides) {
  auto source = NineGridSource(21, 21);
  auto target = Paper(40, 60);
  kiv::DrawNineGrid(*source, target->Canvas(), {0, 0, 10, 50}, false);
  for (int y = 0; y < 50; ++y) ASSERT_EQ(target->Pixel(0, y), kBorder) << y;
  for (int y = 0; y < 50; ++y) ASSERT_EQ(target->Pixel(9, y), kBorder) << y;
}

TEST(NineGrid, EvenSizedPicturesLeaveNothingUnpainted) {
  for (int size : {20, 21, 22}) {
    auto source = NineGridSource(size, size);
    auto target = Paper(100, 60);
    kiv::DrawNineGrid(*source, target->Canvas(), {3, 4, 83, 54}, false);
    for (int y = 4; y < 54; ++y)
      for (int x = 3; x < 83; ++x) ASSERT_NE(target->Pixel(x, y), kPaper) << size << ": " << x << "," << y;
    EXPECT_EQ(target->Pixel(43, 4), kBorder);
    EXPECT_EQ(target->Pixel(43, 53), kBorder);
  }
}

TEST(NineGrid, AnEmptyPictureOrRectangleDrawsNothing) {
  TBitmap empty;
  auto target = Paper(20, 20);
  kiv::DrawNineGrid(empty, target->Canvas(), {0, 0, 20, 20}, false);
  auto source = NineGridSource(21, 21);
  kiv::DrawNineGrid(*source, target->Canvas(), {5, 5, 5, 15}, false);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) ASSERT_EQ(target->Pixel(x, y), kPaper);
}

std::unique_ptr<TBitmap> Numbered(int w, int h) {
  auto b = std::make_unique<TBitmap>(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b->SetPixel(x, y, RGB(x * 20, y * 20, 100));
  return b;
}

TEST(Rotate, ATurnCounterClockwiseMovesTheTopRowToTheLeftColumn) {
  auto b = Numbered(5, 3);
  kiv::RotateBitmap(*b);
  ASSERT_EQ(b->Width(), 3);
  ASSERT_EQ(b->Height(), 5);
  EXPECT_EQ(b->Pixel(0, 4), RGB(0, 0, 100));     // was the top-left corner
  EXPECT_EQ(b->Pixel(0, 0), RGB(80, 0, 100));    // was the top-right corner
  EXPECT_EQ(b->Pixel(2, 0), RGB(80, 40, 100));   // was the bottom-right corner
}

TEST(Rotate, ATurnClockwiseMovesTheTopRowToTheRightColumn) {
  auto b = Numbered(5, 3);
  kiv::RotateBitmapClockwise(*b);
  ASSERT_EQ(b->Width(), 3);
  EXPECT_EQ(b->Pixel(2, 0), RGB(0, 0, 100));
  EXPECT_EQ(b->Pixel(0, 0), RGB(0, 40, 100));
}

TEST(Rotate, TurningBackAndForthGivesTheSameBitmap) {
  auto original = Numbered(7, 4);
  auto b = Numbered(7, 4);
  kiv::RotateBitmap(*b);
  kiv::RotateBitmapClockwise(*b);
  ASSERT_EQ(b->Width(), 7);
  ASSERT_EQ(b->Height(), 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 7; ++x) ASSERT_EQ(b->Pixel(x, y), original->Pixel(x, y));
}

TEST(Tile, TilesStartAtTheCanvasOrigin) {
  TBitmap tile(10, 10);
  Fill(tile, kMiddle, {0, 0, 10, 10});
  tile.SetPixel(0, 0, kTopLeft);
  auto target = Paper(50, 30);
  kiv::TileBitmap(target->Canvas(), tile, {0, 0, 25, 10});
  for (int x : {0, 10, 20, 30}) EXPECT_EQ(target->Pixel(x, 0), kTopLeft) << x;
  EXPECT_EQ(target->Pixel(40, 0), kPaper);
  EXPECT_EQ(target->Pixel(0, 10), kTopLeft);  // the last row may reach past the rectangle
  EXPECT_EQ(target->Pixel(0, 20), kPaper);
}

TEST(Tile, AnEmptyPictureDrawsNothing) {
  TBitmap empty;
  auto target = Paper(10, 10);
  kiv::TileBitmap(target->Canvas(), empty, {0, 0, 10, 10});
  EXPECT_EQ(target->Pixel(0, 0), kPaper);
}

// A parent whose every client pixel tells where it is.
class CoordinatePainter : public ui::TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  void Paint() override {
    for (int y = 0; y < Height(); ++y)
      for (int x = 0; x < Width(); ++x) Canvas().SetPixel(x, y, RGB(x, y, 77));
  }
};

TEST(ParentBackground, TheParentIsDrawnAsItLiesUnderTheControl) {
  CoordinatePainter parent(nullptr);
  parent.SetBounds(0, 0, 60, 40);
  ui::TWinControl child(nullptr);
  child.SetBounds(7, 5, 20, 10);
  child.SetParent(&parent);
  auto target = Paper(20, 10);
  kiv::PaintParentBackground(target->Canvas(), child);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 20; ++x) ASSERT_EQ(target->Pixel(x, y), RGB(x + 7, y + 5, 77));
}

TEST(ParentBackground, NothingOutsideTheParentsClientAreaIsDrawn) {
  CoordinatePainter parent(nullptr);
  parent.SetBounds(0, 0, 30, 20);
  ui::TWinControl child(nullptr);
  child.SetBounds(25, 15, 20, 10);
  child.SetParent(&parent);
  auto target = Paper(20, 10);
  kiv::PaintParentBackground(target->Canvas(), child);
  EXPECT_EQ(target->Pixel(0, 0), RGB(25, 15, 77));
  EXPECT_EQ(target->Pixel(4, 4), RGB(29, 19, 77));
  EXPECT_EQ(target->Pixel(5, 0), kPaper);
  EXPECT_EQ(target->Pixel(0, 5), kPaper);
}

TEST(ParentBackground, TheParentsBackgroundIsErasedFirst) {
  ui::TWinControl parent(nullptr);  // paints nothing but its background colour
  parent.SetBounds(0, 0, 30, 20);
  parent.SetColor(ui::clNavy);
  ui::TWinControl child(nullptr);
  child.SetBounds(5, 5, 10, 10);
  child.SetParent(&parent);
  auto target = Paper(10, 10);
  kiv::PaintParentBackground(target->Canvas(), child);
  EXPECT_EQ(target->Pixel(9, 9), ui::clNavy);
}

TEST(ParentBackground, AControlWithoutAParentLeavesTheCanvasAlone) {
  ui::TWinControl orphan(nullptr);
  auto target = Paper(10, 10);
  kiv::PaintParentBackground(target->Canvas(), orphan);
  EXPECT_EQ(target->Pixel(5, 5), kPaper);
}

TEST(Geometry, PointInRectCountsAllFourEdges) {
  const RECT r{10, 20, 30, 40};
  EXPECT_TRUE(kiv::PointInRect(10, 20, r));
  EXPECT_TRUE(kiv::PointInRect(POINT{30, 40}, r));
  EXPECT_FALSE(kiv::PointInRect(31, 40, r));
  EXPECT_FALSE(kiv::PointInRect(POINT{10, 19}, r));
}

TEST(Geometry, MovingAndSizingFollowTheirOrder) {
  ui::TWinControl control(nullptr);
  std::vector<std::string> log;
  control.OnCanResize = [&](ui::TComponent*, int& w, int& h, bool&) {
    log.push_back(std::to_string(w) + "x" + std::to_string(h));
  };
  kiv::MoveControlTo(control, {12, 34});
  EXPECT_EQ(control.Left(), 12);
  EXPECT_EQ(control.Top(), 34);
  ui::TForm form(nullptr);
  form.OnCanResize = control.OnCanResize;
  log.clear();
  kiv::SetFormBounds(form, {100, 50, 500, 350});
  EXPECT_EQ(form.BoundsRect().right, 500);
  EXPECT_EQ(form.BoundsRect().bottom, 350);
  // Left, Top, Width, then Height: the width changes before the height.
  ASSERT_GE(log.size(), 2u);
  EXPECT_EQ(log[log.size() - 2], "400x240");
  EXPECT_EQ(log.back(), "400x300");
}

TEST(Geometry, TheWorkAreaIsOnTheScreen) {
  const RECT area = kiv::GetWorkAreaRect();
  EXPECT_GT(area.right - area.left, 0);
  EXPECT_GT(area.bottom - area.top, 0);
}

}  // namespace
