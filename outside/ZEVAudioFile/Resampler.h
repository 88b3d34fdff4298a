// Sample-rate conversion of one channel by band-limited (Kaiser-windowed sinc) interpolation,
// fed in pieces of any size. Output sample n lies at input time n * inRate / outRate; the
// whole output of N input samples is ceil(N * outRate / inRate) samples.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace audiofile {

class Resampler {
 public:
  Resampler(int inRate, int outRate);

  // Appends to out every output sample whose input neighbourhood is now known.
  void push(std::span<const float> in, std::vector<float>& out);
  // Appends the rest, taking silence after the last input sample.
  void finish(std::vector<float>& out);

 private:
  bool produce(int64_t available, std::vector<float>& out);
  float kernel(double distance) const;

  int64_t inRate_, outRate_;
  double cutoff_;     // relative to the input's Nyquist frequency
  int halfWidth_;     // input samples on either side of an output sample
  std::vector<float> table_;  // the kernel at steps of 1 / kTableSteps input samples
  std::vector<float> history_;
  int64_t historyStart_ = 0;  // input index of history_[0]
  int64_t inputCount_ = 0;
  int64_t outputCount_ = 0;
};

}  // namespace audiofile
