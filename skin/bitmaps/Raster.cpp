#include "Raster.h"

#include <algorithm>
#include <cmath>

namespace skinart {

Rgb FromTColor(std::uint32_t color) {
  return {static_cast<double>(color & 0xFF), static_cast<double>((color >> 8) & 0xFF),
          static_cast<double>((color >> 16) & 0xFF)};
}

Rgb Mix(Rgb a, Rgb b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb Lighter(Rgb c, double t) { return Mix(c, kWhite, t); }
Rgb Darker(Rgb c, double t) { return Mix(c, kBlack, t); }

Shape RoundRect(double x0, double y0, double x1, double y1, double radius) {
  const double cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
  const double hx = (x1 - x0) / 2, hy = (y1 - y0) / 2;
  radius = std::min({radius, hx, hy});
  return [=](double x, double y) {
    const double qx = std::abs(x - cx) - hx + radius;
    const double qy = std::abs(y - cy) - hy + radius;
    const double outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0));
    return outside + std::min(std::max(qx, qy), 0.0) - radius;
  };
}

Shape Circle(double cx, double cy, double radius) {
  return [=](double x, double y) { return std::hypot(x - cx, y - cy) - radius; };
}

Shape Segment(double ax, double ay, double bx, double by, double width) {
  return [=](double x, double y) {
    const double px = x - ax, py = y - ay, dx = bx - ax, dy = by - ay;
    const double length2 = dx * dx + dy * dy;
    const double t = length2 > 0 ? std::clamp((px * dx + py * dy) / length2, 0.0, 1.0) : 0.0;
    return std::hypot(px - dx * t, py - dy * t) - width / 2;
  };
}

Shape Polygon(std::vector<std::pair<double, double>> points) {
  return [points](double x, double y) {
    double distance2 = 1e18;
    bool inside = false;
    const size_t n = points.size();
    for (size_t i = 0, j = n - 1; i < n; j = i++) {
      const auto [xi, yi] = points[i];
      const auto [xj, yj] = points[j];
      const double ex = xj - xi, ey = yj - yi, wx = x - xi, wy = y - yi;
      const double t = std::clamp((wx * ex + wy * ey) / (ex * ex + ey * ey), 0.0, 1.0);
      distance2 = std::min(distance2, (wx - ex * t) * (wx - ex * t) + (wy - ey * t) * (wy - ey * t));
      if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) inside = !inside;
    }
    return inside ? -std::sqrt(distance2) : std::sqrt(distance2);
  };
}

Shape Union(Shape a, Shape b) {
  return [=](double x, double y) { return std::min(a(x, y), b(x, y)); };
}

Shape Intersection(Shape a, Shape b) {
  return [=](double x, double y) { return std::max(a(x, y), b(x, y)); };
}

Shape Subtract(Shape a, Shape b) {
  return [=](double x, double y) { return std::max(a(x, y), -b(x, y)); };
}

Shape Inset(Shape s, double d) {
  return [=](double x, double y) { return s(x, y) + d; };
}

Paint Solid(Rgb c) {
  return [c](double, double) { return c; };
}

namespace {

Rgb AlongStops(const std::vector<Stop>& stops, double t) {
  if (t <= stops.front().at) return stops.front().color;
  for (size_t i = 1; i < stops.size(); ++i)
    if (t <= stops[i].at)
      return Mix(stops[i - 1].color, stops[i].color,
                 (t - stops[i - 1].at) / std::max(stops[i].at - stops[i - 1].at, 1e-9));
  return stops.back().color;
}

// Coverage of a pixel by a shape, from the distance at its centre.
double Coverage(double distance) { return std::clamp(0.5 - distance, 0.0, 1.0); }

}  // namespace

Paint VerticalGradient(double y0, double y1, std::vector<Stop> stops) {
  return [=](double, double y) { return AlongStops(stops, (y - y0) / (y1 - y0)); };
}

Paint HorizontalGradient(double x0, double x1, std::vector<Stop> stops) {
  return [=](double x, double) { return AlongStops(stops, (x - x0) / (x1 - x0)); };
}

Raster::Raster(int width, int height)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height) {}

void Raster::Blend(int x, int y, Rgb color, double coverage) {
  if (coverage <= 0) return;
  Pixel& p = pixels_[static_cast<size_t>(y) * width_ + x];
  p.color = {color.r * coverage + p.color.r * (1 - coverage),
             color.g * coverage + p.color.g * (1 - coverage),
             color.b * coverage + p.color.b * (1 - coverage)};
  p.alpha = coverage + p.alpha * (1 - coverage);
}

void Raster::Fill(const Shape& shape, const Paint& paint, double opacity) {
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) {
      const double cx = x + 0.5, cy = y + 0.5;
      Blend(x, y, paint(cx, cy), Coverage(shape(cx, cy)) * opacity);
    }
}

void Raster::Stroke(const Shape& shape, double width, const Paint& paint, double opacity) {
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) {
      const double cx = x + 0.5, cy = y + 0.5, d = shape(cx, cy);
      Blend(x, y, paint(cx, cy), Coverage(d) * std::clamp(d + width + 0.5, 0.0, 1.0) * opacity);
    }
}

void Raster::ClipTo(const Shape& shape) {
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) {
      Pixel& p = pixels_[static_cast<size_t>(y) * width_ + x];
      const double coverage = Coverage(shape(x + 0.5, y + 0.5));
      if (p.alpha <= coverage) continue;
      const double scale = coverage / p.alpha;
      p.color = {p.color.r * scale, p.color.g * scale, p.color.b * scale};
      p.alpha = coverage;
    }
}

void Raster::Draw(const Raster& other, int x0, int y0) {
  for (int y = 0; y < other.height_; ++y)
    for (int x = 0; x < other.width_; ++x) {
      const int tx = x0 + x, ty = y0 + y;
      if (tx < 0 || ty < 0 || tx >= width_ || ty >= height_) continue;
      const Pixel& p = other.At(x, y);
      if (p.alpha <= 0) continue;
      Blend(tx, ty, {p.color.r / p.alpha, p.color.g / p.alpha, p.color.b / p.alpha}, p.alpha);
    }
}

std::vector<Rgb> Raster::Flatten(Rgb backdrop) const {
  std::vector<Rgb> out(pixels_.size());
  for (size_t i = 0; i < pixels_.size(); ++i) {
    const Pixel& p = pixels_[i];
    out[i] = {p.color.r + backdrop.r * (1 - p.alpha), p.color.g + backdrop.g * (1 - p.alpha),
              p.color.b + backdrop.b * (1 - p.alpha)};
  }
  return out;
}

std::vector<Rgb> Raster::FlattenKeyed(Rgb key, Rgb backdrop) const {
  std::vector<Rgb> out = Flatten(backdrop);
  for (size_t i = 0; i < pixels_.size(); ++i)
    if (pixels_[i].alpha < 0.5) out[i] = key;
  return out;
}

std::vector<Rgb> TurnCounterClockwise(const std::vector<Rgb>& pixels, int& width, int& height) {
  std::vector<Rgb> out(pixels.size());
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      out[static_cast<size_t>(width - 1 - x) * height + y] = pixels[static_cast<size_t>(y) * width + x];
  std::swap(width, height);
  return out;
}

}  // namespace skinart
