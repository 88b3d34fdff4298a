#include "TitleArt.h"

#include "Glyphs.h"
#include "KIVThemeTable.h"

namespace skinart {

namespace {

struct TitleMetrics {
  int height;
  int cap;
  int button;
};

TitleMetrics MetricsOf(Look look) {
  switch (look) {
    case Look::MacOS: return {22, 8, 14};
    case Look::WinXP: return {30, 14, 21};
    case Look::DeepBlue: return {21, 6, 17};
    case Look::Protein: return {22, 8, 18};
    case Look::BlueGlass: return {29, 12, 18};
  }
  return {22, 8, 16};
}

// Top of the title buttons (theme entry 69).
int ButtonTop(Look look) { return kiv::ThemeTableCell(static_cast<int>(look), 69).value; }
// Title buttons drawn transparently (theme entry 66).
bool ButtonsTransparent(Look look) { return kiv::ThemeTableCell(static_cast<int>(look), 66).value != 0; }

// The bar's background at a height: the same for caps, middle and the opaque buttons.
Paint TitleBackground(const Palette& p, int height) {
  const double h = height;
  switch (p.look) {
    case Look::MacOS:
      // Brushed light metal with fine pinstripes.
      return [h](double, double y) {
        Rgb base = Mix(Rgb{236, 236, 236}, Rgb{196, 196, 196}, y / h);
        return static_cast<int>(y) % 2 ? Darker(base, 0.025) : base;
      };
    case Look::WinXP:
      return VerticalGradient(0, h, {{0, {61, 149, 255}}, {0.08, {0, 94, 240}}, {0.45, {0, 84, 227}},
                                     {0.85, {0, 68, 214}}, {1, {0, 58, 190}}});
    case Look::DeepBlue:
      // Deep navy, lit along its top edge.
      return VerticalGradient(0, h, {{0, Lighter(p.accent, 0.45)}, {0.1, Lighter(p.accent, 0.12)},
                                     {0.55, p.accent}, {1, Darker(p.accent, 0.45)}});
    case Look::Protein:
      // Graphite gel: a lit upper half over a dark lower one.
      return VerticalGradient(0, h, {{0, {156, 160, 168}}, {0.48, {100, 104, 113}}, {0.5, {64, 67, 75}},
                                     {1, {40, 42, 48}}});
    case Look::BlueGlass:
      // Azure glass with a bright reflection over its upper half.
      return VerticalGradient(0, h, {{0, Lighter(p.accent, 0.75)}, {0.46, Lighter(p.accent, 0.35)},
                                     {0.5, p.accent}, {1, Lighter(p.accent, 0.3)}});
  }
  return Solid(p.frame);
}

Shape Row(double x0, double y0, double x1, double y1) { return RoundRect(x0, y0, x1, y1, 0); }

}  // namespace

Picture TitlePartPicture(const Palette& p, TitlePart part) {
  const TitleMetrics m = MetricsOf(p.look);
  const int width = part == TitlePart::Client ? 6 : m.cap;
  Raster r(width, m.height);
  r.Fill(Row(0, 0, width, m.height), TitleBackground(p, m.height));
  // A dark line closes the bar at its bottom; caps shade toward the window's edges.
  const Rgb line = p.look == Look::MacOS     ? Rgb{140, 140, 140}
                   : p.look == Look::Protein ? Rgb{24, 25, 29}
                                             : Darker(p.look == Look::WinXP ? p.frame : p.accent, 0.45);
  r.Fill(Row(0, m.height - 1, width, m.height), Solid(line));
  if (part == TitlePart::Left) r.Fill(Row(0, 0, 1, m.height), Solid(kWhite), 0.35);
  if (part == TitlePart::Right) r.Fill(Row(width - 1, 0, width, m.height), Solid(kBlack), 0.25);
  return Finished(r, p.frame);
}

namespace {

Shape GlyphOf(TitleButton button, double x, double y, double size, double stroke) {
  switch (button) {
    case TitleButton::Close: return CrossGlyph(x, y, size, stroke);
    case TitleButton::Maximise: return MaximiseGlyph(x, y, size, stroke);
    case TitleButton::Minimise: return MinimiseGlyph(x, y, size, stroke);
    case TitleButton::Help: return QuestionGlyph(x, y, size, stroke);
    case TitleButton::ControlBox: return MenuGlyph(x, y, size, stroke * 0.8);
    case TitleButton::Restore: return RestoreGlyph(x, y, size, stroke);
  }
  return CrossGlyph(x, y, size, stroke);
}

// The Aqua window buttons: red, yellow and green drops, graphite for the others; their symbol
// shows only under the mouse.
Rgb AquaColor(TitleButton button) {
  switch (button) {
    case TitleButton::Close: return {236, 88, 78};
    case TitleButton::Minimise: return {246, 188, 58};
    case TitleButton::Maximise:
    case TitleButton::Restore: return {98, 198, 78};
    default: return {148, 160, 178};
  }
}

}  // namespace

Picture TitleButtonPicture(const Palette& p, TitleButton button, State state) {
  const TitleMetrics m = MetricsOf(p.look);
  const int n = m.button;
  const double top = ButtonTop(p.look);
  Raster r(n, n);
  const bool transparent = ButtonsTransparent(p.look);
  if (!transparent) {
    // The bar behind the button, at the rows the button covers.
    Paint bar = TitleBackground(p, m.height);
    r.Fill(Row(0, 0, n, n), [bar, top](double x, double y) { return bar(x, y + top); });
  }
  const bool close = button == TitleButton::Close;
  const double pressed = state == State::MouseDown ? 0.5 : 0;
  switch (p.look) {
    case Look::MacOS: {
      const Rgb c = AquaColor(button);
      Gel gel{Lighter(c, 0.55), c, Lighter(c, 0.45), Darker(c, 0.4), 0.6};
      if (state == State::MouseDown) gel = {Lighter(c, 0.2), Darker(c, 0.25), Lighter(c, 0.1), Darker(c, 0.55), 0.4};
      PaintGel(r, Circle(n / 2.0, n / 2.0, n / 2.0 - 0.5), 0, n, gel);
      if (state != State::Normal) r.Fill(GlyphOf(button, 2.5, 2.5, n - 5, 1.6), Solid(Darker(c, 0.65)));
      break;
    }
    case Look::WinXP:
    case Look::DeepBlue: {
      const Rgb base = close && p.look == Look::WinXP ? Rgb{226, 88, 56}
                                                      : p.look == Look::WinXP ? Rgb{40, 110, 245} : p.accent;
      Rgb c = state == State::MouseOn ? Lighter(base, 0.25) : state == State::MouseDown ? Darker(base, 0.25) : base;
      const double radius = p.look == Look::WinXP ? 3 : 1;
      Shape face = RoundRect(0.5, 0.5, n - 0.5, n - 0.5, radius);
      // DeepBlue's square buttons stand out from the navy bar by a light rim.
      const Rgb rim = p.look == Look::WinXP ? kWhite : Lighter(c, 0.55);
      if (p.look == Look::DeepBlue && close && state != State::Normal) c = Rgb{196, 52, 44};
      PaintGel(r, face, 0, n, {Lighter(c, 0.3), c, Darker(c, 0.25), rim, 0});
      const double inset = n * 0.22;
      r.Fill(GlyphOf(button, inset + pressed, inset + pressed, n - 2 * inset, n >= 20 ? 2.4 : 1.8), Solid(kWhite));
      break;
    }
    case Look::Protein:
    case Look::BlueGlass: {
      // Only the symbol and, under the mouse, a lit drop behind it.
      const Rgb tint = close ? Rgb{232, 80, 72} : p.look == Look::Protein ? Rgb{150, 156, 168} : Lighter(p.accent, 0.3);
      if (state != State::Normal) {
        Gel gel{Lighter(tint, 0.6), tint, Lighter(tint, 0.3), Darker(tint, 0.35), 0.5};
        if (state == State::MouseDown) gel = {Lighter(tint, 0.2), Darker(tint, 0.3), tint, Darker(tint, 0.55), 0.3};
        PaintGel(r, Circle(n / 2.0, n / 2.0, n / 2.0 - 0.6), 0, n, gel);
        r.ClipTo(Circle(n / 2.0, n / 2.0, n / 2.0 - 0.6));
      } else if (p.look == Look::BlueGlass) {
        r.Stroke(Circle(n / 2.0, n / 2.0, n / 2.0 - 0.6), 1.2, Solid(kWhite), 0.8);
      }
      const double inset = n * 0.26;
      r.Fill(GlyphOf(button, inset + pressed, inset + pressed, n - 2 * inset, 1.8), Solid(kWhite));
      break;
    }
  }
  if (!transparent) return Finished(r, p.frame);
  // Keyed on the bottom-left pixel; the symbol's soft edges blend with the middle of the bar.
  return Keyed(r, TitleBackground(p, m.height)(0, top + n / 2.0));
}

}  // namespace skinart
