#include "Glyphs.h"

#include <cmath>

namespace skinart {

namespace {

// A round-ended polyline through points given as fractions of the box.
Shape Strokes(double x, double y, double size, double stroke,
              std::initializer_list<std::pair<double, double>> points) {
  Shape shape;
  const std::pair<double, double>* previous = nullptr;
  for (const auto& point : points) {
    if (previous) {
      Shape piece = Segment(x + previous->first * size, y + previous->second * size,
                            x + point.first * size, y + point.second * size, stroke);
      shape = shape ? Union(shape, piece) : piece;
    }
    previous = &point;
  }
  return shape;
}

// An arc of a circle (angles in degrees, 0 to the right, growing clockwise on screen).
Shape Arc(double cx, double cy, double radius, double from, double to, double stroke) {
  Shape shape;
  const int steps = 10;
  for (int i = 0; i < steps; ++i) {
    const double a0 = (from + (to - from) * i / steps) * M_PI / 180;
    const double a1 = (from + (to - from) * (i + 1) / steps) * M_PI / 180;
    Shape piece = Segment(cx + radius * std::cos(a0), cy + radius * std::sin(a0),
                          cx + radius * std::cos(a1), cy + radius * std::sin(a1), stroke);
    shape = shape ? Union(shape, piece) : piece;
  }
  return shape;
}

Shape Outline(double x0, double y0, double x1, double y1, double stroke) {
  return Subtract(RoundRect(x0, y0, x1, y1, 0), RoundRect(x0 + stroke, y0 + stroke, x1 - stroke, y1 - stroke, 0));
}

}  // namespace

Shape CrossGlyph(double x, double y, double size, double stroke) {
  return Union(Strokes(x, y, size, stroke, {{0.2, 0.2}, {0.8, 0.8}}),
               Strokes(x, y, size, stroke, {{0.8, 0.2}, {0.2, 0.8}}));
}

Shape CheckGlyph(double x, double y, double size, double stroke) {
  return Strokes(x, y, size, stroke, {{0.18, 0.52}, {0.42, 0.76}, {0.84, 0.24}});
}

Shape MinimiseGlyph(double x, double y, double size, double stroke) {
  return Strokes(x, y, size, stroke * 1.2, {{0.25, 0.74}, {0.68, 0.74}});
}

Shape MaximiseGlyph(double x, double y, double size, double stroke) {
  const double x0 = x + 0.2 * size, y0 = y + 0.2 * size, x1 = x + 0.8 * size, y1 = y + 0.8 * size;
  return Union(Outline(x0, y0, x1, y1, stroke * 0.75), RoundRect(x0, y0, x1, y0 + stroke * 1.6, 0));
}

Shape RestoreGlyph(double x, double y, double size, double stroke) {
  const double s = stroke * 0.75;
  Shape back = Union(Outline(x + 0.38 * size, y + 0.18 * size, x + 0.82 * size, y + 0.6 * size, s),
                     RoundRect(x + 0.38 * size, y + 0.18 * size, x + 0.82 * size, y + 0.18 * size + s * 2, 0));
  Shape front = Union(Outline(x + 0.18 * size, y + 0.4 * size, x + 0.62 * size, y + 0.82 * size, s),
                      RoundRect(x + 0.18 * size, y + 0.4 * size, x + 0.62 * size, y + 0.4 * size + s * 2, 0));
  Shape frontArea = RoundRect(x + 0.18 * size, y + 0.4 * size, x + 0.62 * size, y + 0.82 * size, 0);
  return Union(Subtract(back, frontArea), front);
}

Shape QuestionGlyph(double x, double y, double size, double stroke) {
  Shape hook = Arc(x + 0.5 * size, y + 0.36 * size, 0.18 * size, 180, 405, stroke);
  Shape stem = Strokes(x, y, size, stroke, {{0.63, 0.49}, {0.5, 0.58}, {0.5, 0.64}});
  return Union(Union(hook, stem), Circle(x + 0.5 * size, y + 0.8 * size, stroke * 0.7));
}

Shape ExclamationGlyph(double x, double y, double size, double stroke) {
  return Union(Strokes(x, y, size, stroke, {{0.5, 0.22}, {0.5, 0.6}}),
               Circle(x + 0.5 * size, y + 0.78 * size, stroke * 0.65));
}

Shape InformationGlyph(double x, double y, double size, double stroke) {
  return Union(Strokes(x, y, size, stroke, {{0.5, 0.45}, {0.5, 0.78}}),
               Circle(x + 0.5 * size, y + 0.27 * size, stroke * 0.65));
}

Shape MenuGlyph(double x, double y, double size, double stroke) {
  return Union(Union(Strokes(x, y, size, stroke, {{0.25, 0.3}, {0.75, 0.3}}),
                     Strokes(x, y, size, stroke, {{0.25, 0.5}, {0.75, 0.5}})),
               Strokes(x, y, size, stroke, {{0.25, 0.7}, {0.75, 0.7}}));
}

Shape ArrowGlyph(double x, double y, double size, bool up) {
  const double top = y + (up ? 0.34 : 0.66) * size, bottom = y + (up ? 0.64 : 0.36) * size;
  return Polygon({{x + 0.5 * size, top}, {x + 0.8 * size, bottom}, {x + 0.2 * size, bottom}});
}

Shape ChevronsGlyph(double x, double y, double size, double stroke) {
  return Union(Strokes(x, y, size, stroke, {{0.2, 0.3}, {0.45, 0.5}, {0.2, 0.7}}),
               Strokes(x, y, size, stroke, {{0.55, 0.3}, {0.8, 0.5}, {0.55, 0.7}}));
}

}  // namespace skinart
