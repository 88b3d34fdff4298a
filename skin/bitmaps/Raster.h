// A small software raster for drawing the skin bitmaps on the build machine: shapes given by
// signed distance functions are filled and stroked with anti-aliased edges, painted with solid
// colours or gradients. Pixels keep a coverage (alpha), so a picture can be finished either
// over a backdrop colour or with a transparency key where nothing was drawn.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace skinart {

struct Rgb {
  double r = 0, g = 0, b = 0;
};

// A theme table colour (0x00BBGGRR).
Rgb FromTColor(std::uint32_t color);
Rgb Mix(Rgb a, Rgb b, double t);
Rgb Lighter(Rgb c, double t);  // toward white by t
Rgb Darker(Rgb c, double t);   // toward black by t
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kMagenta{255, 0, 255};

// A shape: the signed distance from a point to its edge, negative inside. Points are in pixel
// units with pixel (x, y) covering [x, x + 1) x [y, y + 1).
using Shape = std::function<double(double x, double y)>;
Shape RoundRect(double x0, double y0, double x1, double y1, double radius);
Shape Circle(double cx, double cy, double radius);
// A line from a to b drawn with the given width and round ends.
Shape Segment(double ax, double ay, double bx, double by, double width);
// A closed polygon, points in order.
Shape Polygon(std::vector<std::pair<double, double>> points);
Shape Union(Shape a, Shape b);
Shape Intersection(Shape a, Shape b);
Shape Subtract(Shape a, Shape b);
// The shape moved inward (positive) or outward (negative) by d.
Shape Inset(Shape s, double d);

// What a shape is painted with, per point.
using Paint = std::function<Rgb(double x, double y)>;
Paint Solid(Rgb c);
// Colours at fractions of the way from y0 to y1 (or x0 to x1), linear between them.
struct Stop {
  double at;
  Rgb color;
};
Paint VerticalGradient(double y0, double y1, std::vector<Stop> stops);
Paint HorizontalGradient(double x0, double x1, std::vector<Stop> stops);

class Raster {
 public:
  Raster(int width, int height);
  int Width() const { return width_; }
  int Height() const { return height_; }

  // Paints the shape over what is there, opacity scaling its coverage.
  void Fill(const Shape& shape, const Paint& paint, double opacity = 1.0);
  // Paints a band of the given width just inside the shape's edge.
  void Stroke(const Shape& shape, double width, const Paint& paint, double opacity = 1.0);
  // Limits every pixel's coverage to the shape's: layers painted one over another (a fill and
  // its border) add up at the edges, while the silhouette decides what a key leaves out.
  void ClipTo(const Shape& shape);
  // Paints another raster over this one with its top-left corner at (x, y).
  void Draw(const Raster& other, int x, int y);

  // Finished pixels: partly covered pixels blend with the backdrop; with a key, pixels covered
  // less than half show the key instead (keys are judged exactly by the controls).
  std::vector<Rgb> Flatten(Rgb backdrop) const;
  std::vector<Rgb> FlattenKeyed(Rgb key, Rgb backdrop) const;
  // Premultiplied colour and coverage of a pixel, for formats with an alpha channel.
  struct Pixel {
    Rgb color;  // premultiplied by alpha
    double alpha = 0;
  };
  const Pixel& At(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }

 private:
  void Blend(int x, int y, Rgb color, double coverage);

  int width_;
  int height_;
  std::vector<Pixel> pixels_;
};

// Turns finished pixels a quarter turn counter-clockwise (as the controls do with bitmaps).
std::vector<Rgb> TurnCounterClockwise(const std::vector<Rgb>& pixels, int& width, int& height);

}  // namespace skinart
