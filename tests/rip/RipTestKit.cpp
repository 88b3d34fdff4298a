#include "RipTestKit.h"

#include <windows.h>

#include "DriveTransport.h"
#include "TestFiles.h"

namespace riptest {

void SimDiscTest::UseDisc(const std::vector<std::string>& driveLines, std::uint32_t trackFrames) {
  logPath_ = Scratch("commands.log");
  DeleteFileA(logPath_.c_str());
  simdrive::ConfigText config;
  config.Key("log", logPath_).Drive("0:1:0").Key("disc", "album");
  for (const std::string& line : driveLines) config.Line(line);
  config.Disc("album").Track("audio " + std::to_string(kTrackStart)).Track("audio " + std::to_string(trackFrames));
  Use(config);
}

void SimDiscTest::Use(const simdrive::ConfigText& config) {
  ASSERT_TRUE(simdrive::UseConfig(Scratch("drives.ini"), config.Text()));
  // The host takes a new configuration at the support-info call, as at a ripper's DriverOpen.
  ASSERT_EQ(drive::InitCDLayer(1, 0), 1);
  drive::GetHostAdapterCount();
  drive::InitCDLayer(0, 0);
}

std::string SimDiscTest::Scratch(const std::string& name) { return simdrive::ScratchPath(name); }

std::vector<std::string> SimDiscTest::LoggedCdbs() const {
  std::vector<std::string> cdbs;
  for (const std::string& line : simdrive::ReadLogLines(logPath_)) {
    const auto at = line.find(" cdb=");
    if (line.rfind("exec ", 0) == 0 && at != std::string::npos)
      cdbs.push_back(line.substr(at + 5, line.find(" status=") - at - 5));
  }
  return cdbs;
}

}  // namespace riptest
