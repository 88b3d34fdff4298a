// The debug log audioripper.log through the COM interface: its level from the registry, the
// exact lines of a short session at both levels (the drive layer's own lines among them at the
// extended level), CR LF line ends, a new file for each object, and no file for unknown levels.
#include "FakeCdAudio.h"
#include "RefusedClass.h"
#include "RipperTest.h"

#include "ZEVAudioFile.h"

#include "TextFiles.h"

#include <fstream>
#include <iterator>

namespace {

const std::string kRule(64, '_');

std::string LogFile() { return ScratchFolder() + "audioripper.log"; }

std::string ReadLog() {
    std::ifstream file(LogFile(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// The lines the media-check thread writes every 20 ms come at no fixed place: they are left out.
std::string WithoutTicks(const std::string& log) {
    std::string kept;
    std::size_t from = 0;
    while (from < log.size()) {
        std::size_t end = log.find("\r\n", from);
        end = end == std::string::npos ? log.size() : end + 2;
        const std::string line = log.substr(from, end - from);
        if (line != "Check Media In Progress\r\n" && line != "Test Drive Ready\r\n") kept += line;
        from = end;
    }
    return kept;
}

std::string Lines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

const std::vector<std::string> kBanner = {
    "ZEVDiscRipper 1.2.4 Dedug. If the ripper misbehaves, please send this file to support@zev-audio.example "
    "with a few words on what happened.",
    "", "AudioCDRipper Constructor end", ""};

class DebugLog : public RipperTest {
protected:
    void SetUp() override {
        RipperTest::SetUp();
        DeleteFileA(LogFile().c_str());
    }
    void TearDown() override {
        RipperTest::TearDown();
        SetRipperLogLevel(nullptr);
    }

    // Creates the object at `level`, runs a short session and lets the object go.
    void RunSession(const char* level) {
        fakecd::SetTrackLength(2, 0, 20);
        UseDisc({"audio 0:30", "audio 0:20"});
        ripper_.reset();
        SetRipperLogLevel(level);
        ripper_.emplace();
        IAudioCDRipper* ripper = ripper_->get();
        ASSERT_EQ(ripper->DriverOpen(), S_OK);
        ASSERT_EQ(ripper->put_driveNum(-112), S_OK);
        BSTR name = nullptr;
        ASSERT_EQ(ripper->get_driveName(&name), S_OK);
        SysFreeString(name);
        ASSERT_EQ(ripper->Refresh(), S_OK);
        // Time for a few ticks of the media check, whose lines go between the members' lines.
        ripper_->pumpFor(100);
        LONG count = 0;
        ASSERT_EQ(ripper->get_trackCount(&count), S_OK);
        ASSERT_EQ(ripper->DriverClose(), S_OK);
        ripper_.reset();
    }

    // The session's lines at the normal level.
    static std::vector<std::string> SessionLines() {
        std::vector<std::string> lines = kBanner;
        const std::vector<std::string> session = {
            "AudioCDRipper Constructor", "Get Heap pointer...", "Set internal variables",
            "Load SCSI Manager, external ASPI = FALSE", "Load SCSI Manager", "Get Drive list", "Found Drives: 1",
            "Set curent Drive num in 1", "PutDriveNum Property. Parameter:  1", "Drive Num Set in: 0",
            "PutDriveNum Property End.", "", "Set CDDB default parameters", "Set default rip Mode Preset in BURST COPY",
            "BURST", "Set internal check media timer",
            // A number is written in signed decimal after one blank of its own.
            "PutDriveNum Property. Parameter:  -112", "Drive Num Set in: 0", "PutDriveNum Property End.", "",
            "GetDriveName Property", "Drive:", "TALVO   , SIMDRIVE CD-ROM  v1.0  (0:1:0)", "GetDriveName Property End",
            "", kRule, "Method RefreshCD:", "", "UnloadSCSI Manager", "Load SCSI Manager", "Refresh CD Handle",
            "Release CD Handle", "Create CD Handle", "Read CD TOC Structure", "Read TOC Successfull. Track Count: 2",
            "Check for data tracks interleaved with audio tracks", "Result Track Count: 2", "Last Track Byte: 1500",
            "Check for last track size, if there No or wrong Lead-out.", "Load MCI", "Unload MCI",
            "Last Track Byte(MCI): 1500", "", "\tMethod RefreshCD complete. Current State: MEDIA IN", kRule,
            "GetTrackCount Property", "Track Count is 2", "GetTrackCount Property end.", "",
            "AudioCDRipper Destructor", "Free internal check media timer", "Unload AudioFile", "Unload AudioFile",
            "Restore CD Speed (Set Max Read Speed)...", "Restore Drive UnLock State...", "Release CD Handle",
            "UnloadSCSI Manager", "AudioCDRipper Destructor end"};
        lines.insert(lines.end(), session.begin(), session.end());
        return lines;
    }
};

TEST_F(DebugLog, NormalLevelWritesEveryLineOfTheSession) {
    RunSession("Normal");
    EXPECT_EQ(WithoutTicks(ReadLog()), Lines(SessionLines()));
}

TEST_F(DebugLog, ExtendedLevelAddsTheDriveLayersLines) {
    RunSession("Extended");
    std::vector<std::string> expected;
    for (const std::string& line : SessionLines()) {
        expected.push_back(line);
        // The drive layer notes each start and stop of its transport.
        if (line == "Load SCSI Manager" || line == "UnloadSCSI Manager") expected.push_back("Extended Log Start");
    }
    EXPECT_EQ(WithoutTicks(ReadLog()), Lines(expected));
}

TEST_F(DebugLog, TheTicksLinesAreWholeLinesToo) {
    RunSession("Normal");
    const std::string log = ReadLog();
    EXPECT_NE(log.find("\r\nCheck Media In Progress\r\n"), std::string::npos);
    for (std::size_t at = log.find('\n'); at != std::string::npos; at = log.find('\n', at + 1))
        ASSERT_EQ(log[at - 1], '\r') << at;
    EXPECT_EQ(log.substr(log.size() - 2), "\r\n");
}

TEST_F(DebugLog, EachObjectStartsTheFileAnew) {
    UseDisc({"audio 0:30"});
    ripper_.reset();
    SetRipperLogLevel("Normal");
    ripper_.emplace();
    ASSERT_EQ((*ripper_)->DriverOpen(), S_OK);
    ASSERT_EQ((*ripper_)->DriverClose(), S_OK);
    ripper_.reset();
    ripper_.emplace();
    ripper_.reset();
    std::vector<std::string> expected = kBanner;
    expected.push_back("AudioCDRipper Destructor end");
    EXPECT_EQ(ReadLog(), Lines(expected));
}

TEST_F(DebugLog, MissingEncoderComponentIsNoted) {
    UseDisc({"audio 0:30"});
    ripper_.reset();
    SetRipperLogLevel("Normal");
    ripper_.emplace();
    {
        const RefusedClass missing(CLSID_AudioFile);
        ASSERT_TRUE(missing);
        ASSERT_EQ((*ripper_)->DriverOpen(), S_OK);
    }
    EXPECT_TRUE(ripper_->events().empty());
    ASSERT_EQ((*ripper_)->DriverClose(), S_OK);
    ripper_.reset();
    const std::string log = ReadLog();
    EXPECT_NE(log.find("\r\nBURST\r\nAudioFile create instance error!\r\nSet internal check media timer\r\n"),
              std::string::npos);
}

TEST_F(DebugLog, OnlyTheExactLevelNamesTurnItOn) {
    for (const char* level : {"normal", "No", "EXTENDED", ""}) {
        SetRipperLogLevel(level);
        RipperClient client;
        ASSERT_TRUE(client);
        client->DriverOpen();
        client->DriverClose();
        client.release();
        EXPECT_EQ(GetFileAttributesA(LogFile().c_str()), INVALID_FILE_ATTRIBUTES) << level;
    }
}

}  // namespace
