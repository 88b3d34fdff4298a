#include "ControlArt.h"

#include <algorithm>

#include "Glyphs.h"

namespace skinart {

namespace {

struct Size {
  int width, height;
};

Size ButtonSize(Look look) { return {31, look == Look::MacOS ? 23 : 27}; }
int BoxSize(Look look) { return look == Look::MacOS || look == Look::BlueGlass ? 14 : 13; }
int ScrollWidth(Look look) {
  switch (look) {
    case Look::WinXP: return 17;
    case Look::DeepBlue:
    case Look::BlueGlass: return 16;
    default: return 15;
  }
}

double CornerRadius(Look look, double height) {
  switch (look) {
    case Look::MacOS: return height / 2;
    case Look::WinXP: return 3;
    case Look::DeepBlue: return 2;
    case Look::Protein: return 5;
    case Look::BlueGlass: return 7;
  }
  return 2;
}

// XP draws a warm inner rim on the control under the mouse.
void HotRim(Raster& r, const Shape& shape, State state) {
  if (state != State::MouseOn) return;
  r.Stroke(Inset(shape, 1), 2, VerticalGradient(0, r.Height(), {{0, {255, 240, 207}}, {1, {248, 179, 48}}}));
}

Rgb MarkColor(const Palette& p, State state) {
  if (state == State::Disabled) return {165, 165, 165};
  switch (p.look) {
    case Look::WinXP: return {33, 161, 33};
    case Look::MacOS: return {20, 20, 20};
    default: return Darker(p.accent, 0.2);
  }
}

// How light a colour looks, 0 to 255, red, green and blue weighed as the eye weighs them.
double Brightness(Rgb c) { return 0.299 * c.r + 0.587 * c.g + 0.114 * c.b; }

}  // namespace

Picture ButtonPicture(const Palette& p, State state) {
  const Size s = ButtonSize(p.look);
  Raster r(s.width, s.height);
  Shape shape = RoundRect(0, 0, s.width, s.height, CornerRadius(p.look, s.height));
  PaintGel(r, shape, 0, s.height, FaceGel(p, state));
  if (p.look == Look::WinXP) HotRim(r, shape, state);
  r.ClipTo(shape);
  // Only BlueGlass buttons are transparent and draw their corners keyed; the others draw them
  // opaque over their own colour, the form's.
  return p.look == Look::BlueGlass ? Keyed(r, p.form) : Finished(r, p.form);
}

Picture CheckBoxPicture(const Palette& p, bool checked, State state) {
  const int n = BoxSize(p.look);
  Raster r(n, n);
  const double radius = p.look == Look::WinXP ? 0 : p.look == Look::DeepBlue ? 1 : 3;
  Shape box = RoundRect(0, 0, n, n, radius);
  // The Aqua box fills with the accent when checked; the others keep their face.
  const bool filled = checked && p.look == Look::MacOS && state != State::Disabled;
  PaintGel(r, box, 0, n, filled ? AccentGel(p, state) : FaceGel(p, state));
  if (p.look == Look::WinXP) HotRim(r, box, state);
  if (checked)
    r.Fill(CheckGlyph(1, 1, n - 2, n >= 14 ? 2.2 : 2.0),
           Solid(filled ? Rgb{255, 255, 255} : MarkColor(p, state)));
  return Finished(r, p.form);
}

Picture RadioButtonPicture(const Palette& p, bool checked, State state) {
  const int n = BoxSize(p.look);
  Raster r(n, n);
  Shape disc = Circle(n / 2.0, n / 2.0, n / 2.0 - 0.3);
  const bool filled = checked && p.look == Look::MacOS && state != State::Disabled;
  PaintGel(r, disc, 0, n, filled ? AccentGel(p, state) : FaceGel(p, state));
  if (p.look == Look::WinXP) HotRim(r, disc, state);
  if (checked) {
    Shape dot = Circle(n / 2.0, n / 2.0, n * 0.2);
    if (filled) {
      r.Fill(dot, Solid({255, 255, 255}));
    } else {
      const Rgb mark = MarkColor(p, state);
      r.Fill(dot, VerticalGradient(n * 0.3, n * 0.7, {{0, Lighter(mark, 0.45)}, {1, mark}}));
    }
  }
  r.ClipTo(disc);
  return Keyed(r, p.form);
}

Picture ProgressBarPicture(const Palette& p, bool vertical) {
  Raster r(16, 10);
  Gel gel = AccentGel(p, State::Normal);
  // The bar writes its percentage in black across the fill: a dark style colour is lightened
  // until the caption reads on it.
  constexpr double kCaptionGround = 120;
  const double dark = Brightness(gel.middle);
  if (dark < kCaptionGround) {
    const double lift = (kCaptionGround - dark) / (255 - dark);
    for (Rgb* c : {&gel.top, &gel.middle, &gel.bottom}) *c = Lighter(*c, lift);
  }
  gel.border = gel.middle;  // the bar draws its own frame
  PaintGel(r, RoundRect(0, 0, 16, 10, 0), 0, 10, gel, 0.01);
  Picture picture = Finished(r, p.face);
  return vertical ? Turned(Turned(Turned(picture))) : picture;
}

Picture TabPicture(const Palette& p, bool active) {
  const int height = p.look == Look::MacOS ? 30 : p.look == Look::WinXP ? 17 : 20;
  Raster r(24, height);
  // Rounded at the top, open at the bottom where the tab meets its page.
  Shape tab = RoundRect(0, 0, 24, height + 6, p.look == Look::MacOS ? 6 : 3);
  Gel gel = active ? FaceGel(p, State::Normal) : FaceGel(p, State::Disabled);
  if (p.look == Look::MacOS && active) gel = AccentGel(p, State::Normal);
  if (active && p.look != Look::MacOS) gel.bottom = gel.middle = p.look == Look::WinXP ? Rgb{252, 252, 254} : p.face;
  gel.border = p.look == Look::WinXP ? Rgb{145, 155, 156} : p.border;
  PaintGel(r, tab, 0, height, gel);
  if (active && p.look != Look::MacOS) {
    Rgb marker = p.look == Look::WinXP ? Rgb{255, 200, 60} : p.accent;
    r.Fill(Intersection(Inset(tab, 0.8), [](double, double y) { return y - 3; }), Solid(marker));
  }
  r.ClipTo(tab);
  return Keyed(r, p.face);
}

Picture TabLinePicture(const Palette& p) {
  const int height = p.look == Look::MacOS ? 4 : 2;
  Raster r(6, height);
  const Rgb edge = p.look == Look::WinXP ? Rgb{145, 155, 156} : p.border;
  const Rgb below = p.look == Look::MacOS ? Darker(p.face, 0.08) : p.look == Look::WinXP ? Rgb{252, 252, 254} : p.face;
  r.Fill(RoundRect(0, 0, 6, height, 0), Solid(below));
  r.Fill(RoundRect(0, 0, 6, 1, 0), Solid(edge));
  return Finished(r, p.face);
}

namespace {

constexpr int kBarHeight = 6;

// The groove of the track bar across a picture of the given width, its top at y.
void PaintGroove(Raster& r, double width, double y) {
  Shape groove = RoundRect(1, y, width - 1, y + kBarHeight, kBarHeight / 2.0);
  r.Fill(groove, VerticalGradient(y, y + kBarHeight, {{0, {150, 150, 150}}, {1, {226, 226, 226}}}));
  r.Stroke(groove, 1, Solid({118, 118, 118}), 0.8);
}

struct SliderShape {
  int width, height;
  bool round;
};

SliderShape SliderOf(Look look) {
  switch (look) {
    case Look::MacOS: return {15, 15, true};
    case Look::WinXP: return {11, 19, false};
    case Look::DeepBlue: return {11, 17, false};
    case Look::Protein: return {13, 13, true};
    case Look::BlueGlass: return {13, 17, false};
  }
  return {11, 17, false};
}

}  // namespace

Picture TrackBarPicture(const Palette& p) {
  Raster r(24, kBarHeight);
  PaintGroove(r, 24, 0);
  return Finished(r, p.track);
}

Picture SliderPicture(const Palette& p, bool vertical) {
  const SliderShape s = SliderOf(p.look);
  Raster r(s.width, s.height);
  // The bar is centred on the slider's thickness: the same groove lies behind the knob.
  const double grooveTop = (s.height - kBarHeight) / 2;
  Raster groove(s.width + 2, s.height);
  PaintGroove(groove, s.width + 2, grooveTop);
  r.Draw(groove, -1, 0);
  Shape knob = s.round ? Circle(s.width / 2.0, s.height / 2.0, s.width / 2.0 - 0.4)
                       : RoundRect(0.5, 0.5, s.width - 0.5, s.height - 0.5, s.width / 3.0);
  Gel gel = p.look == Look::WinXP ? FaceGel(p, State::Normal) : AccentGel(p, State::Normal);
  PaintGel(r, knob, 0, s.height, gel);
  if (p.look == Look::WinXP)
    r.Fill(Intersection(Inset(knob, 1), [&](double, double y) { return s.height - 4 - y; }),
           Solid({33, 161, 33}), 0.9);
  Picture picture = Finished(r, p.track);
  return vertical ? Turned(picture) : picture;
}

Picture ScrollButtonPicture(const Palette& p, bool top, State state) {
  const int n = ScrollWidth(p.look);
  Raster r(n, n);
  Shape button = RoundRect(0, 0, n, n, 2.5);
  Gel gel = FaceGel(p, state);
  if (p.look == Look::WinXP) {
    static const Gel kXP[] = {{{225, 234, 254}, {203, 218, 252}, {185, 205, 250}, {154, 179, 232}},
                              {{236, 242, 255}, {214, 228, 255}, {196, 215, 255}, {160, 187, 240}},
                              {{170, 194, 245}, {185, 205, 250}, {206, 222, 252}, {120, 150, 220}}};
    gel = kXP[state == State::MouseOn ? 1 : state == State::MouseDown ? 2 : 0];
  }
  PaintGel(r, button, 0, n, gel);
  Rgb arrow = p.look == Look::WinXP ? Rgb{77, 97, 133} : p.look == Look::MacOS ? Rgb{40, 40, 40} : Darker(p.accent, 0.25);
  if (state == State::MouseDown) arrow = Darker(arrow, 0.3);
  r.Fill(ArrowGlyph(0, 0, n, top), Solid(arrow));
  r.ClipTo(button);
  return Keyed(r, p.scroll);
}

Picture ScrollTrackPicture(const Palette& p) {
  const int n = ScrollWidth(p.look);
  // Drawn lying down (as the controls turn it), then stood up.
  Raster r(24, n);
  Shape thumb = RoundRect(0.5, 1, 23.5, n - 1, p.look == Look::MacOS ? (n - 2) / 2.0 : 3);
  Gel gel = p.look == Look::WinXP ? Gel{{214, 228, 255}, {190, 208, 252}, {168, 192, 246}, {120, 150, 220}, 0}
                                  : AccentGel(p, State::Normal);
  PaintGel(r, thumb, 1, n - 1, gel);
  return Turned(Turned(Turned(Finished(r, p.scroll))));
}

Picture MenuCheckPicture() {
  Raster r(14, 14);
  r.Fill(CheckGlyph(1, 1, 12, 2.2), Solid({16, 16, 16}));
  return Finished(r, kWhite);
}

}  // namespace skinart
