// What the player does to the samples on their way out: the equalizer (when enabled), then
// the volume (linear, 65535 = as decoded; mute = 0), then rounding back to 16 bits with
// clipping. Settings come from the player's thread at any time and are taken up at the next
// chunk; the volume glides to a new value within about 50 ms, so changes do not click, and
// switching the equalizer off glides every band back to flat before it is bypassed.
#pragma once

#include "outside/ZEVAudioPlayer/Equalizer.h"

#include <cstdint>
#include <mutex>
#include <span>
#include <vector>

namespace player {

class SampleProcessor {
 public:
  // Before playing: the format of the samples; the settings are taken at once, not glided to.
  void start(int channels, int sampleRate);

  // From any thread.
  void setBands(const BandGains& wanted);
  void setEqualizerEnabled(bool enabled);
  void setVolume(int volume, bool mute);

  // From the playing thread: processes interleaved samples in place.
  void process(std::span<int16_t> samples);

 private:
  struct Settings {
    BandGains bands{};
    bool enabled = true;
    double volume = 1.0;
  };
  void takeSettings(bool jump);

  std::mutex lock_;
  Settings wanted_;
  bool changed_ = false;

  // Playing thread only.
  int channels_ = 2;
  int rate_ = 44100;
  Equalizer equalizer_;
  double volume_ = 1.0;
  double targetVolume_ = 1.0;
  std::vector<double> work_;
};

}  // namespace player
