// Brings interleaved 16-bit PCM to the channel count and sample rate an encoder wants, as
// planar float samples in -1..1: two channels are mixed to one by their mean, one channel is
// copied to both, and each channel is resampled on its own.
#pragma once

#include "outside/ZEVAudioFile/Encoder.h"
#include "outside/ZEVAudioFile/Resampler.h"

#include <optional>
#include <span>
#include <vector>

namespace audiofile {

class PcmConverter {
 public:
  using Planes = std::vector<std::vector<float>>;

  PcmConverter(PcmFormat in, PcmFormat out);

  // Converts whole input frames; the planes receive what is ready (they are cleared first).
  void push(std::span<const int16_t> interleaved, Planes& out);
  // The output still held back by the resamplers.
  void finish(Planes& out);

 private:
  PcmFormat in_, out_;
  std::vector<Resampler> resamplers_;  // one per output channel; none at equal rates
  std::vector<float> mixed_;
};

}  // namespace audiofile
