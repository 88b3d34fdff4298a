#include "PlayerToolImages.h"

#include <functional>
#include <string>
#include <vector>

#include "Bitmap.h"

namespace app {

namespace {

constexpr ui::TColor kMask = ui::clFuchsia;
constexpr ui::TColor kOutline = RGB(32, 40, 64);

void Shape(ui::TCanvas& canvas, ui::TColor fill) {
  canvas.Pen().SetColor(kOutline);
  canvas.Pen().SetWidth(1);
  canvas.Brush().SetColor(fill);
}

void Letter(ui::TCanvas& canvas, ui::TColor fill, const char* letter) {
  Shape(canvas, fill);
  canvas.Ellipse(3, 3, 29, 29);
  canvas.Font().SetName("Arial");
  canvas.Font().SetHeight(-20);
  canvas.Font().SetStyle(ui::fsBold);
  canvas.Font().SetColor(ui::clWhite);
  canvas.Brush().SetStyle(ui::bsClear);
  const SIZE size = canvas.TextExtent(letter);
  canvas.TextOut(16 - size.cx / 2, 16 - size.cy / 2, letter);
  canvas.Brush().SetStyle(ui::bsSolid);
}

const std::function<void(ui::TCanvas&)> kPictures[] = {
    [](ui::TCanvas& c) {  // Play
      Shape(c, RGB(64, 176, 72));
      c.Polygon({{8, 4}, {27, 16}, {8, 28}});
    },
    [](ui::TCanvas& c) {  // Pause
      Shape(c, RGB(72, 120, 208));
      c.Rectangle(7, 5, 14, 28);
      c.Rectangle(18, 5, 25, 28);
    },
    [](ui::TCanvas& c) {  // Stop
      Shape(c, RGB(208, 64, 56));
      c.Rectangle(6, 6, 27, 27);
    },
    [](ui::TCanvas& c) {  // Folder
      Shape(c, RGB(232, 184, 64));
      c.Polygon({{3, 8}, {12, 8}, {15, 11}, {29, 11}, {29, 27}, {3, 27}});
      Shape(c, RGB(248, 212, 110));
      c.Polygon({{3, 27}, {7, 15}, {31, 15}, {29, 27}});
    },
    [](ui::TCanvas& c) {  // Ripper: a disc
      Shape(c, RGB(200, 208, 224));
      c.Ellipse(2, 2, 30, 30);
      Shape(c, RGB(150, 190, 235));
      c.Ellipse(8, 8, 24, 24);
      Shape(c, kMask);
      c.Ellipse(13, 13, 19, 19);
    },
    [](ui::TCanvas& c) {  // Recorder
      Shape(c, RGB(90, 96, 112));
      c.Ellipse(3, 3, 29, 29);
      Shape(c, RGB(224, 48, 48));
      c.Ellipse(9, 9, 23, 23);
    },
    [](ui::TCanvas& c) {  // Converter: two arrows
      Shape(c, RGB(72, 160, 208));
      c.Polygon({{3, 8}, {20, 8}, {20, 3}, {29, 11}, {20, 19}, {20, 14}, {3, 14}});
      Shape(c, RGB(120, 192, 96));
      c.Polygon({{29, 20}, {12, 20}, {12, 15}, {3, 23}, {12, 31}, {12, 26}, {29, 26}});
    },
    [](ui::TCanvas& c) { Letter(c, RGB(72, 120, 208), "?"); },  // Help
    [](ui::TCanvas& c) {                                         // Home
      Shape(c, RGB(208, 96, 64));
      c.Polygon({{2, 16}, {16, 3}, {30, 16}});
      Shape(c, RGB(236, 228, 204));
      c.Rectangle(6, 15, 27, 29);
      Shape(c, RGB(120, 84, 56));
      c.Rectangle(13, 19, 20, 29);
    },
    [](ui::TCanvas& c) { Letter(c, RGB(64, 150, 120), "i"); },  // About
};

}  // namespace

void AddPlayerToolImages(ui::TCustomImageList& images) {
  for (const auto& draw : kPictures) {
    ui::TBitmap picture;
    picture.SetSize(images.Width(), images.Height());
    ui::TCanvas& canvas = picture.Canvas();
    canvas.Brush().SetColor(kMask);
    canvas.FillRect(RECT{0, 0, images.Width(), images.Height()});
    draw(canvas);
    images.AddMasked(picture, kMask);
  }
}

}  // namespace app
