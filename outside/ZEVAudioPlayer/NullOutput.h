// An output that plays nothing but takes as long as a device would: each chunk is played
// from the moment the previous one ends (or from its own arrival, when the output ran dry)
// for its length at the format's rate. The player, its events and its positions behave the
// same as on a wave-out device.
#pragma once

#include "outside/ZEVAudioPlayer/Output.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>

namespace player {

class NullOutput final : public Output {
 public:
  explicit NullOutput(const Format& format) : rate_(format.rate), channels_(format.channels) {}

  HRESULT write(std::span<const int16_t> samples) override;
  int64_t played() override;
  void cancel() override;

 private:
  using Clock = std::chrono::steady_clock;
  struct Chunk {
    int64_t frames;
    Clock::time_point start;
    Clock::time_point end;
  };
  // Drops the chunks played by now into the count; under the lock.
  void retire(Clock::time_point now);

  const int rate_;
  const int channels_;
  std::mutex lock_;
  std::condition_variable wake_;
  std::deque<Chunk> held_;
  int64_t completed_ = 0;
  bool cancelled_ = false;
};

}  // namespace player
