// The 12-band equalizer: one peaking biquad per band (the audio EQ cookbook's design), centre
// frequencies spaced evenly on a logarithmic scale from 31.5 Hz to 16 kHz, each band as wide
// as the spacing. Neighbouring bands overlap, so the filter gains are solved from the wanted
// gains until the response at every centre frequency is what was asked for. Gain changes
// move the filters a little every 32 frames, so a slider drag or a preset does not click.
#pragma once

#include <array>
#include <cstddef>

namespace player {

constexpr int kBands = 12;
using BandGains = std::array<double, kBands>;  // dB, lowest band first

// The centre frequencies in Hz.
const std::array<double, kBands>& bandCentres();

// A band acts only below 45 % of the sample rate; the others stay flat.
bool bandActive(int band, int sampleRate);

// The response in dB of the filters with these gains at a frequency.
double responseDb(const BandGains& filterGains, int sampleRate, double frequency);

// The filter gains whose response at every active centre frequency is within a small fraction
// of a dB of wanted (inactive bands get 0).
BandGains filterGainsFor(const BandGains& wanted, int sampleRate);

class Equalizer {
 public:
  // Channels 1 or 2; forgets the filters' history and jumps to flat.
  void setFormat(int channels, int sampleRate);
  // The filter gains to move to (see filterGainsFor).
  void setTarget(const BandGains& filterGains) { target_ = filterGains; }
  // Takes the target at once (before the first sample).
  void jumpToTarget();
  // Filters count interleaved frames in place.
  void process(double* frames, size_t count);
  // True when every filter is flat and nothing is moving.
  bool flat() const;

 private:
  struct Coefficients {
    double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
  };
  struct State {
    double s1 = 0, s2 = 0;
  };
  void design(int band);
  void processSegment(double* frames, size_t count);

  int channels_ = 2;
  int rate_ = 44100;
  BandGains current_{};
  BandGains target_{};
  std::array<Coefficients, kBands> coefficients_{};
  std::array<std::array<State, 2>, kBands> state_{};
};

}  // namespace player
