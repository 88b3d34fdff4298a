#include "SimDriveTest.h"

#include <cstring>

#include "AudioGenerator.h"
#include "DriveTransport.h"
#include "TestFiles.h"

namespace drivetest {

namespace {

std::string LogPath() { return simdrive::ScratchPath("drive-commands.log"); }

// The text between "key=" and the next blank (or the end); cdb= runs up to " status=".
std::string Field(const std::string& line, const std::string& key) {
  const auto at = line.find(" " + key + "=");
  if (at == std::string::npos) return "";
  const auto from = at + key.size() + 2;
  const auto to = key == "cdb" ? line.find(" status=", from) : line.find(' ', from);
  return line.substr(from, to == std::string::npos ? std::string::npos : to - from);
}

}  // namespace

void SimDriveTest::TearDown() {
  for (int handle = 1; handle <= drive::kMaxDriveHandles; ++handle) drive::CloseCDDrive(handle);
  drive::InitCDLayer(0, 0);
}

simdrive::ConfigText SimDriveTest::Config() {
  DeleteFileA(LogPath().c_str());
  simdrive::ConfigText config;
  config.Key("log", LogPath());
  return config;
}

void SimDriveTest::Start(const simdrive::ConfigText& config) {
  ASSERT_TRUE(simdrive::UseConfig(simdrive::ScratchPath("drives.ini"), config.Text()));
  drive::InitCDLayer(0, 0);
  ASSERT_EQ(drive::InitCDLayer(1, 0), 1) << "the ASPI library did not load";
  // The support-info call makes the host take the new configuration.
  drive::GetHostAdapterCount();
  Mark();
}

std::vector<std::string> SimDriveTest::LogLines() { return simdrive::ReadLogLines(LogPath()); }

void SimDriveTest::Mark() { marked_ = LogLines().size(); }

std::vector<LoggedCommand> SimDriveTest::Commands() {
  std::vector<LoggedCommand> commands;
  const std::vector<std::string> lines = LogLines();
  for (std::size_t index = marked_; index < lines.size(); ++index) {
    const std::string& line = lines[index];
    if (line.rfind("exec ", 0) != 0) continue;
    LoggedCommand command;
    command.address = line.substr(5, line.find(' ', 5) - 5);
    command.flags = Field(line, "flags");
    command.length = static_cast<unsigned>(std::stoul("0" + Field(line, "len")));
    command.cdb = Field(line, "cdb");
    command.status = Field(line, "status");
    commands.push_back(command);
  }
  return commands;
}

std::vector<std::string> SimDriveTest::Cdbs() {
  std::vector<std::string> cdbs;
  for (const LoggedCommand& command : Commands()) cdbs.push_back(command.cdb);
  return cdbs;
}

int SimDriveTest::Open(int adapter, int target, int lun, int readClass, int matchFrames, int readBackFrames) {
  drive::OpenRequest request{};
  request.size = sizeof request;
  request.version = 1;
  request.hostAdapter = static_cast<std::uint8_t>(adapter);
  request.target = static_cast<std::uint8_t>(target);
  request.lun = static_cast<std::uint8_t>(lun);
  request.readClass = static_cast<std::uint8_t>(readClass);
  request.jitterMatchFrames = static_cast<std::uint8_t>(matchFrames);
  request.jitterReadBackFrames = static_cast<std::uint8_t>(readBackFrames);
  return drive::OpenCDDrive(&request);
}

int FirstWrongFrame(const std::uint8_t* data, int frames, int lba) {
  std::vector<std::uint8_t> expected(std::size_t(frames) * simdrive::kFrameBytes);
  simdrive::GenerateAudioFrames(lba, frames, expected.data());
  for (int frame = 0; frame < frames; ++frame)
    if (std::memcmp(data + std::size_t(frame) * simdrive::kFrameBytes,
                    expected.data() + std::size_t(frame) * simdrive::kFrameBytes, simdrive::kFrameBytes) != 0)
      return frame;
  return -1;
}

}  // namespace drivetest
