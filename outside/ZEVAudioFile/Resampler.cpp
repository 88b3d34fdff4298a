#include "outside/ZEVAudioFile/Resampler.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace audiofile {
namespace {

constexpr int kZeroCrossings = 16;
constexpr int kTableSteps = 256;
constexpr double kKaiserBeta = 8.6;  // about 90 dB of stop-band attenuation

double besselI0(double x) {
  double sum = 1, term = 1;
  for (int k = 1; k < 50 && term > 1e-12 * sum; ++k) {
    term *= (x / (2 * k)) * (x / (2 * k));
    sum += term;
  }
  return sum;
}

}  // namespace

Resampler::Resampler(int inRate, int outRate)
    : inRate_(inRate),
      outRate_(outRate),
      // Below the lower Nyquist frequency, with a little room for the transition band.
      cutoff_(std::min(1.0, static_cast<double>(outRate) / inRate) * 0.95),
      halfWidth_(static_cast<int>(std::ceil(kZeroCrossings / cutoff_))) {
  table_.resize(static_cast<size_t>(halfWidth_) * kTableSteps + 2);
  const double norm = besselI0(kKaiserBeta);
  for (size_t i = 0; i < table_.size(); ++i) {
    const double x = static_cast<double>(i) / kTableSteps;
    const double r = x / halfWidth_;
    if (r >= 1) continue;
    const double t = std::numbers::pi * cutoff_ * x;
    const double sinc = x == 0 ? 1 : std::sin(t) / t;
    table_[i] = static_cast<float>(cutoff_ * sinc * besselI0(kKaiserBeta * std::sqrt(1 - r * r)) / norm);
  }
}

float Resampler::kernel(double distance) const {
  const double position = std::abs(distance) * kTableSteps;
  const auto i = static_cast<size_t>(position);
  if (i + 1 >= table_.size()) return 0;
  const double f = position - static_cast<double>(i);
  return static_cast<float>(table_[i] + (table_[i + 1] - table_[i]) * f);
}

// Produces output samples while input up to index available - 1 covers their neighbourhood;
// beyond inputCount_ the input is silence.
bool Resampler::produce(int64_t available, std::vector<float>& out) {
  const int64_t total = (inputCount_ * outRate_ + inRate_ - 1) / inRate_;
  while (outputCount_ < total) {
    const int64_t numerator = outputCount_ * inRate_;
    const int64_t centre = numerator / outRate_;
    const double fraction = static_cast<double>(numerator % outRate_) / static_cast<double>(outRate_);
    if (centre + halfWidth_ + 1 > available) return false;
    const int64_t first = std::max<int64_t>(centre - halfWidth_, historyStart_);
    const int64_t last = std::min<int64_t>(centre + halfWidth_ + 1, inputCount_ - 1);
    double sum = 0;
    for (int64_t k = first; k <= last; ++k)
      sum += history_[static_cast<size_t>(k - historyStart_)] *
             kernel(static_cast<double>(k - centre) - fraction);
    out.push_back(static_cast<float>(sum));
    ++outputCount_;
  }
  return true;
}

void Resampler::push(std::span<const float> in, std::vector<float>& out) {
  history_.insert(history_.end(), in.begin(), in.end());
  inputCount_ += static_cast<int64_t>(in.size());
  produce(inputCount_, out);
  // Keep only what the next output sample can still reach.
  const int64_t next = outputCount_ * inRate_ / outRate_;
  const int64_t keepFrom = std::max<int64_t>(historyStart_, next - halfWidth_ - 1);
  history_.erase(history_.begin(), history_.begin() + (keepFrom - historyStart_));
  historyStart_ = keepFrom;
}

void Resampler::finish(std::vector<float>& out) { produce(INT64_MAX, out); }

}  // namespace audiofile
