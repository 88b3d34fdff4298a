#include "TrackReader.h"

#include <windows.h>

#include "AudioReads.h"
#include "DriveCommands.h"
#include "DriveTransport.h"
#include "RipArithmetic.h"
#include "RipPresets.h"
#include "RipStages.h"
#include "ScsiExecute.h"
#include "ZEVDiscRipper.h"

namespace rip {

namespace {

// Cache-defeat reads go this far from the block, out of reach of the drive's read-ahead.
constexpr std::uint32_t kCacheDefeatDistance = 2000;

}  // namespace

TrackReader::TrackReader(RipHost& host, const RipJob& job, RetryLog retryLog)
    : host_(host),
      job_(job),
      retryLog_(retryLog),
      blocks_(job.trackStart, job.trackLength, job.preset, job.blockFrames),
      intervalMs_(BlockIntervalMs(job.blockFrames, job.driveSpeed)) {}

bool TrackReader::Begin() {
  buffers_.emplace(job_.blockFrames);
  if (!*buffers_) {
    buffers_.reset();
    Fail(OUT_OF_MEMORY);
    return false;
  }
  host_.SetRipInProgress(true);
  BufInit(host_, buffers_->main.get(), job_.blockFrames);
  if (job_.readStrategy == kJitterCorrectedReads) BufInit(host_, buffers_->jitterReference.get(), job_.blockFrames);
  host_.EnableTick(false);
  if (job_.preset == PARANOID) BufInit(host_, buffers_->cacheDefeat.get(), job_.blockFrames);
  // A drive that cannot read the disc at all makes no rip of unreadable blocks, whatever the
  // on-error action: the rip ends with the reason.
  std::optional<int> problem = ErrorOfReadiness(WaitForDrive(host_));
  // Without a track there is nothing on the disc as last read to rip: its table of contents
  // could not be read.
  if (!problem && blocks_.Length() == 0) problem = MEDIA_CHANGED;
  if (problem) {
    Fail(*problem);
    return false;
  }

  {
    DriveLock lock(host_);
    drive::SetCDSpeed(host_.CDHandle(), DriveSpeedKBps(job_.driveSpeed));
  }
  pacer_.emplace(job_.driveSpeed, job_.blockFrames);
  SpinUp();
  return true;
}

void TrackReader::Fail(int code) {
  failed_ = true;
  host_.Error(code);
}

void TrackReader::FreeBuffers() {
  buffers_.reset();
  pacer_.reset();
}

void TrackReader::SpinUp() {
  if (job_.spinUpTime == 0) return;
  const DWORD began = GetTickCount();
  while (GetTickCount() - began <= static_cast<DWORD>(job_.spinUpTime) && !host_.StopRequested()) {
    ReadPlain(buffers_->main, job_.trackStart);
    pacer_->Wait(job_.blockFrames);
  }
}

void TrackReader::ReadPlain(HeapReadBuffer& buffer, std::uint32_t start) {
  buffer.Aim(static_cast<std::int32_t>(start), job_.blockFrames);
  DriveLock lock(host_);
  drive::ReadCDAudioLBA(host_.CDHandle(), buffer.get());
}

int TrackReader::ReadBlock(std::uint32_t current, BlockSink& sink) {
  const int frames = blocks_.FramesAt(current);
  if (job_.preset == PARANOID) ReadPlain(buffers_->cacheDefeat, current + kCacheDefeatDistance);
  int advance = kRipEnds;
  switch (Attempt(current, frames)) {
    case Attempts::kRead: {
      const drive::ReadBuffer& main = *buffers_->main.get();
      if (!sink.Write(main.data() + main.dataOffset, static_cast<std::size_t>(main.bytesValid))) {
        Fail(FILE_ACCESS);
        return kRipEnds;
      }
      advance = main.frameCount;
      break;
    }
    case Attempts::kFailed:
      // A disc taken out is no unreadable block: the rip ends with MEDIA_CHANGED.
      if (const std::optional<int> problem = ErrorOfReadiness(host_.TestDriveReady())) {
        Fail(*problem);
        return kRipEnds;
      }
      advance = OnError(current, sink);
      if (advance == kRipEnds) return kRipEnds;
      break;
    case Attempts::kNoAnswer:
      Fail(TIMEOUT);
      return kRipEnds;
    case Attempts::kStopped:
      return kRipEnds;
  }
  pacer_->Wait(advance);
  return advance;
}

TrackReader::Attempts TrackReader::Attempt(std::uint32_t current, int frames) {
  int sinceReload = 1;
  for (int attempt = 1; attempt <= job_.retries + 1; ++attempt) {
    LogRetryNum(attempt, sinceReload);
    if (attempt > 1) {
      BeforeRetry(current, sinceReload);
      if (host_.StopRequested()) return Attempts::kStopped;
    }
    DriveLock lock(host_);
    // The transport is reloaded at the first retry and at every ninth one after it.
    if (++sinceReload == 10 || attempt == 2) {
      host_.ReloadManager();
      sinceReload = 1;
      if (host_.CDHandle() == 0) return Attempts::kFailed;
    }
    host_.CheckTransport();
    if (host_.CDHandle() == 0) return Attempts::kFailed;
    // Aimed afresh for every attempt: a failed jitter-corrected read leaves the buffer moved
    // back by the read-back frames, and reading from there would repeat audio.
    buffers_->main.Aim(static_cast<std::int32_t>(current), frames);
    if (Read(current) == drive::kLayerSuccess) return Attempts::kRead;
    // Asking a drive that does not answer again only adds another wait.
    if (drive::LastRequestTimedOut()) return Attempts::kNoAnswer;
  }
  return Attempts::kFailed;
}

void TrackReader::LogRetryNum(int attempt, int sinceReload) {
  if (retryLog_ == RetryLog::kRemainingAttempts)
    host_.Line("RetryNum = ", job_.retries + 2 - attempt);
  else if (retryLog_ == RetryLog::kAttemptsSinceReload)
    host_.Line("RetryNum = ", sinceReload);
}

void TrackReader::BeforeRetry(std::uint32_t current, int sinceReload) {
  if (job_.readStrategy == kPlainReads) {
    ReadPlain(buffers_->cacheDefeat, 0);
    Sleep(5);
    host_.RipRetry(sinceReload);
  } else {
    ReadPlain(buffers_->cacheDefeat, current + kCacheDefeatDistance);
    host_.RipRetry(sinceReload);
    Sleep(5);
  }
}

int TrackReader::Read(std::uint32_t current) {
  drive::ReadBuffer* main = buffers_->main.get();
  if (job_.readStrategy == kJitterCorrectedReads && !blocks_.ReadsPlainAt(current))
    return drive::ReadCDAudioLBAJitter(host_.CDHandle(), main, buffers_->jitterReference.get());
  return drive::ReadCDAudioLBA(host_.CDHandle(), main);
}

int TrackReader::OnError(std::uint32_t current, BlockSink& sink) {
  const int frames = blocks_.FailedFramesAt(current);
  switch (host_.OnErrorAction()) {
    case SILENCE:
    case CORRECT:
      if (!sink.WriteSilence(std::size_t(frames) * kFrameBytes)) {
        Fail(FILE_ACCESS);
        return kRipEnds;
      }
      return frames;
    case CUT:
      return frames;
    default:
      Fail(OPERATION_FAILED);
      return kRipEnds;
  }
}

}  // namespace rip
