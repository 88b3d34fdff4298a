#include "outside/ZEVAudioPlayer/Equalizer.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>

namespace player {

namespace {

constexpr double kLowest = 31.5;
constexpr double kHighest = 16000.0;
constexpr size_t kSegment = 32;       // frames between filter updates while gains move
constexpr double kStepDb = 0.5;       // the most a filter's gain moves per segment
constexpr double kSolverLimitDb = 30.0;
constexpr int kSolverRounds = 8;

// Bandwidth in octaves equal to the spacing of the centres.
double quality() {
  const double octaves = std::log2(kHighest / kLowest) / (kBands - 1);
  const double ratio = std::exp2(octaves);
  return std::sqrt(ratio) / (ratio - 1.0);
}

struct Design {
  double b0, b1, b2, a0, a1, a2;
};

Design peaking(double centre, int sampleRate, double gainDb) {
  const double a = std::pow(10.0, gainDb / 40.0);
  const double w0 = 2.0 * std::numbers::pi * centre / sampleRate;
  const double alpha = std::sin(w0) / (2.0 * quality());
  const double cosine = std::cos(w0);
  return {1.0 + alpha * a, -2.0 * cosine, 1.0 - alpha * a, 1.0 + alpha / a, -2.0 * cosine, 1.0 - alpha / a};
}

double magnitudeDb(const Design& d, int sampleRate, double frequency) {
  const std::complex<double> z1 = std::polar(1.0, -2.0 * std::numbers::pi * frequency / sampleRate);
  const std::complex<double> z2 = z1 * z1;
  return 20.0 * std::log10(std::abs((d.b0 + d.b1 * z1 + d.b2 * z2) / (d.a0 + d.a1 * z1 + d.a2 * z2)));
}

}  // namespace

const std::array<double, kBands>& bandCentres() {
  static const std::array<double, kBands> centres = [] {
    std::array<double, kBands> c{};
    for (int i = 0; i < kBands; ++i) c[i] = kLowest * std::pow(kHighest / kLowest, double(i) / (kBands - 1));
    return c;
  }();
  return centres;
}

bool bandActive(int band, int sampleRate) { return bandCentres()[band] < 0.45 * sampleRate; }

double responseDb(const BandGains& filterGains, int sampleRate, double frequency) {
  double sum = 0.0;
  for (int i = 0; i < kBands; ++i) {
    if (bandActive(i, sampleRate) && filterGains[i] != 0.0) {
      sum += magnitudeDb(peaking(bandCentres()[i], sampleRate, filterGains[i]), sampleRate, frequency);
    }
  }
  return sum;
}

BandGains filterGainsFor(const BandGains& wanted, int sampleRate) {
  BandGains gains{};
  for (int i = 0; i < kBands; ++i) gains[i] = bandActive(i, sampleRate) ? wanted[i] : 0.0;
  // Each round moves every filter by what its centre still misses; the overlap is small enough
  // (under a third of a neighbour's gain) for this to settle within a few rounds.
  for (int round = 0; round < kSolverRounds; ++round) {
    BandGains next = gains;
    for (int i = 0; i < kBands; ++i) {
      if (!bandActive(i, sampleRate)) continue;
      const double missing = wanted[i] - responseDb(gains, sampleRate, bandCentres()[i]);
      next[i] = std::clamp(gains[i] + missing, -kSolverLimitDb, kSolverLimitDb);
    }
    gains = next;
  }
  return gains;
}

void Equalizer::setFormat(int channels, int sampleRate) {
  channels_ = std::clamp(channels, 1, 2);
  rate_ = sampleRate;
  current_ = {};
  target_ = {};
  coefficients_ = {};
  state_ = {};
}

void Equalizer::jumpToTarget() {
  current_ = target_;
  for (int i = 0; i < kBands; ++i) design(i);
}

bool Equalizer::flat() const {
  return std::all_of(current_.begin(), current_.end(), [](double g) { return g == 0.0; }) && current_ == target_;
}

void Equalizer::design(int band) {
  if (current_[band] == 0.0 || !bandActive(band, rate_)) {
    // A flat filter is skipped; its history is that of a flat filter: none.
    coefficients_[band] = {};
    state_[band] = {};
    return;
  }
  const Design d = peaking(bandCentres()[band], rate_, current_[band]);
  coefficients_[band] = {d.b0 / d.a0, d.b1 / d.a0, d.b2 / d.a0, d.a1 / d.a0, d.a2 / d.a0};
}

void Equalizer::process(double* frames, size_t count) {
  for (size_t done = 0; done < count; done += kSegment) {
    for (int i = 0; i < kBands; ++i) {
      if (current_[i] == target_[i]) continue;
      current_[i] += std::clamp(target_[i] - current_[i], -kStepDb, kStepDb);
      design(i);
    }
    processSegment(frames + done * channels_, std::min(kSegment, count - done));
  }
  // Filter memories that have died away would otherwise sink into denormal numbers, which
  // the processor handles a hundred times slower.
  for (auto& band : state_) {
    for (State& s : band) {
      if (std::abs(s.s1) < 1e-30) s.s1 = 0.0;
      if (std::abs(s.s2) < 1e-30) s.s2 = 0.0;
    }
  }
}

void Equalizer::processSegment(double* frames, size_t count) {
  for (int i = 0; i < kBands; ++i) {
    if (current_[i] == 0.0 || !bandActive(i, rate_)) continue;
    const Coefficients c = coefficients_[i];
    for (int channel = 0; channel < channels_; ++channel) {
      State s = state_[i][channel];
      double* sample = frames + channel;
      for (size_t n = 0; n < count; ++n, sample += channels_) {
        // Transposed direct form II: two memories, good numerical behaviour for low bands.
        const double x = *sample;
        const double y = c.b0 * x + s.s1;
        s.s1 = c.b1 * x - c.a1 * y + s.s2;
        s.s2 = c.b2 * x - c.a2 * y;
        *sample = y;
      }
      state_[i][channel] = s;
    }
  }
}

}  // namespace player
