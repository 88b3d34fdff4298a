#include "outside/ZEVAudioFile/PcmConverter.h"

#include <algorithm>

namespace audiofile {

PcmConverter::PcmConverter(PcmFormat in, PcmFormat out) : in_(in), out_(out) {
  if (in.sampleRate != out.sampleRate)
    resamplers_.assign(static_cast<size_t>(out.channels), Resampler(in.sampleRate, out.sampleRate));
}

void PcmConverter::push(std::span<const int16_t> interleaved, Planes& out) {
  const size_t inChannels = static_cast<size_t>(in_.channels);
  const size_t frames = interleaved.size() / inChannels;
  out.resize(static_cast<size_t>(out_.channels));
  for (size_t c = 0; c < out.size(); ++c) {
    mixed_.resize(frames);
    for (size_t i = 0; i < frames; ++i) {
      const int16_t* frame = &interleaved[i * inChannels];
      if (out_.channels == 1 && inChannels == 2)
        mixed_[i] = (static_cast<float>(frame[0]) + static_cast<float>(frame[1])) / 65536.0f;
      else
        mixed_[i] = static_cast<float>(frame[std::min(c, inChannels - 1)]) / 32768.0f;
    }
    out[c].clear();
    if (resamplers_.empty())
      out[c].swap(mixed_);
    else
      resamplers_[c].push(mixed_, out[c]);
  }
}

void PcmConverter::finish(Planes& out) {
  out.resize(static_cast<size_t>(out_.channels));
  for (size_t c = 0; c < out.size(); ++c) {
    out[c].clear();
    if (!resamplers_.empty()) resamplers_[c].finish(out[c]);
  }
}

}  // namespace audiofile
