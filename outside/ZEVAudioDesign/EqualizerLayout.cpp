#include "outside/ZEVAudioDesign/EqualizerLayout.h"

#include <algorithm>
#include <cmath>

namespace design {

namespace {

constexpr int kScaleWidth = 34;
constexpr int kMargin = 8;
constexpr int kLabelsHeight = 16;

}  // namespace

const char* bandLabel(int band) {
  static const char* const labels[kBands] = {"31", "55", "98", "170", "300", "530",
                                             "940", "1.7k", "2.9k", "5.2k", "9.1k", "16k"};
  return labels[std::clamp(band, 0, kBands - 1)];
}

EqualizerLayout::EqualizerLayout(const RECT& client)
    : client_(client),
      scaleRight_(client.left + kScaleWidth),
      top_(client.top + kMargin + kThumbHalf),
      bottom_(std::max(top_ + 1, static_cast<int>(client.bottom) - kLabelsHeight - kThumbHalf - 2)),
      columnWidth_(std::max(1.0, double(client.right - kMargin - scaleRight_) / kBands)) {}

int EqualizerLayout::columnX(int band) const {
  return scaleRight_ + static_cast<int>(std::lround(columnWidth_ * (band + 0.5)));
}

int EqualizerLayout::yOf(float db) const {
  const double fraction = (kMostDb - std::clamp(db, -kMostDb, kMostDb)) / (2.0 * kMostDb);
  return top_ + static_cast<int>(std::lround(fraction * (bottom_ - top_)));
}

float EqualizerLayout::dbAt(int y) const {
  const double fraction = std::clamp(double(y - top_) / (bottom_ - top_), 0.0, 1.0);
  return static_cast<float>(std::round((kMostDb - fraction * 2.0 * kMostDb) * 10.0) / 10.0);
}

int EqualizerLayout::bandAt(POINT point) const {
  if (point.x < scaleRight_ || point.y < client_.top || point.y >= labelsTop()) return -1;
  const int band = static_cast<int>((point.x - scaleRight_) / columnWidth_);
  return band < kBands ? band : -1;
}

RECT EqualizerLayout::thumb(int band, float db) const {
  const int x = columnX(band), y = yOf(db);
  return RECT{x - kThumbHalfWidth, y - kThumbHalf, x + kThumbHalfWidth + 1, y + kThumbHalf + 1};
}

}  // namespace design
