// Injected faults and runtime control of the simulated drives: unreadable frames, jitter,
// not-ready periods, disc changes by command count and by control file, a drive gone from the
// host for some opens, and completion that is late or never comes.
#include <windows.h>

#include <algorithm>

#include "AudioGenerator.h"
#include "SimHostTest.h"

namespace simdrive {
namespace {

class FaultsTest : public SimHostTest {
 protected:
  // Drive 0:1:0 holding disc "a" (one 3000-frame audio track) with `driveKeys`; disc "b"
  // (two tracks) is known too.
  void UseDrive(const std::string& driveKeys, const std::string& globalKeys = "") {
    ConfigText config;
    if (!globalKeys.empty()) config.Line(globalKeys);
    config.Drive("0:1:0").Key("disc", "a").Line(driveKeys);
    config.Disc("a").Track("audio 3000").Disc("b").Track("audio 100").Track("audio 200");
    Use(config);
  }

  std::uint8_t Ready() { return Exec({0, 0, 0, 0, 0, 0}, kDataIn).request.SRB_Status; }

  int TrackCount() {
    std::vector<std::uint8_t> toc(804);
    const auto result = Exec({0x43, 0, 0, 0, 0, 0, 0, 0x03, 0x24, 0}, kDataIn, toc.data(), 804);
    return result.request.SRB_Status == aspi::SS_COMP ? toc[3] : 0;
  }

  // Whether `data` holds the generated frames starting at `lba`.
  static bool HoldsFramesFrom(const std::vector<std::uint8_t>& data, std::int64_t lba) {
    std::vector<std::uint8_t> expected(data.size());
    GenerateAudioFrames(lba, static_cast<std::int32_t>(data.size() / kFrameBytes), expected.data());
    return data == expected;
  }
};

TEST_F(FaultsTest, UnreadableRangeFailsEveryReadTouchingIt) {
  UseDrive("unreadable = 1000-1009");
  std::vector<std::uint8_t> data;
  for (int attempt = 0; attempt < 3; ++attempt) {
    data.assign(11 * 2352, 0xAA);
    const auto read = Exec(ReadCdCdb(990, 11), kDataIn, data.data(), static_cast<std::uint32_t>(data.size()));
    EXPECT_EQ(SenseOf(read), "03/11/00");
  }
  EXPECT_EQ(ReadCd(1009, 1, data), aspi::SS_ERR);
  EXPECT_EQ(ReadCd(1010, 20, data), aspi::SS_COMP);
  EXPECT_EQ(ReadCd(970, 30, data), aspi::SS_COMP);
}

TEST_F(FaultsTest, RangeFailingForTheFirstReadsThenReadsWell) {
  UseDrive("unreadable = 500-501 x2");
  std::vector<std::uint8_t> data;
  EXPECT_EQ(ReadCd(480, 26, data), aspi::SS_ERR);
  EXPECT_EQ(ReadCd(300, 26, data), aspi::SS_COMP);  // reads elsewhere do not count
  EXPECT_EQ(ReadCd(501, 1, data), aspi::SS_ERR);
  ASSERT_EQ(ReadCd(480, 26, data), aspi::SS_COMP);
  EXPECT_TRUE(HoldsFramesFrom(data, 480));
}

TEST_F(FaultsTest, FixedJitterShiftsEveryRead) {
  UseDrive("jitter = 3");
  std::vector<std::uint8_t> data;
  ASSERT_EQ(ReadCd(200, 10, data), aspi::SS_COMP);
  EXPECT_TRUE(HoldsFramesFrom(data, 203));
  ASSERT_EQ(ReadCd(100, 5, data), aspi::SS_COMP);
  EXPECT_TRUE(HoldsFramesFrom(data, 103));
}

TEST_F(FaultsTest, VaryingJitterTakesTheOffsetsInTurn) {
  UseDrive("jitter = 2, -1, 0");
  std::vector<std::uint8_t> data;
  for (const int offset : {2, -1, 0, 2}) {
    ASSERT_EQ(ReadCd(400, 4, data), aspi::SS_COMP);
    EXPECT_TRUE(HoldsFramesFrom(data, 400 + offset)) << offset;
  }
}

TEST_F(FaultsTest, JitterBeyondTheDiscReadsSilence) {
  UseDrive("jitter = 2");
  std::vector<std::uint8_t> data;
  ASSERT_EQ(ReadCd(2996, 4, data), aspi::SS_COMP);
  EXPECT_TRUE(std::all_of(data.begin() + 2 * 2352, data.end(), [](std::uint8_t b) { return b == 0; }));
}

TEST_F(FaultsTest, NotReadyPeriodCountsCommands) {
  UseDrive("notready = 2-3");
  EXPECT_EQ(Ready(), aspi::SS_COMP);
  const auto second = Exec({0, 0, 0, 0, 0, 0}, kDataIn);
  EXPECT_EQ(SenseOf(second), "02/04/01");
  std::uint8_t inquiry[36];
  EXPECT_EQ(Exec({0x12, 0, 0, 0, 36, 0}, kDataIn, inquiry, 36).request.SRB_Status, aspi::SS_COMP);  // number 3
  EXPECT_EQ(Ready(), aspi::SS_COMP);
}

TEST_F(FaultsTest, DiscTakenOutAndPutInAtCommandNumbers) {
  UseDrive("change = 3 none\nchange = 5 b");
  EXPECT_EQ(TrackCount(), 1);
  EXPECT_EQ(Ready(), aspi::SS_COMP);
  const auto out = Exec({0, 0, 0, 0, 0, 0}, kDataIn);
  EXPECT_EQ(SenseOf(out), "02/3A/01");
  EXPECT_EQ(TrackCount(), 0);
  EXPECT_EQ(TrackCount(), 2);
}

TEST_F(FaultsTest, ControlFileChangesTheDiscWhileRunning) {
  const std::string control = ScratchPath("control.txt");
  DeleteFileA(control.c_str());
  UseDrive("", "control = " + control);
  EXPECT_EQ(TrackCount(), 1);
  ASSERT_TRUE(WriteTextFile(control, "0:1:0 = none\n"));
  EXPECT_EQ(Ready(), aspi::SS_ERR);
  ASSERT_TRUE(WriteTextFile(control, "# the other disc\n0:1:0 = b\n"));
  EXPECT_EQ(TrackCount(), 2);
}

TEST_F(FaultsTest, ControlFileAppliesOnlyLinesThatChanged) {
  const std::string control = ScratchPath("control.txt");
  ASSERT_TRUE(WriteTextFile(control, "0:1:0 = a\n"));
  ConfigText config;
  config.Key("control", control).Drive("0:1:0").Key("disc", "a").Drive("0:2:0");
  config.Disc("a").Track("audio 3000").Disc("b").Track("audio 100").Track("audio 200");
  Use(config);
  EXPECT_EQ(Ready(), aspi::SS_COMP);
  Exec({0x1B, 1, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0xF0});  // eject 0:1:0
  EXPECT_EQ(Ready(), aspi::SS_ERR);
  Sleep(20);  // a different modification time even on coarse clocks
  ASSERT_TRUE(WriteTextFile(control, "0:1:0 = a\n0:2:0 = b\n"));
  EXPECT_EQ(Ready(), aspi::SS_ERR);  // its line did not change: the tray stays open
  EXPECT_EQ(Exec({0, 0, 0, 0, 0, 0}, kDataIn, nullptr, 0, "0:2:0").request.SRB_Status, aspi::SS_COMP);
}

TEST_F(FaultsTest, DriveGoneForTwoOpensIsFoundAgainAtTheThird) {
  const std::string control = ScratchPath("control.txt");
  DeleteFileA(control.c_str());
  UseDrive("", "control = " + control);
  ASSERT_TRUE(WriteTextFile(control, "0:1:0 gone = 2\n"));
  std::uint8_t type = 0;
  EXPECT_EQ(Aspi().DeviceType(0, 1, 0, type), aspi::SS_NO_DEVICE);
  EXPECT_EQ(Ready(), aspi::SS_COMP) << "its commands are answered meanwhile";
  EXPECT_EQ(Aspi().DeviceType(0, 1, 0, type), aspi::SS_NO_DEVICE);
  EXPECT_EQ(Aspi().DeviceType(0, 1, 0, type), aspi::SS_COMP);
  EXPECT_EQ(type, 5);
}

TEST_F(FaultsTest, PendingCompletionSignalsTheEventLater) {
  const std::string log = ScratchPath("pending.log");
  DeleteFileA(log.c_str());
  UseDrive("completion = pending\ndelay = 30", "log = " + log);
  std::vector<std::uint8_t> data(5 * 2352);
  const ULONGLONG start = GetTickCount64();
  const auto read = Exec(ReadCdCdb(60, 5), kDataIn, data.data(), static_cast<std::uint32_t>(data.size()));
  EXPECT_EQ(read.returned, aspi::SS_PENDING);
  EXPECT_TRUE(read.waited);
  EXPECT_TRUE(read.signalled);
  EXPECT_GE(GetTickCount64() - start, 25u);
  EXPECT_EQ(read.request.SRB_Status, aspi::SS_COMP);
  EXPECT_TRUE(HoldsFramesFrom(data, 60));
  const auto failed = Exec(ReadCdCdb(5000, 1), kDataIn, data.data(), 2352);
  EXPECT_TRUE(failed.signalled);
  EXPECT_EQ(failed.request.SRB_Status, aspi::SS_ERR);
  const auto lines = ReadLogLines(log);
  ASSERT_FALSE(lines.empty());
  EXPECT_NE(lines[0].find("status=01 moved=11760 pending"), std::string::npos) << lines[0];
}

TEST_F(FaultsTest, NeverCompletingDriveLeavesTheRequestPending) {
  UseDrive("completion = never");
  std::vector<std::uint8_t> data(2352, 0xAA);
  const ExecResult read =
      Aspi().Execute(0, 1, 0, kDataIn, ReadCdCdb(0, 1), data.data(), static_cast<std::uint32_t>(data.size()), 200);
  EXPECT_EQ(read.returned, aspi::SS_PENDING);
  EXPECT_FALSE(read.signalled);
  EXPECT_EQ(read.request.SRB_Status, aspi::SS_PENDING);
  EXPECT_TRUE(std::all_of(data.begin(), data.end(), [](std::uint8_t b) { return b == 0xAA; }));
}

TEST_F(FaultsTest, SlowDriveTakesItsDelayAndStillAnswers) {
  UseDrive("delay = 60");
  const ULONGLONG start = GetTickCount64();
  const auto ready = Exec({0, 0, 0, 0, 0, 0}, kDataIn);
  EXPECT_GE(GetTickCount64() - start, 55u);
  EXPECT_EQ(ready.returned, aspi::SS_COMP);
  EXPECT_FALSE(ready.waited);
}

TEST_F(FaultsTest, DriveStateOutlivesUnloadingTheLibrary) {
  UseDrive("");
  Exec({0x1B, 1, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0xF0});  // eject
  {
    const AspiClient second;  // loads and frees the library once more
    ASSERT_TRUE(second.Loaded());
    second.SupportInfo();
  }
  EXPECT_EQ(Ready(), aspi::SS_ERR);
}

}  // namespace
}  // namespace simdrive
