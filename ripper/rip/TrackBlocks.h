// The blocks a rip reads a track in. Blocks near either end of the track are small (1 frame
// within 10 frames of an end, 5 within 50) except with PLAY, and the last block is only as
// long as the frames that remain, so the file holds every frame of the track.
#pragma once

#include <cstdint>

namespace rip {

class TrackBlocks {
 public:
  TrackBlocks(std::uint32_t start, std::uint32_t length, int preset, int blockFrames)
      : start_(start), end_(start + length), preset_(preset), blockFrames_(blockFrames) {}

  std::uint32_t Start() const { return start_; }
  std::uint32_t End() const { return end_; }
  std::uint32_t Length() const { return end_ - start_; }

  // Frames of the block that begins at `current` (start <= current < end).
  int FramesAt(std::uint32_t current) const;
  // Frames a failed block at `current` stands for: a block of the preset's size, but never
  // beyond the end of the track.
  int FailedFramesAt(std::uint32_t current) const;
  // Whether a block at `current` is read without jitter correction: within 50 frames of
  // either end, except with PLAY.
  bool ReadsPlainAt(std::uint32_t current) const;

  // The frames between two progress reports: a hundredth of the track.
  std::uint32_t ReportStep() const { return Length() / 100; }
  // (position - start) * 100 / length, rounded.
  int PercentAt(std::uint32_t position) const;

 private:
  std::uint32_t FramesFromNearestEnd(std::uint32_t current) const;
  int Remaining(std::uint32_t current, int frames) const;

  std::uint32_t start_;
  std::uint32_t end_;
  int preset_;
  int blockFrames_;
};

}  // namespace rip
