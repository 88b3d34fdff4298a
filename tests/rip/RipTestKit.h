// Shared by the rip engine's tests: a simulated disc whose audio is known, the generated audio
// of a frame range, and a strict reader of WAV files.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "ConfigText.h"

namespace riptest {

// The disc of most tests: a 200-frame track 1 and a track 2 of kTrackFrames frames, on the
// drive 0:1:0, which logs its commands. Track 2 is the one ripped.
constexpr std::uint32_t kTrackStart = 200;
constexpr std::uint32_t kTrackFrames = 400;

class SimDiscTest : public ::testing::Test {
 protected:
  // `driveLines` go into the drive's section ("unreadable = ...", "jitter = ...").
  void UseDisc(const std::vector<std::string>& driveLines = {}, std::uint32_t trackFrames = kTrackFrames);
  void Use(const simdrive::ConfigText& config);
  // A path in the temporary folder, unique to this process.
  static std::string Scratch(const std::string& name);
  // The execute requests the drive logged, as "cdb=..." texts.
  std::vector<std::string> LoggedCdbs() const;

 private:
  std::string logPath_;
};

std::vector<std::uint8_t> GeneratedAudio(std::uint32_t lba, std::uint32_t frames);

struct WavContents {
  bool valid = false;
  std::string problem;  // why it is not valid
  std::uint16_t formatTag = 0, channels = 0, blockAlign = 0, bitsPerSample = 0;
  std::uint32_t samplesPerSecond = 0, bytesPerSecond = 0, formatSize = 0;
  std::vector<std::uint8_t> data;
};

// Parses the file as RIFF WAVE: the RIFF size must match the file, the chunks must lie
// within it, "fmt " must come before "data".
WavContents ReadWav(const std::string& path);

}  // namespace riptest
