#include "FixedArt.h"

#include <cmath>

#include "Glyphs.h"
#include "Look.h"

namespace skinart {

namespace {

Shape Area(double x0, double y0, double x1, double y1) { return RoundRect(x0, y0, x1, y1, 0); }

Picture AquaMenuBar() {
  Raster r(24, 22);
  r.Fill(Area(0, 0, 24, 22), [](double, double y) {
    Rgb base = Mix(Rgb{250, 250, 250}, Rgb{226, 226, 226}, y / 22);
    return static_cast<int>(y) % 2 ? Darker(base, 0.02) : base;
  });
  return Finished(r, kWhite);
}

Picture AquaMenuSelect() {
  const Palette p = PaletteOf(Look::MacOS);
  Raster r(24, 22);
  Gel gel = AccentGel(p, State::Normal);
  gel.border = gel.middle;
  PaintGel(r, Area(0, 0, 24, 22), 0, 22, gel, 0.01);
  return Finished(r, kWhite);
}

Picture AquaFormBackground() {
  Raster r(16, 4);
  r.Fill(Area(0, 0, 16, 4), [](double, double y) {
    return static_cast<int>(y) % 2 ? Rgb{228, 228, 228} : Rgb{238, 238, 238};
  });
  return Finished(r, kWhite);
}

Picture ProteinFormBackground() {
  const Palette p = PaletteOf(Look::Protein);
  Raster r(16, 16);
  r.Fill(Area(0, 0, 16, 16), Solid(p.form));
  // A faint diagonal weave.
  r.Fill(Segment(-2, 18, 18, -2, 1.0), Solid(Mix(p.form, p.accent, 0.035)));
  r.Fill(Segment(-2, 2, 2, -2, 1.0), Solid(Mix(p.form, p.accent, 0.035)));
  r.Fill(Segment(14, 18, 18, 14, 1.0), Solid(Mix(p.form, p.accent, 0.035)));
  return Finished(r, p.form);
}

// The pale metal of Aqua's buttons: the combo box draws its arrow over it in the style's grey
// border colour, which a blue gel would swallow.
Picture AquaComboButton() {
  const Palette p = PaletteOf(Look::MacOS);
  Raster r(17, 21);
  PaintGel(r, RoundRect(0, 0, 17, 21, 0), 0, 21, FaceGel(p, State::Normal));
  return Finished(r, p.form);
}

Picture SideChannelBar(bool hot) {
  Raster r(10, 48);
  const Palette p = PaletteOf(Look::DeepBlue);
  Gel gel = hot ? AccentGel(p, State::MouseOn) : FaceGel(p, State::Normal);
  Raster lying(48, 10);
  PaintGel(lying, RoundRect(0, 0, 48, 10, 0), 0, 10, gel);
  r.Fill(Area(0, 0, 10, 48), [&](double x, double y) {
    const Raster::Pixel& px = lying.At(static_cast<int>(y), static_cast<int>(x));
    return Rgb{px.color.r, px.color.g, px.color.b};
  });
  r.Fill(ChevronsGlyph(0, 19, 10, 1.4), Solid(hot ? kWhite : Darker(p.accent, 0.2)));
  return Finished(r, p.form);
}

// A push pin: standing (the window stays on top) or lying (it does not).
Picture Pin(bool standing) {
  Raster r(16, 16);
  const Rgb head{214, 48, 44}, metal{120, 120, 128};
  if (standing) {
    r.Fill(Segment(8, 9, 8, 15, 1.4), Solid(metal));
    r.Fill(RoundRect(3, 7, 13, 9.5, 1), Solid(Darker(head, 0.2)));
    PaintGel(r, RoundRect(5, 1, 11, 8, 1.5), 1, 8, {Lighter(head, 0.5), head, Darker(head, 0.2), Darker(head, 0.5), 0.4});
  } else {
    r.Fill(Segment(1, 8, 7, 8, 1.4), Solid(metal));
    r.Fill(RoundRect(6.5, 3, 9, 13, 1), Solid(Darker(head, 0.2)));
    PaintGel(r, RoundRect(8, 5, 15, 11, 1.5), 5, 11, {Lighter(head, 0.5), head, Darker(head, 0.2), Darker(head, 0.5), 0.4});
  }
  return Keyed(r, {232, 232, 232});
}

// The message dialog's icons, on magenta, edges blended for the dialog's light face.
Picture DialogIcon(Rgb color, bool triangle, Shape (*glyph)(double, double, double, double)) {
  Raster r(40, 40);
  Shape body = triangle ? Inset(Polygon({{20, 3}, {38, 36}, {2, 36}}), -0.8) : Circle(20, 20, 18);
  PaintGel(r, body, 2, 38, {Lighter(color, 0.45), color, Darker(color, 0.2), Darker(color, 0.45), 0.45}, 1.2);
  const Rgb mark = triangle ? Rgb{30, 30, 30} : kWhite;
  r.Fill(glyph(triangle ? 8 : 6, triangle ? 11 : 6, triangle ? 24 : 28, 4.0), Solid(mark));
  r.ClipTo(body);
  return Keyed(r, {232, 232, 232});
}

Picture TrueTypeGlyph() {
  Raster r(20, 12);
  auto letterT = [&](double x, double y, Rgb c) {
    r.Fill(Union(Segment(x, y, x + 8, y, 1.8), Segment(x + 4, y, x + 4, y + 9, 1.8)), Solid(c));
  };
  letterT(3, 1.5, {128, 128, 128});
  letterT(8, 2.5, {0, 0, 0});
  return Keyed(r, kWhite);
}

Picture DeviceGlyph() {
  Raster r(20, 12);
  const Rgb ink{40, 40, 40};
  r.Fill(RoundRect(7, 1, 15, 5, 0.5), Solid(kWhite));
  r.Stroke(RoundRect(7, 1, 15, 5, 0.5), 1, Solid(ink));
  r.Fill(RoundRect(4, 5, 18, 10, 1), Solid({180, 180, 190}));
  r.Stroke(RoundRect(4, 5, 18, 10, 1), 1, Solid(ink));
  r.Fill(Circle(15.5, 7.5, 0.9), Solid({40, 180, 40}));
  return Keyed(r, kWhite);
}

}  // namespace

const std::vector<FixedBitmap>& FixedBitmaps() {
  static const std::vector<FixedBitmap> bitmaps = {
      {"MACOS_MENU_BAR", AquaMenuBar},
      {"MACOS_MENU_SELECT", AquaMenuSelect},
      {"MACOS_FORM_BACKGROUND", AquaFormBackground},
      {"PROTEIN_FORM_BACKGROUND", ProteinFormBackground},
      {"MACOS_COMBOBOX_BUTTON", AquaComboButton},
      {"SIDECHANNEL_BAR_NORMAL", [] { return SideChannelBar(false); }},
      {"SIDECHANNEL_BAR_MOUSEON", [] { return SideChannelBar(true); }},
      {"SIDECHANNEL_BTN_ONTOP", [] { return Pin(true); }},
      {"SIDECHANNEL_BTN_NOONTOP", [] { return Pin(false); }},
      {"MSGDLG_WARNING", [] { return DialogIcon({250, 200, 40}, true, ExclamationGlyph); }},
      {"MSGDLG_ERROR", [] { return DialogIcon({216, 44, 36}, false, CrossGlyph); }},
      {"MSGDLG_INFORMATION", [] { return DialogIcon({40, 100, 210}, false, InformationGlyph); }},
      {"MSGDLG_QUESTION", [] { return DialogIcon({40, 100, 210}, false, QuestionGlyph); }},
      {"FONTCOMBO_TRUETYPE_FNT", TrueTypeGlyph},
      {"FONTCOMBO_DEVICE_FNT", DeviceGlyph},
  };
  return bitmaps;
}

Raster MainIcon(int size) {
  const double s = size / 32.0;
  Raster r(size, size);
  // A disc: silver with a soft rainbow sheen, a clear ring and a hole.
  Shape disc = Subtract(Circle(15 * s, 15 * s, 14 * s), Circle(15 * s, 15 * s, 2.5 * s));
  r.Fill(disc, [s](double x, double y) {
    const double angle = std::atan2(y - 15 * s, x - 15 * s);
    const Rgb sheen{170 + 60 * std::sin(angle * 2), 185 + 50 * std::sin(angle * 2 + 2.1),
                    205 + 45 * std::sin(angle * 2 + 4.2)};
    return Mix(Rgb{226, 230, 236}, sheen, 0.55);
  });
  r.Fill(Subtract(Circle(15 * s, 15 * s, 6 * s), Circle(15 * s, 15 * s, 2.5 * s)), Solid({244, 246, 250}), 0.8);
  r.Stroke(Circle(15 * s, 15 * s, 14 * s), std::max(1.0, s), Solid({110, 116, 128}));
  // A note in front of it.
  const Rgb blue{28, 78, 190};
  r.Fill(Segment(25 * s, 12 * s, 25 * s, 26 * s, 2.2 * s), Solid(blue));
  r.Fill(Segment(25 * s, 12 * s, 30 * s, 16 * s, 2.4 * s), Solid(blue));
  r.Fill(Circle(21.5 * s, 26.5 * s, 4 * s), Solid(blue));
  return r;
}

}  // namespace skinart
