// Shared by the rip engine's tests: a simulated disc whose audio is known.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "ConfigText.h"
#include "RipAudioCheck.h"

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

}  // namespace riptest
