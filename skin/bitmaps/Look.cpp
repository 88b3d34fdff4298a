#include "Look.h"

#include "KIVThemeTable.h"

namespace skinart {

namespace {

Rgb Entry(Look look, int entry) {
  return FromTColor(static_cast<std::uint32_t>(kiv::ThemeTableCell(static_cast<int>(look), entry).value));
}

Rgb AccentOf(Look look) {
  switch (look) {
    case Look::DeepBlue: return {22, 50, 128};
    case Look::BlueGlass: return {36, 138, 222};
    default: return Entry(look, 11);
  }
}

}  // namespace

Palette PaletteOf(Look look) {
  return {look,           Entry(look, 3),  Entry(look, 2),  Entry(look, 8),
          Entry(look, 9), AccentOf(look), Entry(look, 79), Entry(look, 84)};
}

Gel FaceGel(const Palette& p, State state) {
  switch (p.look) {
    case Look::MacOS:
      switch (state) {
        case State::MouseOn: return {{170, 208, 250}, {95, 155, 228}, {160, 215, 252}, Darker(p.accent, 0.35), 0.55};
        case State::MouseDown: return {{120, 165, 222}, {50, 108, 192}, {118, 178, 236}, Darker(p.accent, 0.5), 0.45};
        case State::Disabled: return {{250, 250, 250}, {240, 240, 240}, {246, 246, 246}, {185, 185, 185}, 0.3};
        default: return {{255, 255, 255}, {232, 232, 232}, {250, 250, 250}, p.border, 0.6};
      }
    case Look::WinXP:
      switch (state) {
        case State::MouseOn: return {{255, 255, 255}, {243, 242, 238}, {225, 220, 208}, {0, 60, 116}, 0};
        case State::MouseDown: return {{209, 204, 193}, {226, 225, 218}, {242, 241, 238}, {0, 60, 116}, 0};
        case State::Disabled: return {{245, 244, 234}, {245, 244, 234}, {245, 244, 234}, {201, 199, 186}, 0};
        default: return {{255, 255, 255}, {240, 240, 234}, {214, 208, 197}, {0, 60, 116}, 0};
      }
    case Look::DeepBlue:
      // Flat steel faces with a navy edge; under the mouse a cool blue.
      switch (state) {
        case State::MouseOn: return {{236, 242, 252}, {210, 224, 246}, {186, 204, 236}, p.accent, 0};
        case State::MouseDown: return {{160, 180, 218}, {186, 202, 232}, {214, 224, 244}, Darker(p.accent, 0.4), 0};
        case State::Disabled: return {{242, 242, 242}, {236, 236, 236}, {230, 230, 230}, {160, 160, 160}, 0};
        default: return {{250, 251, 253}, {232, 235, 240}, {206, 211, 222}, Darker(p.accent, 0.2), 0};
      }
    case Look::Protein:
      // Pearl-grey gel rimmed in graphite.
      switch (state) {
        case State::MouseOn: return {{255, 255, 255}, {238, 240, 246}, {224, 230, 242}, Darker(p.accent, 0.2), 0.55};
        case State::MouseDown: return {{198, 201, 208}, {180, 184, 194}, {208, 211, 218}, {58, 61, 68}, 0.3};
        case State::Disabled: return {{252, 252, 252}, {244, 244, 246}, {248, 248, 250}, {190, 190, 198}, 0.3};
        default: return {{255, 255, 255}, {230, 231, 235}, {214, 216, 222}, {92, 96, 106}, 0.6};
      }
    case Look::BlueGlass:
      // Clear aqua glass.
      switch (state) {
        case State::MouseOn: return {{226, 246, 255}, {150, 212, 250}, {202, 238, 255}, Darker(p.accent, 0.25), 0.6};
        case State::MouseDown: return {{140, 196, 240}, {88, 160, 226}, {150, 206, 246}, Darker(p.accent, 0.45), 0.45};
        case State::Disabled: return {{246, 249, 252}, {232, 240, 246}, {242, 246, 250}, {170, 190, 205}, 0.3};
        default: return {{240, 250, 255}, {190, 228, 250}, {218, 242, 255}, Darker(p.accent, 0.3), 0.6};
      }
  }
  return {};
}

Gel AccentGel(const Palette& p, State state) {
  Rgb a = p.accent;
  if (p.look == Look::WinXP) a = {33, 161, 33};  // the green of XP's progress and checks
  const Rgb border = Darker(a, 0.45);
  switch (state) {
    case State::MouseOn: return {Lighter(a, 0.7), Lighter(a, 0.25), Lighter(a, 0.6), border, 0.5};
    case State::MouseDown: return {Lighter(a, 0.45), Darker(a, 0.15), Lighter(a, 0.35), Darker(a, 0.6), 0.4};
    case State::Disabled: return {{235, 235, 235}, {215, 215, 215}, {230, 230, 230}, {170, 170, 170}, 0.3};
    default: return {Lighter(a, 0.6), a, Lighter(a, 0.5), border, 0.5};
  }
}

void PaintGel(Raster& raster, const Shape& shape, double y0, double y1, const Gel& gel,
              double borderWidth) {
  raster.Fill(shape, VerticalGradient(y0, y1, {{0, gel.top}, {0.5, gel.middle}, {1, gel.bottom}}));
  if (gel.gloss > 0) {
    const double middle = (y0 + y1) / 2;
    Shape upper = Intersection(Inset(shape, borderWidth + 0.5),
                               [middle](double, double y) { return y - middle; });
    raster.Fill(upper, Solid(kWhite), gel.gloss * 0.55);
  }
  raster.Stroke(shape, borderWidth, Solid(gel.border));
}

}  // namespace skinart
