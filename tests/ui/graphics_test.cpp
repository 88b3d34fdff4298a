// Bitmaps, canvases, fonts, pictures and image lists, drawn into memory (no display needed).
#include <gtest/gtest.h>

#include "Bitmap.h"
#include "Canvas.h"
#include "ImageList.h"
#include "Picture.h"

using ui::TBitmap;
using ui::TColor;

namespace {

void Fill(TBitmap& bitmap, TColor color) {
  bitmap.Canvas().Brush().SetColor(color);
  bitmap.Canvas().FillRect({0, 0, bitmap.Width(), bitmap.Height()});
}

TEST(Bitmap, PixelsReadBackAsWritten) {
  TBitmap bitmap(4, 3);
  bitmap.SetPixel(2, 1, RGB(10, 20, 30));
  EXPECT_EQ(bitmap.Pixel(2, 1), RGB(10, 20, 30));
  EXPECT_EQ(bitmap.Canvas().Pixel(2, 1), RGB(10, 20, 30));
  EXPECT_EQ(bitmap.ScanLine(1)[2], 0x000A141Eu);  // memory order blue, green, red
}

TEST(Bitmap, CanvasDrawingReachesThePixels) {
  TBitmap bitmap(10, 10);
  Fill(bitmap, ui::clWhite);
  bitmap.Canvas().Brush().SetColor(ui::clRed);
  bitmap.Canvas().FillRect({2, 2, 5, 5});
  EXPECT_EQ(bitmap.Pixel(2, 2), ui::clRed);
  EXPECT_EQ(bitmap.Pixel(4, 4), ui::clRed);
  EXPECT_EQ(bitmap.Pixel(5, 5), ui::clWhite);
}

TEST(Bitmap, ResizingKeepsTheSharedPart) {
  TBitmap bitmap(6, 20);
  Fill(bitmap, ui::clBlue);
  bitmap.SetPixel(5, 11, ui::clRed);
  bitmap.SetHeight(12);
  EXPECT_EQ(bitmap.Height(), 12);
  EXPECT_EQ(bitmap.Pixel(5, 11), ui::clRed);
  bitmap.SetSize(8, 14);
  EXPECT_EQ(bitmap.Pixel(0, 0), ui::clBlue);
  EXPECT_EQ(bitmap.Pixel(7, 13), ui::clBlack);
  // The canvas follows the new picture.
  bitmap.Canvas().Brush().SetColor(ui::clLime);
  bitmap.Canvas().FillRect({7, 13, 8, 14});
  EXPECT_EQ(bitmap.Pixel(7, 13), ui::clLime);
}

TEST(Bitmap, AnEmptyBitmapHasNoPixels) {
  TBitmap bitmap;
  EXPECT_TRUE(bitmap.Empty());
  EXPECT_EQ(bitmap.Pixel(0, 0), ui::clBlack);
  bitmap.SetSize(0, 5);
  EXPECT_TRUE(bitmap.Empty());
}

TEST(Bitmap, AssignCopiesPixelsAndTransparency) {
  TBitmap source(3, 3);
  Fill(source, ui::clYellow);
  source.SetTransparentColor(ui::clYellow);
  source.SetTransparent(true);
  TBitmap copy;
  copy.Assign(source);
  EXPECT_EQ(copy.Width(), 3);
  EXPECT_EQ(copy.Pixel(1, 1), ui::clYellow);
  EXPECT_TRUE(copy.Transparent());
  EXPECT_EQ(copy.TransparentColor(), ui::clYellow);
}

TEST(Bitmap, MissingResourceLeavesTheBitmapAsItWas) {
  TBitmap bitmap(2, 2);
  EXPECT_FALSE(bitmap.LoadFromResourceName(nullptr, "NO_SUCH_BITMAP"));
  EXPECT_EQ(bitmap.Width(), 2);
}

TEST(Bitmap, TransparentDrawingLeavesTheKeyedColourOut) {
  TBitmap picture(4, 4);
  Fill(picture, ui::clFuchsia);
  picture.SetPixel(1, 1, ui::clNavy);
  picture.SetTransparent(true);  // automatic key: the bottom-left pixel
  EXPECT_EQ(picture.TransparentColor(), ui::clFuchsia);
  TBitmap target(4, 4);
  Fill(target, ui::clWhite);
  target.Canvas().Draw(0, 0, picture);
  EXPECT_EQ(target.Pixel(0, 0), ui::clWhite);
  EXPECT_EQ(target.Pixel(1, 1), ui::clNavy);
}

TEST(Canvas, StretchDrawScalesThePicture) {
  TBitmap picture(2, 1);
  picture.SetPixel(0, 0, ui::clRed);
  picture.SetPixel(1, 0, ui::clBlue);
  TBitmap target(8, 4);
  target.Canvas().StretchDraw({0, 0, 8, 4}, picture);
  EXPECT_EQ(target.Pixel(3, 3), ui::clRed);
  EXPECT_EQ(target.Pixel(4, 0), ui::clBlue);
}

TEST(Canvas, PenAndBrushChangesApplyToTheNextDrawing) {
  TBitmap target(10, 10);
  Fill(target, ui::clWhite);
  ui::TCanvas& canvas = target.Canvas();
  canvas.Pen().SetColor(ui::clRed);
  canvas.MoveTo(0, 5);
  canvas.LineTo(9, 5);
  canvas.Pen().SetColor(ui::clBlue);
  canvas.LineTo(9, 9);  // continues from the pen position
  EXPECT_EQ(target.Pixel(3, 5), ui::clRed);
  EXPECT_EQ(target.Pixel(9, 6), ui::clBlue);
  EXPECT_EQ(target.Pixel(9, 9), ui::clWhite);  // a line's end point is not drawn
  canvas.Brush().SetStyle(ui::bsClear);
  canvas.FillRect({0, 0, 10, 10});  // a clear brush fills nothing
  EXPECT_EQ(target.Pixel(0, 0), ui::clWhite);
}

TEST(Canvas, TextWithAClearBrushKeepsTheBackground) {
  TBitmap target(60, 20);
  Fill(target, ui::clWhite);
  ui::TCanvas& canvas = target.Canvas();
  canvas.Font().SetColor(ui::clBlack);
  canvas.Brush().SetStyle(ui::bsClear);
  canvas.TextOut(2, 2, "W");
  const SIZE extent = canvas.TextExtent("W");
  EXPECT_GT(extent.cx, 0);
  EXPECT_GT(extent.cy, 0);
  int dark = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 60; ++x) dark += target.Pixel(x, y) == ui::clBlack;
  EXPECT_GT(dark, 0);
  EXPECT_EQ(target.Pixel(59, 19), ui::clWhite);
}

TEST(Canvas, FontChangesWhileSelectedTakeEffect) {
  TBitmap target(10, 10);
  ui::TCanvas& canvas = target.Canvas();
  canvas.Font().SetHeight(-10);
  const int small = canvas.TextHeight("Xg");
  canvas.Font().SetHeight(-30);
  EXPECT_GT(canvas.TextHeight("Xg"), small);
}

TEST(Font, PointSizeAndPixelHeightAgree) {
  ui::TFont font;
  EXPECT_EQ(font.Name(), "MS Sans Serif");
  font.SetSize(8);
  EXPECT_EQ(font.Height(), -MulDiv(8, ui::ScreenPixelsPerInch(), 72));
  EXPECT_EQ(font.Size(), 8);
  int changes = 0;
  font.OnChange = [&] { ++changes; };
  font.SetStyle(ui::fsBold);
  font.SetColor(ui::clRed);
  font.SetColor(ui::clRed);
  EXPECT_EQ(changes, 2);
}

TEST(Picture, HoldsACopyAndTellsOfChanges) {
  ui::TPicture picture;
  int changes = 0;
  picture.OnChange = [&] { ++changes; };
  EXPECT_FALSE(picture.HasGraphic());
  TBitmap source(5, 4);
  picture.SetGraphic(&source);
  EXPECT_TRUE(picture.HasGraphic());
  EXPECT_EQ(picture.Width(), 5);
  EXPECT_NE(picture.Graphic(), &source);
  picture.Bitmap().SetSize(7, 7);  // a change of the held graphic reaches the picture
  EXPECT_EQ(picture.Height(), 7);
  EXPECT_EQ(changes, 2);
  picture.SetGraphic(nullptr);
  EXPECT_FALSE(picture.HasGraphic());
}

TEST(ImageList, MaskedImagesLeaveTheMaskColourOut) {
  ui::TCustomImageList list(nullptr, 4, 4);
  TBitmap strip(8, 4);  // two images side by side
  Fill(strip, ui::clWhite);
  strip.SetPixel(1, 1, ui::clRed);
  strip.SetPixel(6, 2, ui::clGreen);
  EXPECT_EQ(list.AddMasked(strip, ui::clWhite), 0);
  EXPECT_EQ(list.Count(), 2);
  TBitmap target(4, 4);
  Fill(target, ui::clBlue);
  list.Draw(target.Canvas(), 0, 0, 1);
  EXPECT_EQ(target.Pixel(2, 2), ui::clGreen);
  EXPECT_EQ(target.Pixel(0, 0), ui::clBlue);
}

TEST(ImageList, PlainImagesAreDrawnOpaque) {
  ui::TCustomImageList list(nullptr, 3, 3);
  TBitmap image(3, 3);
  Fill(image, ui::clWhite);
  EXPECT_EQ(list.Add(image), 0);
  TBitmap target(3, 3);
  Fill(target, ui::clBlue);
  list.Draw(target.Canvas(), 0, 0, 0);
  EXPECT_EQ(target.Pixel(1, 1), ui::clWhite);
  list.Draw(target.Canvas(), 0, 0, 5);  // no such image: nothing happens
}

}  // namespace
