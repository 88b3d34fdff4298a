#include "ToolBarArt.h"

#include <cmath>
#include <functional>
#include <vector>

#include "Artwork.h"
#include "Raster.h"

namespace appart {

using skinart::Rgb;
using skinart::Shape;

namespace {

constexpr double kPi = 3.14159265358979323846;
// The bar is light: partly covered edge pixels are blended toward its grey.
constexpr Rgb kBarGrey{236, 236, 236};
constexpr Rgb kOutline{60, 60, 70};

// A glossy fill: the colour lit from above, with a soft highlight over the upper half.
void Gloss(skinart::Raster& raster, const Shape& shape, Rgb color, double top, double bottom) {
  raster.Fill(shape, skinart::VerticalGradient(top, bottom, {{0, skinart::Lighter(color, 0.35)},
                                                             {0.55, color},
                                                             {1, skinart::Darker(color, 0.25)}}));
  const double middle = (top + bottom) / 2;
  raster.Fill(skinart::Intersection(shape, skinart::RoundRect(-1, top - 1, 33, middle, 0)),
              skinart::Solid(skinart::kWhite), 0.22);
  raster.Stroke(shape, 1.0, skinart::Solid(skinart::Darker(color, 0.45)), 0.9);
}

// A round badge with a white sign on it (help, about, player).
void Badge(skinart::Raster& raster, Rgb color, const Shape& sign) {
  const Shape disc = skinart::Circle(16, 16, 14);
  raster.Fill(skinart::Circle(17, 17.5, 14), skinart::Solid(skinart::kBlack), 0.25);  // shadow
  Gloss(raster, disc, color, 2, 30);
  raster.Fill(sign, skinart::Solid(skinart::kWhite));
}

// An arrow along a straight line from (ax, ay) to its point at (bx, by).
Shape Arrow(double ax, double ay, double bx, double by, double width, double head) {
  const double length = std::hypot(bx - ax, by - ay);
  const double ux = (bx - ax) / length, uy = (by - ay) / length;
  const double baseX = bx - ux * head, baseY = by - uy * head;
  return skinart::Union(skinart::Segment(ax, ay, baseX, baseY, width),
                        skinart::Polygon({{bx, by},
                                          {baseX - uy * head * 0.8, baseY + ux * head * 0.8},
                                          {baseX + uy * head * 0.8, baseY - ux * head * 0.8}}));
}

void RipNow(skinart::Raster& r) {
  PaintDisc(r, 13, 13, 11.5);
  const Shape arrow = Arrow(23, 12, 23, 30, 5, 7);
  r.Fill(skinart::Inset(arrow, -1), skinart::Solid(skinart::kWhite));
  Gloss(r, arrow, Rgb{52, 168, 64}, 12, 30);
}

void Refresh(skinart::Raster& r) {
  // Most of a ring, opened at the upper right, its end carrying the arrow head.
  const Shape ring = skinart::Subtract(skinart::Circle(16, 16, 12), skinart::Circle(16, 16, 7.5));
  const Shape gap = skinart::Polygon({{16, 16}, {32, 0}, {32, 14}});
  const Shape head = skinart::Polygon({{19.5, 0.5}, {31, 9}, {18.5, 13.5}});
  const Shape shape = skinart::Union(skinart::Subtract(ring, gap), head);
  r.Fill(skinart::Inset(shape, -1), skinart::Solid(skinart::kWhite), 0.8);
  Gloss(r, shape, Rgb{38, 132, 214}, 4, 28);
}

void GetCddb(skinart::Raster& r) {
  const Shape globe = skinart::Circle(16, 16, 13.5);
  Gloss(r, globe, Rgb{40, 120, 200}, 2, 30);
  // Meridians and parallels in pale lines, clipped to the globe.
  const skinart::Paint pale = skinart::Solid(Rgb{200, 230, 255});
  r.Stroke(skinart::Intersection(globe, skinart::Subtract(skinart::Circle(16, 16, 13.5),
                                                          skinart::Circle(16, 16, 12.6))),
           1, pale, 0.6);
  for (double rx : {5.5, 11.0}) {
    const Shape meridian = [rx](double x, double y) {
      const double dx = (x - 16) / rx, dy = (y - 16) / 13.5;
      return (std::sqrt(dx * dx + dy * dy) - 1) * rx;
    };
    r.Stroke(meridian, 1.1, pale, 0.7);
  }
  for (double y : {9.0, 16.0, 23.0}) r.Fill(skinart::Intersection(globe, skinart::RoundRect(0, y - 0.5, 32, y + 0.6, 0)), pale, 0.7);
  r.Fill(skinart::RoundRect(15.5, 3, 16.5, 29, 0), pale, 0.7);
  // Land in green.
  r.Fill(skinart::Intersection(globe, skinart::Polygon({{6, 8}, {13, 5}, {15, 11}, {11, 17}, {7, 15}})),
         skinart::Solid(Rgb{96, 186, 90}), 0.85);
  r.Fill(skinart::Intersection(globe, skinart::Polygon({{18, 15}, {26, 12}, {28, 20}, {22, 27}, {19, 22}})),
         skinart::Solid(Rgb{96, 186, 90}), 0.85);
}

void Folder(skinart::Raster& r) {
  const Shape back = skinart::Union(skinart::RoundRect(2, 7, 29, 27, 2), skinart::RoundRect(2, 4, 13, 10, 2));
  Gloss(r, back, Rgb{214, 160, 40}, 4, 27);
  r.Fill(skinart::RoundRect(5, 10, 27, 22, 1), skinart::Solid(skinart::kWhite));  // a sheet inside
  const Shape front = skinart::Polygon({{2, 13}, {31, 13}, {29, 28}, {3, 28}});
  Gloss(r, front, Rgb{246, 198, 64}, 13, 28);
}

void Player(skinart::Raster& r) {
  Badge(r, Rgb{30, 150, 110}, skinart::Polygon({{12, 8.5}, {24, 16}, {12, 23.5}}));
}

void Options(skinart::Raster& r) {
  // A gear: a wheel with eight teeth and a hole.
  Shape gear = skinart::Circle(16, 16, 10);
  for (int i = 0; i < 8; ++i) {
    const double a = i * kPi / 4, c = std::cos(a), s = std::sin(a);
    const auto at = [&](double along, double across) {
      return std::pair<double, double>{16 + c * along - s * across, 16 + s * along + c * across};
    };
    gear = skinart::Union(gear, skinart::Polygon({at(8, -3.2), at(14.5, -2.2), at(14.5, 2.2), at(8, 3.2)}));
  }
  gear = skinart::Subtract(gear, skinart::Circle(16, 16, 4.5));
  r.Fill(skinart::Inset(gear, -1), skinart::Solid(skinart::kWhite), 0.7);
  Gloss(r, gear, Rgb{128, 138, 156}, 1, 31);
}

void Recorder(skinart::Raster& r) {
  // A record button: a red light in a dark bezel.
  const Shape bezel = skinart::Circle(16, 16, 14);
  Gloss(r, bezel, Rgb{70, 74, 84}, 2, 30);
  Gloss(r, skinart::Circle(16, 16, 8.5), Rgb{220, 40, 36}, 7.5, 24.5);
  r.Fill(skinart::Circle(13.5, 12.5, 2.5), skinart::Solid(skinart::kWhite), 0.6);
}

void Converter(skinart::Raster& r) {
  const Shape right = Arrow(3, 10, 29, 10, 5, 7);
  const Shape left = Arrow(29, 22, 3, 22, 5, 7);
  for (const Shape& arrow : {right, left}) r.Fill(skinart::Inset(arrow, -1), skinart::Solid(skinart::kWhite), 0.8);
  Gloss(r, right, Rgb{236, 130, 30}, 3, 17);
  Gloss(r, left, Rgb{38, 132, 214}, 15, 29);
}

void Help(skinart::Raster& r) {
  // A question mark: the upper part of a ring, its stem and the dot.
  const Shape hook = skinart::Subtract(
      skinart::Subtract(skinart::Circle(16, 12, 6.5), skinart::Circle(16, 12, 3.4)),
      skinart::Polygon({{16, 12}, {2, 16}, {2, 26}, {16, 26}}));
  const Shape stem = skinart::Segment(17.5, 17, 16, 19.5, 3.1);
  Badge(r, Rgb{38, 110, 210}, skinart::Union(skinart::Union(hook, stem), skinart::Circle(16, 24, 2)));
}

void Home(skinart::Raster& r) {
  r.Fill(skinart::RoundRect(21, 4, 25, 12, 0.5), skinart::Solid(Rgb{150, 70, 50}));  // chimney
  const Shape walls = skinart::RoundRect(7, 15, 25, 29, 1);
  Gloss(r, walls, Rgb{238, 226, 196}, 15, 29);
  const Shape roof = skinart::Polygon({{16, 2.5}, {30.5, 16}, {27, 17}, {16, 7}, {5, 17}, {1.5, 16}});
  Gloss(r, roof, Rgb{200, 56, 44}, 2, 17);
  Gloss(r, skinart::RoundRect(13.5, 20, 18.5, 29, 0.8), Rgb{120, 76, 40}, 20, 29);  // door
  Gloss(r, skinart::RoundRect(20, 18, 23.5, 21.5, 0.5), Rgb{120, 190, 240}, 18, 21.5);  // window
}

void About(skinart::Raster& r) {
  Badge(r, Rgb{38, 110, 210},
        skinart::Union(skinart::Circle(16, 9, 2.2), skinart::RoundRect(14.3, 13, 17.7, 24.5, 1)));
}

// The player's transport: a play triangle, two pause bars, a stop square.
void Play(skinart::Raster& r) {
  const Shape triangle = skinart::Polygon({{7, 3.5}, {29, 16}, {7, 28.5}});
  r.Fill(skinart::Inset(triangle, -1), skinart::Solid(skinart::kWhite), 0.8);
  Gloss(r, triangle, Rgb{52, 168, 64}, 3.5, 28.5);
}

void Pause(skinart::Raster& r) {
  for (double left : {6.0, 18.0}) Gloss(r, skinart::RoundRect(left, 4, left + 8, 28, 1.5), Rgb{38, 132, 214}, 4, 28);
}

void Stop(skinart::Raster& r) { Gloss(r, skinart::RoundRect(5, 5, 27, 27, 2.5), Rgb{210, 52, 44}, 5, 27); }

using Painter = std::function<void(skinart::Raster&)>;

// One strip of 32 x 32 images, in the order given, keyed on the bar's grey.
skinart::Picture Strip(const std::vector<Painter>& painters) {
  const int count = static_cast<int>(painters.size());
  skinart::Raster strip(kToolImageSize * count, kToolImageSize);
  for (int i = 0; i < count; ++i) {
    skinart::Raster image(kToolImageSize, kToolImageSize);
    painters[i](image);
    strip.Draw(image, i * kToolImageSize, 0);
  }
  return skinart::Keyed(strip, kBarGrey);
}

}  // namespace

skinart::Picture ToolBarPictures() {
  return Strip({RipNow, Refresh, GetCddb, Folder, Player, Options, Recorder, Converter, Help, Home, About});
}

skinart::Picture PlayerToolBarPictures() {
  // "Ripper" shows the main window, whose tool shows a disc being ripped.
  return Strip({Play, Pause, Stop, Folder, RipNow, Recorder, Converter, Help, Home, About});
}

skinart::Picture ToolBarRule() {
  skinart::Raster raster(kRuleWidth, kRuleHeight);
  raster.Fill(skinart::RoundRect(0, 0, kRuleWidth, kRuleHeight, 0),
              skinart::HorizontalGradient(0, kRuleWidth, {{0, Rgb{40, 120, 200}},
                                                          {0.55, Rgb{96, 214, 240}},
                                                          {0.8, Rgb{255, 196, 92}},
                                                          {1, kBarGrey}}));
  raster.Fill(skinart::RoundRect(0, kRuleHeight - 1, kRuleWidth, kRuleHeight, 0), skinart::Solid(kOutline), 0.25);
  return skinart::Finished(raster, kBarGrey);
}

skinart::Picture StatusGround() {
  skinart::Raster raster(kStatusWidth, kStatusHeight);
  raster.Fill(skinart::RoundRect(0, 0, kStatusWidth, kStatusHeight, 0),
              skinart::VerticalGradient(0, kStatusHeight, {{0, Rgb{250, 250, 252}}, {1, Rgb{214, 218, 226}}}));
  raster.Fill(skinart::RoundRect(0, 0, kStatusWidth, 1, 0), skinart::Solid(Rgb{168, 172, 182}));
  raster.Fill(skinart::RoundRect(0, 1, kStatusWidth, 2, 0), skinart::Solid(skinart::kWhite));
  return skinart::Finished(raster, kBarGrey);
}

}  // namespace appart
