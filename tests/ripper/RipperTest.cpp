#include "RipperTest.h"

#include "TestFiles.h"

#include <cstdio>

namespace {

std::string LogPath() { return simdrive::ScratchPath("ripper-commands.log"); }
std::string ControlPath() { return simdrive::ScratchPath("ripper-control.txt"); }

}  // namespace

void RipperTest::SetUp() {
    ASSERT_TRUE(apartment_);
    UseRipperServer();
}

void RipperTest::TearDown() {
    if (ripper_ && *ripper_) (*ripper_)->DriverClose();
    ripper_.reset();
}

simdrive::ConfigText RipperTest::Config() {
    DeleteFileA(LogPath().c_str());
    DeleteFileA(ControlPath().c_str());
    marked_ = 0;
    simdrive::ConfigText config;
    config.Key("log", LogPath()).Key("control", ControlPath());
    return config;
}

void RipperTest::Use(const simdrive::ConfigText& config) {
    ASSERT_TRUE(simdrive::UseConfig(simdrive::ScratchPath("ripper-drives.ini"), config.Text()));
    ripper_.emplace();
    ASSERT_TRUE(*ripper_);
}

void RipperTest::UseDisc(std::initializer_list<const char*> tracks) {
    simdrive::ConfigText config = Config();
    config.Drive("0:1:0").Key("disc", "album").Disc("album");
    for (const char* track : tracks) config.Track(track);
    Use(config);
}

void RipperTest::OpenAndRefresh() {
    ASSERT_EQ((*ripper_)->DriverOpen(), S_OK);
    ASSERT_EQ((*ripper_)->Refresh(), S_OK);
    ASSERT_TRUE(ripper_->events().empty());
}

void RipperTest::PutDisc(const char* disc) {
    simdrive::WriteTextFile(ControlPath(), std::string("0:1:0 = ") + disc + "\n");
}

void RipperTest::TakeDriveAway(int opens) {
    simdrive::WriteTextFile(ControlPath(), "0:1:0 gone = " + std::to_string(opens) + "\n");
}

std::vector<std::string> RipperTest::Commands() {
    std::vector<std::string> commands;
    const std::vector<std::string> lines = simdrive::ReadLogLines(LogPath());
    for (std::size_t index = marked_; index < lines.size(); ++index) {
        if (lines[index].rfind("exec ", 0) == 0) commands.push_back(lines[index]);
    }
    return commands;
}

void RipperTest::Mark() { marked_ = simdrive::ReadLogLines(LogPath()).size(); }

LONG RipperTest::Long(HRESULT (STDMETHODCALLTYPE IAudioCDRipper::*getter)(LONG*)) {
    LONG value = -12345;
    EXPECT_EQ(((*ripper_).get()->*getter)(&value), S_OK);
    return value;
}

LONG DiscIdOf(const std::vector<int>& frames) {
    // Track starts in seconds, counted from the disc's start with its two-second lead-in.
    const auto digitSum = [](int n) {
        int sum = 0;
        for (; n > 0; n /= 10) sum += n % 10;
        return sum;
    };
    int start = 150;
    int sum = 0;
    for (int length : frames) {
        sum += digitSum(start / 75);
        start += length;
    }
    const int playingTime = start / 75 - 150 / 75;
    return static_cast<LONG>((sum % 255) << 24 | playingTime << 8 | static_cast<int>(frames.size()));
}

std::string IniSectionOf(const std::vector<int>& frames) {
    // The tracks' MSF start addresses read as big-endian words, summed.
    unsigned key = 0;
    int start = 150;
    for (int length : frames) {
        key += static_cast<unsigned>(start / 75 / 60 << 16 | start / 75 % 60 << 8 | start % 75);
        start += length;
    }
    char section[16];
    std::snprintf(section, sizeof section, "%X", key);
    return section;
}
