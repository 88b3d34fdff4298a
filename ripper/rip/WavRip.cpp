// The WAV worker: reads the track into the WAV file, reporting progress every hundredth of
// the track, where it also looks at the stop flag.
#include <cstdint>
#include <vector>

#include "RipArithmetic.h"
#include "RipPresets.h"
#include "RipStages.h"
#include "RipWorker.h"
#include "ZEVDiscRipper.h"

namespace rip {

namespace {

class WavSink final : public BlockSink {
 public:
  WavSink(WavFile& file, int blockFrames) : file_(file), silence_(std::size_t(blockFrames) * kFrameBytes) {}

  bool Write(const std::uint8_t* data, std::size_t bytes) override {
    return file_.Write(data, static_cast<long>(bytes));
  }
  bool WriteSilence(std::size_t bytes) override {
    return file_.Write(silence_.data(), static_cast<long>(bytes));
  }

 private:
  WavFile& file_;
  std::vector<std::uint8_t> silence_;
};

// True when the whole track was read.
bool ReadIntoWav(RipHost& host, TrackReader& reader, WavFile& file) {
  WavSink sink(file, reader.Job().blockFrames);
  const TrackBlocks& blocks = reader.Blocks();
  std::uint32_t current = blocks.Start();
  std::uint32_t sinceReport = 0;
  while (current < blocks.End()) {
    host.Line("dwCurrent=", static_cast<long>(current));
    host.Line("dwEnd=", static_cast<long>(blocks.End()));
    if (sinceReport >= blocks.ReportStep()) {
      const int percent = blocks.PercentAt(current);
      host.Line("Rip Progress = ", percent);
      host.RipProgress(percent);
      if (host.StopRequested()) break;
      sinceReport = 0;
    }
    const int advance = reader.ReadBlock(current, sink);
    if (advance == TrackReader::kRipEnds) break;
    current += static_cast<std::uint32_t>(advance);
    sinceReport += static_cast<std::uint32_t>(advance);
  }
  return current >= blocks.End();
}

}  // namespace

void RunWavRip(RipHost& host, WavFile& file) {
  int failure = 0;
  const std::optional<RipJob> job = OpenDriveForRip(host, &failure);
  if (!job) {
    file.Discard();
    EndUnopenedRip(host, failure);
    return;
  }
  TrackReader reader(host, *job, job->readStrategy == kPlainReads ? RetryLog::kRemainingAttempts : RetryLog::kNone);
  const bool whole = reader.Begin() && ReadIntoWav(host, reader, file);
  UnlockTray(host, *job);
  // A rip that failed before it had any audio leaves the file of its name as it was; so does
  // one that would replace a file and did not read the whole track, failed or stopped.
  if ((reader.Failed() && !file.HoldsAudio()) || (!whole && file.Replaces()))
    file.Discard();
  else if (!file.Close())
    host.Error(FILE_ACCESS);
  EndRip(host, reader);
}

}  // namespace rip
