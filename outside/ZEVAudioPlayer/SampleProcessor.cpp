#include "outside/ZEVAudioPlayer/SampleProcessor.h"

#include <algorithm>
#include <cmath>

namespace player {

namespace {

constexpr size_t kVolumeSegment = 32;    // frames per volume step
constexpr double kVolumeStep = 1.0 / 64;  // full range in 64 steps: about 46 ms at 44.1 kHz

}  // namespace

void SampleProcessor::start(int channels, int sampleRate) {
  channels_ = std::clamp(channels, 1, 2);
  rate_ = sampleRate;
  equalizer_.setFormat(channels_, rate_);
  takeSettings(true);
}

void SampleProcessor::setBands(const BandGains& wanted) {
  std::lock_guard hold(lock_);
  wanted_.bands = wanted;
  changed_ = true;
}

void SampleProcessor::setEqualizerEnabled(bool enabled) {
  std::lock_guard hold(lock_);
  wanted_.enabled = enabled;
  changed_ = true;
}

void SampleProcessor::setVolume(int volume, bool mute) {
  std::lock_guard hold(lock_);
  wanted_.volume = mute ? 0.0 : std::clamp(volume, 0, 65535) / 65535.0;
  changed_ = true;
}

void SampleProcessor::takeSettings(bool jump) {
  Settings settings;
  {
    std::lock_guard hold(lock_);
    if (!changed_ && !jump) return;
    settings = wanted_;
    changed_ = false;
  }
  // Solved here, on the playing thread, so the caller of a setting never waits for it.
  equalizer_.setTarget(settings.enabled ? filterGainsFor(settings.bands, rate_) : BandGains{});
  targetVolume_ = settings.volume;
  if (jump) {
    equalizer_.jumpToTarget();
    volume_ = targetVolume_;
  }
}

void SampleProcessor::process(std::span<int16_t> samples) {
  takeSettings(false);
  const size_t frames = samples.size() / channels_;
  if (equalizer_.flat() && volume_ == 1.0 && targetVolume_ == 1.0) return;
  work_.assign(samples.begin(), samples.begin() + frames * channels_);
  if (!equalizer_.flat()) equalizer_.process(work_.data(), frames);
  for (size_t start = 0; start < frames; start += kVolumeSegment) {
    const size_t count = std::min(kVolumeSegment, frames - start);
    const double from = volume_;
    volume_ += std::clamp(targetVolume_ - volume_, -kVolumeStep, kVolumeStep);
    const double step = (volume_ - from) / count;
    for (size_t n = 0; n < count; ++n) {
      const double gain = from + step * (n + 1);
      for (int c = 0; c < channels_; ++c) {
        const size_t i = (start + n) * channels_ + c;
        samples[i] = static_cast<int16_t>(std::lround(std::clamp(work_[i] * gain, -32768.0, 32767.0)));
      }
    }
  }
}

}  // namespace player
