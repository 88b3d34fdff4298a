#include "outside/ZEVAudioPlayer/PlaybackEngine.h"

#include <algorithm>
#include <cstdlib>
#include <system_error>

namespace player {

namespace {

// Two seconds: far more than the output holds plus the longest window the display asks for.
constexpr int kHistorySeconds = 2;

}  // namespace

void PlaybackEngine::queue(std::span<const int16_t> samples) {
  if (samples.empty()) return;
  std::vector<int16_t> block(samples.begin(), samples.end());
  {
    std::lock_guard hold(queueLock_);
    blocks_.push_back(std::move(block));
  }
  queued_.notify_one();
}

HRESULT PlaybackEngine::start(std::unique_ptr<Output> output, const Format& format) {
  if (thread_.joinable()) return E_UNEXPECTED;
  format_ = format;
  processor_.start(format.channels, format.rate);
  {
    std::lock_guard hold(historyLock_);
    history_.assign(static_cast<size_t>(format.rate) * kHistorySeconds * format.channels, 0);
    written_ = 0;
  }
  {
    std::lock_guard hold(queueLock_);
    stopping_ = false;
    failure_ = S_OK;
  }
  output_ = std::move(output);
  try {
    thread_ = std::thread([this] { run(); });
  } catch (const std::system_error&) {
    output_.reset();
    return E_OUTOFMEMORY;
  }
  return S_OK;
}

void PlaybackEngine::stop() {
  {
    std::lock_guard hold(queueLock_);
    stopping_ = true;
    blocks_.clear();
    frontOffset_ = 0;
  }
  queued_.notify_all();
  if (output_) output_->cancel();
  if (thread_.joinable()) thread_.join();
  output_.reset();
}

int64_t PlaybackEngine::played() { return output_ ? output_->played() : 0; }

HRESULT PlaybackEngine::failure() {
  std::lock_guard hold(queueLock_);
  return failure_;
}

bool PlaybackEngine::take() {
  const size_t wanted = static_cast<size_t>(chunkFrames(format_)) * format_.channels;
  chunk_.clear();
  std::unique_lock hold(queueLock_);
  // A short wait when nothing is queued, so the thread notices blocks and stops promptly.
  queued_.wait_for(hold, std::chrono::milliseconds(20), [this] { return stopping_ || !blocks_.empty(); });
  while (!stopping_ && chunk_.size() < wanted && !blocks_.empty()) {
    const std::vector<int16_t>& front = blocks_.front();
    const size_t count = std::min(wanted - chunk_.size(), front.size() - frontOffset_);
    chunk_.insert(chunk_.end(), front.begin() + frontOffset_, front.begin() + frontOffset_ + count);
    frontOffset_ += count;
    if (frontOffset_ == front.size()) {
      blocks_.pop_front();
      frontOffset_ = 0;
    }
  }
  return !stopping_;
}

void PlaybackEngine::run() {
  SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_ABOVE_NORMAL);
  while (take()) {
    if (chunk_.empty()) continue;
    processor_.process(chunk_);
    remember(chunk_);
    const HRESULT hr = output_->write(chunk_);
    if (hr == E_ABORT) return;
    if (FAILED(hr)) {
      std::lock_guard hold(queueLock_);
      failure_ = hr;
      return;
    }
  }
}

void PlaybackEngine::remember(std::span<const int16_t> samples) {
  std::lock_guard hold(historyLock_);
  const size_t size = history_.size();
  size_t at = static_cast<size_t>(written_ * format_.channels % static_cast<int64_t>(size));
  for (int16_t sample : samples) {
    history_[at] = sample;
    if (++at == size) at = 0;
  }
  written_ += static_cast<int64_t>(samples.size()) / format_.channels;
}

template <class Visit>
void PlaybackEngine::visitHistory(int64_t from, int64_t to, Visit visit) {
  const int64_t capacity = static_cast<int64_t>(history_.size()) / format_.channels;
  from = std::max({from, written_ - capacity, int64_t{0}});
  to = std::min(to, written_);
  for (int64_t frame = from; frame < to; ++frame) {
    visit(&history_[static_cast<size_t>(frame % capacity) * format_.channels]);
  }
}

std::vector<int16_t> PlaybackEngine::newest(int64_t played, size_t frames) {
  std::vector<int16_t> samples;
  std::lock_guard hold(historyLock_);
  if (history_.empty()) return samples;
  visitHistory(played - static_cast<int64_t>(frames), played, [&](const int16_t* frame) {
    samples.insert(samples.end(), frame, frame + format_.channels);
  });
  return samples;
}

std::array<int, 2> PlaybackEngine::peaks(int64_t from, int64_t to) {
  std::array<int, 2> peak{0, 0};
  std::lock_guard hold(historyLock_);
  if (history_.empty()) return peak;
  const int last = format_.channels - 1;
  visitHistory(from, to, [&](const int16_t* frame) {
    peak[0] = std::max(peak[0], std::min(32767, std::abs(int{frame[0]})));
    peak[1] = std::max(peak[1], std::min(32767, std::abs(int{frame[last]})));
  });
  return peak;
}

}  // namespace player
