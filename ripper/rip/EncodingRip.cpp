// The encoding worker: reads the track into the PCM buffer while the convert tick hands it to
// the encoder, then waits for the tick to hand over the rest before the file is closed.
#include <cstdint>

#include "RipArithmetic.h"
#include "RipStages.h"
#include "RipWorker.h"
#include "ZEVDiscRipper.h"

namespace rip {

namespace {

class PcmSink final : public BlockSink {
 public:
  explicit PcmSink(PcmHandOver& pcm) : pcm_(pcm) {}

  bool Write(const std::uint8_t* data, std::size_t bytes) override {
    pcm_.Append(data, bytes);
    return true;
  }
  bool WriteSilence(std::size_t bytes) override {
    pcm_.AppendSilence(bytes);
    return true;
  }

 private:
  PcmHandOver& pcm_;
};

void LogCounters(RipHost& host, const PcmHandOver& pcm, const TrackReader& reader) {
  host.Line("b_counter = ", pcm.ConvertedBytes());
  host.Line("block_duration = ", reader.IntervalMs());
}

// Progress follows what the encoder has been given, a report for each percent of it.
void ReportProgress(RipHost& host, PcmHandOver& pcm, const TrackBlocks& blocks) {
  if (blocks.Length() == 0 || !pcm.TakePercentReached()) return;
  const auto frames = static_cast<long long>(pcm.HandedOverBytes() / kFrameBytes);
  const int percent = static_cast<int>(frames * 100 / blocks.Length());
  host.Line("Rip Progress = ", percent);
  host.RipProgress(percent);
}

// True when the whole track was read.
bool ReadIntoEncoder(RipHost& host, TrackReader& reader, PcmHandOver& pcm) {
  host.SetTickMode(TickMode::kConvert);
  host.EnableTick(true);
  PcmSink sink(pcm);
  const TrackBlocks& blocks = reader.Blocks();
  std::uint32_t current = blocks.Start();
  while (current < blocks.End() && !host.StopRequested()) {
    host.Line("dwCurrent=", static_cast<long>(current));
    host.Line("dwEnd=", static_cast<long>(blocks.End()));
    LogCounters(host, pcm, reader);
    ReportProgress(host, pcm, blocks);
    const int advance = reader.ReadBlock(current, sink);
    if (advance == TrackReader::kRipEnds) break;
    current += static_cast<std::uint32_t>(advance);
  }
  pcm.SetRipOver();
  host.TickNow();
  while (!pcm.ConvertOverSignalled(10)) {
    host.Line("Wait for ConvertOverEvent");
    LogCounters(host, pcm, reader);
    ReportProgress(host, pcm, blocks);
  }
  return current >= blocks.End();
}

}  // namespace

void RunEncodingRip(RipHost& host, PcmHandOver& pcm, SampleWriter& writer) {
  int failure = 0;
  const std::optional<RipJob> job = OpenDriveForRip(host, &failure);
  if (!job) {
    writer.Discard();
    EndUnopenedRip(host, failure);
    return;
  }
  TrackReader reader(host, *job, RetryLog::kAttemptsSinceReload);
  bool failed = !reader.Begin();
  bool whole = false;
  if (!failed) {
    if (pcm.Begin(reader.Blocks().Length())) {
      whole = ReadIntoEncoder(host, reader, pcm);
    } else {
      host.Error(OUT_OF_MEMORY);
      failed = true;
    }
  }
  host.EnableTick(false);
  host.SetTickMode(TickMode::kMediaCheck);
  const std::size_t rest = pcm.PendingBytes();
  if (!host.StopRequested() && rest > 0) pcm.HandOver(writer, rest);
  whole = whole && !host.StopRequested();
  // A rip that failed before it had any audio leaves the file of its name as it was; so does
  // one that would replace a file and did not hand the whole track over, failed or stopped.
  // An encoder that could not write its file must not end in a rip that looks complete.
  if (((failed || reader.Failed()) && pcm.HandedOverBytes() == 0) || (!whole && writer.Replaces()))
    writer.Discard();
  else if (!writer.CloseFile())
    host.Error(FILE_ACCESS);
  UnlockTray(host, *job);
  pcm.End();
  EndRip(host, reader);
}

}  // namespace rip
