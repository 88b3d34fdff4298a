#include "outside/ZEVAudioPlayer/NullOutput.h"

#include <algorithm>

namespace player {

void NullOutput::retire(Clock::time_point now) {
  while (!held_.empty() && held_.front().end <= now) {
    completed_ += held_.front().frames;
    held_.pop_front();
  }
}

HRESULT NullOutput::write(std::span<const int16_t> samples) {
  std::unique_lock hold(lock_);
  for (;;) {
    if (cancelled_) return E_ABORT;
    retire(Clock::now());
    if (held_.size() < static_cast<size_t>(kChunksHeld)) break;
    wake_.wait_until(hold, held_.front().end);
  }
  const int64_t frames = static_cast<int64_t>(samples.size()) / channels_;
  const Clock::time_point start = held_.empty() ? Clock::now() : std::max(Clock::now(), held_.back().end);
  const auto length = std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(double(frames) / rate_));
  held_.push_back({frames, start, start + length});
  return S_OK;
}

int64_t NullOutput::played() {
  std::lock_guard hold(lock_);
  const Clock::time_point now = Clock::now();
  retire(now);
  if (held_.empty() || now <= held_.front().start) return completed_;
  const Chunk& playing = held_.front();
  const double part = std::chrono::duration<double>(now - playing.start) / (playing.end - playing.start);
  return completed_ + std::min(playing.frames, static_cast<int64_t>(part * playing.frames));
}

void NullOutput::cancel() {
  {
    std::lock_guard hold(lock_);
    cancelled_ = true;
  }
  wake_.notify_all();
}

}  // namespace player
