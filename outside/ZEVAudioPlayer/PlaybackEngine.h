// The moving part of the player: blocks queued by the player's thread are taken in chunks by
// a playing thread of its own, processed (SampleProcessor), kept in a short history of what
// went out, and written to the output, which paces the thread. The player's thread asks how
// far the output has played and reads the history for the display and the levels.
#pragma once

#include "outside/ZEVAudioPlayer/Output.h"
#include "outside/ZEVAudioPlayer/SampleProcessor.h"

#include <array>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace player {

class PlaybackEngine {
 public:
  PlaybackEngine() = default;
  PlaybackEngine(const PlaybackEngine&) = delete;
  PlaybackEngine& operator=(const PlaybackEngine&) = delete;
  ~PlaybackEngine() { stop(); }

  SampleProcessor& processor() { return processor_; }

  // Appends a copy of interleaved whole frames, also before start.
  void queue(std::span<const int16_t> samples);
  // Plays what is and will be queued on output, from frame 0.
  HRESULT start(std::unique_ptr<Output> output, const Format& format);
  // Ends the playing thread, silences the output and drops the queue.
  void stop();

  // Frames the output has played since start (0 when not started).
  int64_t played();
  // S_OK, or how the output failed (the playing thread has then ended).
  HRESULT failure();
  // Up to frames of the newest played frames, interleaved, oldest first.
  std::vector<int16_t> newest(int64_t played, size_t frames);
  // The peak of each channel (the left one twice for mono) over played frames [from, to).
  std::array<int, 2> peaks(int64_t from, int64_t to);

 private:
  void run();
  // Takes up to a chunk of queued frames into chunk_; false when stopping.
  bool take();
  void remember(std::span<const int16_t> samples);
  // Calls visit(frame samples) for the remembered frames in [from, to); under historyLock_.
  template <class Visit>
  void visitHistory(int64_t from, int64_t to, Visit visit);

  Format format_;
  SampleProcessor processor_;
  std::unique_ptr<Output> output_;
  std::thread thread_;

  std::mutex queueLock_;
  std::condition_variable queued_;
  std::deque<std::vector<int16_t>> blocks_;
  size_t frontOffset_ = 0;  // samples of the front block already taken
  bool stopping_ = false;
  HRESULT failure_ = S_OK;

  std::vector<int16_t> chunk_;  // playing thread only

  std::mutex historyLock_;
  std::vector<int16_t> history_;  // ring of the last frames written, interleaved
  int64_t written_ = 0;           // frames written since start
};

}  // namespace player
