// Shared set-up of the drive layer's tests on the simulated drives: each test writes its own
// configuration with a command log, starts the layer on WNASPI32.DLL, and reads back the
// requests the drives received.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "AudioReads.h"
#include "ConfigText.h"

namespace drivetest {

// One execute request from the command log.
struct LoggedCommand {
  std::string address;  // "0:1:0"
  std::string flags;    // "48"
  unsigned length = 0;
  std::string cdb;      // "43 00 00 ..."
  std::string status;   // "01"
};

class SimDriveTest : public ::testing::Test {
 protected:
  void TearDown() override;

  // A configuration that logs the requests.
  simdrive::ConfigText Config();
  // Loads the configuration and starts the drive layer on it through the ASPI library.
  void Start(const simdrive::ConfigText& config);

  // The execute requests since the last Mark() (or since Start()).
  std::vector<LoggedCommand> Commands();
  std::vector<std::string> Cdbs();
  void Mark();

  // Opens the drive; 0 with the cause in the last error on failure.
  int Open(int adapter, int target, int lun, int readClass, int matchFrames = 0, int readBackFrames = 0);

 private:
  std::vector<std::string> LogLines();
  std::size_t marked_ = 0;
};

// The first frame whose bytes differ from the simulated drives' generated audio for the frames
// from `lba` on; -1 when all match.
int FirstWrongFrame(const std::uint8_t* data, int frames, int lba);

}  // namespace drivetest
