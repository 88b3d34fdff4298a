// Reads the current track block by block for both rip workers: the read buffers, the drive
// speed, the spin-up, each block's attempts with their cache-defeat reads, retries and
// reloads, the on-error action when a block stays unreadable, and the pacing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "BlockPacer.h"
#include "ReadBuffers.h"
#include "RipHost.h"
#include "TrackBlocks.h"

namespace rip {

// Where a rip's audio goes: the WAV file or the encoder's PCM buffer.
class BlockSink {
 public:
  virtual bool Write(const std::uint8_t* data, std::size_t bytes) = 0;
  virtual bool WriteSilence(std::size_t bytes) = 0;

 protected:
  ~BlockSink() = default;
};

// What the "RetryNum = " log line counts: the attempts left (WAV rips with plain reads), or
// the attempts since the last reload (encoding rips). WAV rips with jitter-corrected reads
// log no such line.
enum class RetryLog { kNone, kRemainingAttempts, kAttemptsSinceReload };

class TrackReader {
 public:
  static constexpr int kRipEnds = -1;

  TrackReader(RipHost& host, const RipJob& job, RetryLog retryLog);

  // Takes the read buffers and marks the rip as running with the tick off; sets the drive
  // speed and spins the drive up. False when the heap has no room (OUT_OF_MEMORY raised), or
  // when the drive does not answer (TIMEOUT) or has no disc or track to read (MEDIA_CHANGED).
  bool Begin();
  void FreeBuffers();

  const RipJob& Job() const { return job_; }
  const TrackBlocks& Blocks() const { return blocks_; }
  int IntervalMs() const { return intervalMs_; }
  // Whether the reader has raised an error.
  bool Failed() const { return failed_; }

  // Reads the block at `current` into the sink, or applies the on-error action, then paces.
  // The frames to advance by, or kRipEnds when the rip ends here (stopped, OPERATION_FAILED,
  // FILE_ACCESS, TIMEOUT or MEDIA_CHANGED raised).
  int ReadBlock(std::uint32_t current, BlockSink& sink);

 private:
  enum class Attempts { kRead, kFailed, kNoAnswer, kStopped };

  Attempts Attempt(std::uint32_t current, int frames);
  void BeforeRetry(std::uint32_t current, int sinceReload);
  void LogRetryNum(int attempt, int sinceReload);
  int Read(std::uint32_t current);
  void ReadPlain(HeapReadBuffer& buffer, std::uint32_t start);
  int OnError(std::uint32_t current, BlockSink& sink);
  void SpinUp();
  void Fail(int code);

  RipHost& host_;
  RipJob job_;
  RetryLog retryLog_;
  TrackBlocks blocks_;
  int intervalMs_;
  std::optional<ReadBuffers> buffers_;
  std::optional<BlockPacer> pacer_;
  bool failed_ = false;
};

}  // namespace rip
