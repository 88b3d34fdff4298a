// A client of the registered ZEVAudioPlayer control for tests and the benchmark: the control
// hosted by the kit's container (it has no window at run time), its events counted and handed
// to optional handlers, messages pumped while waiting, and sine tones to play.
#pragma once

#include "com/Apartment.h"
#include "com/ControlHost.h"

#include "ZEVAudioPlayer.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace outside_test {

struct TimerEvent {
  LONG played;
  LONG left;
  LONG right;
  double seconds;  // since the client was made
};

class PlayerClient {
 public:
  PlayerClient();

  explicit operator bool() const { return static_cast<bool>(player); }
  // Blocks as a caller hands them over: in a VARIANT, the array staying the caller's.
  HRESULT queue(const std::vector<int16_t>& samples);
  HRESULT setBands(const std::vector<float>& bands);
  // Handles messages until done() is true or the time is up; true when done() came true.
  bool pumpUntil(const std::function<bool()>& done, int milliseconds);
  LONG played();
  double seconds() const;

  com::ptr<IAudioPlayer> player;
  int requests = 0;
  int blockEnds = 0;
  int endPlays = 0;
  std::vector<LONG> errors;
  std::vector<TimerEvent> timers;
  std::function<void()> onRequest;  // answers OnRequestOnLoadBlock and OnEndBlockPlay

 private:
  com::apartment apartment_;
  com::ControlHost host_;
  LARGE_INTEGER start_{};
};

// Interleaved frames of a sine of frequency and amplitude on every channel, from phase frame.
std::vector<int16_t> sineFrames(int frames, int channels, double frequency, double amplitude, int rate = 44100,
                                int64_t phaseFrame = 0);
// The amplitude of a sine of frequency in channel of interleaved samples, by least squares.
double sineAmplitude(const std::vector<int16_t>& samples, int channels, int channel, double frequency,
                     int rate = 44100);

}  // namespace outside_test
