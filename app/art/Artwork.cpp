#include "Artwork.h"

#include <cmath>

#include "Raster.h"

namespace appart {

using skinart::Rgb;

namespace {

constexpr Rgb kNightTop{9, 22, 48};
constexpr Rgb kNightBottom{24, 66, 112};
constexpr Rgb kCyan{96, 214, 240};
constexpr Rgb kSilver{214, 222, 232};
constexpr Rgb kPaleText{190, 214, 236};

const char* const kProduct = "Ombrel";
const char* const kVersion = "Version 2.0";
const char* const kCopyright = "\xC2\xA9 2003 Talvo Audio";

// The ground: a night-blue gradient with two soft beams of light falling from the upper left.
void PaintGround(skinart::Raster& raster) {
  const double w = raster.Width(), h = raster.Height();
  raster.Fill([](double, double) { return -1.0; },
              skinart::VerticalGradient(0, h, {{0, kNightTop}, {0.65, kNightBottom}, {1, Mix(kNightBottom, kNightTop, 0.4)}}));
  raster.Fill(skinart::Polygon({{w * 0.05, 0}, {w * 0.32, 0}, {w * 0.75, h}, {w * 0.42, h}}),
              skinart::Solid(skinart::kWhite), 0.05);
  raster.Fill(skinart::Polygon({{w * 0.38, 0}, {w * 0.46, 0}, {w * 0.95, h}, {w * 0.82, h}}),
              skinart::Solid(skinart::kWhite), 0.04);
}

// The disc's data side: silver with a rainbow sheen that turns with the angle, as light
// breaks on the pits, and faint grooves.
skinart::Paint DiscSheen(double cx, double cy) {
  return [=](double x, double y) {
    const double angle = std::atan2(y - cy, x - cx);
    const double r = std::hypot(x - cx, y - cy);
    const Rgb hue{127 + 127 * std::cos(2 * angle), 127 + 127 * std::cos(2 * angle - 2.1),
                  127 + 127 * std::cos(2 * angle + 2.1)};
    const double glare = std::pow(std::abs(std::cos(angle - 0.7)), 12);
    const double groove = 0.04 * std::sin(r * 1.7);
    Rgb c = Mix(kSilver, hue, 0.26 + 0.14 * glare);
    c = Mix(c, skinart::kWhite, 0.35 * glare);
    return skinart::Darker(c, 0.12 + groove);
  };
}

}  // namespace

void PaintDisc(skinart::Raster& raster, double cx, double cy, double radius) {
  raster.Fill(skinart::Circle(cx + 3, cy + 5, radius), skinart::Solid(skinart::kBlack), 0.35);  // shadow
  raster.Fill(skinart::Subtract(skinart::Circle(cx, cy, radius), skinart::Circle(cx, cy, radius * 0.3)),
              DiscSheen(cx, cy));
  // The clear hub around the hole, and the edge catching the light.
  raster.Fill(skinart::Subtract(skinart::Circle(cx, cy, radius * 0.3), skinart::Circle(cx, cy, radius * 0.12)),
              skinart::Solid(kSilver), 0.35);
  raster.Stroke(skinart::Circle(cx, cy, radius * 0.3), 1.2, skinart::Solid(skinart::kWhite), 0.5);
  raster.Stroke(skinart::Circle(cx, cy, radius * 0.12), 1.0, skinart::Solid(skinart::kWhite), 0.6);
  raster.Stroke(skinart::Circle(cx, cy, radius), 1.5, skinart::Solid(skinart::kWhite), 0.7);
}

namespace {

// A row of level bars, as the level display shows them, rising and falling like music.
void PaintLevelBars(skinart::Raster& raster, double x0, double baseline, int count, double pitch, double tallest) {
  for (int i = 0; i < count; ++i) {
    const double level = 0.25 + 0.75 * std::abs(std::sin(i * 0.55) * std::cos(i * 0.21 + 0.4));
    const double top = baseline - tallest * level;
    const double x = x0 + i * pitch;
    raster.Fill(skinart::RoundRect(x, top, x + pitch * 0.62, baseline, 1.2),
                skinart::VerticalGradient(baseline - tallest, baseline,
                                          {{0, Rgb{255, 196, 92}}, {0.45, kCyan}, {1, Rgb{40, 120, 200}}}),
                0.85);
    // Reflection under the baseline.
    raster.Fill(skinart::RoundRect(x, baseline + 2, x + pitch * 0.62, baseline + 2 + (baseline - top) * 0.3, 1.2),
                skinart::Solid(kCyan), 0.12);
  }
}

// The strip along the bottom with its bright rule.
void PaintFooter(skinart::Raster& raster, double top) {
  const double w = raster.Width(), h = raster.Height();
  raster.Fill(skinart::RoundRect(-2, top, w + 2, h + 2, 0), skinart::Solid(Rgb{5, 12, 28}), 0.55);
  raster.Fill(skinart::RoundRect(-2, top, w + 2, top + 1.5, 0),
              skinart::HorizontalGradient(0, w, {{0, kCyan}, {0.6, Rgb{255, 196, 92}}, {1, kNightBottom}}), 0.9);
}

// The family backdrop every picture starts from: ground, disc, level bars and (when footerTop
// is inside the picture) the footer strip.
struct Scene {
  int width, height;
  double discX, discY, discRadius;
  double barsX, barsBaseline;
  int bars;
  double barsHeight;
  double footerTop;
};

skinart::Picture PaintScene(const Scene& scene) {
  skinart::Raster raster(scene.width, scene.height);
  PaintGround(raster);
  PaintDisc(raster, scene.discX, scene.discY, scene.discRadius);
  PaintLevelBars(raster, scene.barsX, scene.barsBaseline, scene.bars, 9, scene.barsHeight);
  if (scene.footerTop < scene.height) PaintFooter(raster, scene.footerTop);
  return skinart::Finished(raster, kNightTop);
}

void Title(Lettering& lettering, skinart::Picture& picture, const Fonts& fonts, double x, double baseline,
           double size) {
  const TextStyle shadow{fonts.bold, size, skinart::kBlack, 0.45, -0.5};
  lettering.Draw(picture, shadow, x + 2, baseline + 2, kProduct);
  lettering.Draw(picture, {fonts.bold, size, skinart::kWhite, 1.0, -0.5}, x, baseline, kProduct);
}

}  // namespace

skinart::Picture FlashPicture(Lettering& lettering, const Fonts& fonts) {
  skinart::Picture picture = PaintScene({kFlashWidth, kFlashHeight, 276, 94, 70, 24, 178, 16, 48, 204});
  Title(lettering, picture, fonts, 20, 68, 42);
  lettering.Draw(picture, {fonts.bold, 11, kCyan, 1.0, 2.2}, 24, 94, "AUDIO CD RIPPER");
  lettering.Draw(picture, {fonts.regular, 10, kPaleText, 0.9, 0}, 24, 112, "Rip  \xC2\xB7  Encode  \xC2\xB7  Play");
  const TextStyle small{fonts.regular, 9, kPaleText, 0.85, 0};
  lettering.Draw(picture, small, 12, 222, kVersion);
  lettering.Draw(picture, small, kFlashWidth - 12 - lettering.Width(small, kCopyright), 222, kCopyright);
  return picture;
}

skinart::Picture AboutPicture(Lettering& lettering, const Fonts& fonts) {
  skinart::Picture picture = PaintScene({kAboutWidth, kAboutHeight, 292, 70, 62, 232, 176, 11, 26, 192});
  Title(lettering, picture, fonts, 16, 54, 38);
  lettering.Draw(picture, {fonts.bold, 10, kCyan, 1.0, 2.0}, 19, 74, "AUDIO CD RIPPER");
  const TextStyle body{fonts.regular, 10, kPaleText, 0.95, 0};
  lettering.Draw(picture, body, 19, 104, kVersion);
  lettering.Draw(picture, body, 19, 120, "Copyright " + std::string(kCopyright));
  lettering.Draw(picture, body, 19, 136, "All rights reserved.");
  lettering.Draw(picture, {fonts.regular, 9, kPaleText, 0.7, 0}, 19, 160, "MP3 \xC2\xB7 Ogg Vorbis \xC2\xB7 WAV \xC2\xB7 CDDB");
  // The home page link, where the about box lays its link area over the picture.
  const TextStyle link{fonts.regular, 9.5, kCyan, 1.0, 0};
  const double width = lettering.Draw(picture, link, 12, 209, "www.talvo-audio.com");
  for (int x = 12; x < 12 + static_cast<int>(width); ++x) {
    auto& p = picture.pixels[static_cast<size_t>(211) * picture.width + x];
    p = skinart::Mix(p, kCyan, 0.7);
  }
  return picture;
}

skinart::Picture AdvertPicture(Lettering& lettering, const Fonts& fonts) {
  skinart::Raster raster(kAdvertWidth, kAdvertHeight);
  PaintGround(raster);
  // A product box standing a little turned, with the disc showing through its window.
  raster.Fill(skinart::Polygon({{18, 16}, {104, 10}, {104, 152}, {18, 158}}), skinart::Solid(skinart::kBlack), 0.35);
  raster.Fill(skinart::Polygon({{14, 12}, {100, 6}, {100, 148}, {14, 154}}),
              skinart::VerticalGradient(6, 154, {{0, Rgb{40, 96, 160}}, {1, Rgb{12, 34, 70}}}));
  raster.Fill(skinart::Polygon({{8, 16}, {14, 12}, {14, 154}, {8, 156}}), skinart::Solid(Rgb{10, 26, 54}));
  raster.Stroke(skinart::Polygon({{14, 12}, {100, 6}, {100, 148}, {14, 154}}), 1.0, skinart::Solid(kCyan), 0.6);
  PaintDisc(raster, 57, 62, 32);
  PaintLevelBars(raster, 22, 143, 8, 9, 11);
  skinart::Picture picture = skinart::Finished(raster, kNightTop);
  lettering.Draw(picture, {fonts.bold, 17, skinart::kWhite, 1.0, -0.3}, 22, 110, kProduct);
  lettering.Draw(picture, {fonts.bold, 6.5, kCyan, 1.0, 1.1}, 23, 120, "AUDIO SUITE");
  lettering.Draw(picture, {fonts.regular, 8, kPaleText, 0.8, 0}, 14, 166, "talvo-audio.com");
  return picture;
}

}  // namespace appart
