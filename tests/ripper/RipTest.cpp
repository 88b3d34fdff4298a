#include "RipTest.h"

#include "com/Bstr.h"

#include "TestFiles.h"

#include <algorithm>

void RipTest::OpenDisc(const std::vector<std::string>& driveLines) {
    simdrive::ConfigText config = Config();
    config.Drive("0:1:0").Key("disc", "album");
    for (const std::string& line : driveLines) config.Line(line);
    config.Disc("album").Track("audio 200").Track("audio 400").Track("audio 300");
    Use(config);
    OpenAndRefresh();
}

void RipTest::Choose(RipModePresetConstants preset) {
    IAudioCDRipper* ripper = ripper_->get();
    ASSERT_EQ(ripper->put_trackNum(2), S_OK);
    ASSERT_EQ(ripper->put_ripModePreset(preset), S_OK);
    ASSERT_EQ(ripper->put_driveSpeed(64), S_OK);
    ASSERT_EQ(ripper->put_driveSpinUpTime(0), S_OK);
    ASSERT_TRUE(ripper_->errors().empty());
}

void RipTest::StartRip(RipMethod method, const std::string& name) {
    ripsOverAtStart_ = RipsOver();
    const com::bstr path = com::bstr::from_ansi(OutputPath(name));
    ASSERT_EQ((ripper_->get()->*method)(path.get()), S_OK);
}

bool RipTest::WaitForRipOver(DWORD timeoutMs) {
    return ripper_->pumpUntil([&] { return RipsOver() > ripsOverAtStart_; }, timeoutMs);
}

bool RipTest::Rip(RipMethod method, const std::string& name) {
    StartRip(method, name);
    return WaitForRipOver();
}

riptest::WavContents RipTest::RippedWav(const std::string& name) const {
    return riptest::ReadWav(OutputPath(name) + ".wav");
}

int RipTest::RipsOver() const {
    const std::vector<LONG> progress = Arguments(kRipProgressEvent);
    return static_cast<int>(std::count(progress.begin(), progress.end(), 100));
}

std::vector<LONG> RipTest::Arguments(DISPID event) const {
    std::vector<LONG> arguments;
    for (const RipperEvent& each : ripper_->events())
        if (each.id == event) arguments.push_back(each.argument);
    return arguments;
}

int RipTest::DriveOpens() {
    int opens = 0;
    for (const std::string& line : simdrive::ReadLogLines(simdrive::ScratchPath("ripper-commands.log")))
        opens += line.rfind("devtype ", 0) == 0;
    return opens;
}
