// The control commands on simulated drives: their exact CDBs and request flags, their answers,
// the failures they report, and the disc type drawn from READ TRACK INFORMATION.
#include <cstring>

#include "DriveCommands.h"
#include "DriveTransport.h"
#include "SimDriveTest.h"

namespace {

using namespace drive;
using drivetest::LoggedCommand;
using drivetest::SimDriveTest;

class CommandsTest : public SimDriveTest {
 protected:
  // Drive 0:1:0 holding `disc`, opened with the read class.
  int OpenWithDisc(const char* tracks[], int trackCount, int readClass = CDRT_ATAPI2,
                   const char* driveKey = nullptr, const char* driveValue = nullptr) {
    auto config = Config();
    config.Drive("0:1:0").Key("disc", "d");
    if (driveKey) config.Key(driveKey, driveValue);
    config.Disc("d");
    for (int index = 0; index < trackCount; ++index) config.Track(tracks[index]);
    Start(config);
    const int handle = Open(0, 1, 0, readClass);
    Mark();
    return handle;
  }
  int OpenAudioDisc(int readClass = CDRT_ATAPI2, const char* key = nullptr, const char* value = nullptr) {
    const char* tracks[] = {"audio 3:00", "audio 2:00"};
    return OpenWithDisc(tracks, 2, readClass, key, value);
  }
  LoggedCommand Only() {
    const auto commands = Commands();
    EXPECT_EQ(commands.size(), 1u);
    return commands.empty() ? LoggedCommand{} : commands[0];
  }
};

std::uint32_t BigEndian(const std::uint8_t* bytes) {
  return std::uint32_t(bytes[0]) << 24 | bytes[1] << 16 | bytes[2] << 8 | bytes[3];
}

TEST_F(CommandsTest, ReadTOCInBlockAddresses) {
  const int handle = OpenAudioDisc();
  TOCRecord toc{};
  ASSERT_EQ(ReadDiscTOC(handle, &toc), kLayerSuccess);
  const LoggedCommand command = Only();
  EXPECT_EQ(command.cdb, "43 00 00 00 00 00 00 03 24 00");
  EXPECT_EQ(command.flags, "48");
  EXPECT_EQ(command.length, 804u);
  EXPECT_EQ(toc.firstTrack, 1);
  EXPECT_EQ(toc.lastTrack, 2);
  EXPECT_EQ(BigEndian(toc.tracks[0].address), 0u);
  EXPECT_EQ(BigEndian(toc.tracks[1].address), 180u * 75);
  EXPECT_EQ(toc.tracks[2].trackNumber, 0xAA);
  EXPECT_EQ(BigEndian(toc.tracks[2].address), 300u * 75);
}

TEST_F(CommandsTest, ReadTOCInMSFWhenTheOptionAsks) {
  const int handle = OpenAudioDisc();
  ASSERT_EQ(SetDriveOption(handle, '$', 1), 1);
  TOCRecord toc{};
  ASSERT_EQ(ReadDiscTOC(handle, &toc), kLayerSuccess);
  EXPECT_EQ(Only().cdb, "43 02 00 00 00 00 00 03 24 00");
  const std::uint8_t start[] = {0, 0, 2, 0};
  EXPECT_EQ(std::memcmp(toc.tracks[0].address, start, 4), 0);
  const std::uint8_t second[] = {0, 3, 2, 0};
  EXPECT_EQ(std::memcmp(toc.tracks[1].address, second, 4), 0);
}

TEST_F(CommandsTest, SpeedSetsReadingAndWriting) {
  const int handle = OpenAudioDisc();
  ASSERT_EQ(SetCDSpeed(handle, 44885), kLayerSuccess);
  const LoggedCommand command = Only();
  EXPECT_EQ(command.cdb, "BB 00 AF 55 AF 55 00 00 00 00 00 00");
  EXPECT_EQ(command.flags, "50");
  EXPECT_EQ(command.length, 0u);
  Mark();
  ASSERT_EQ(SetDriveOption(handle, ' ', 32 * 176 + 5), 1);
  EXPECT_EQ(Only().cdb, "BB 00 16 05 16 05 00 00 00 00 00 00");
}

TEST_F(CommandsTest, TrayLockCarriesTheControlByteOfTheReadClass) {
  const int handle = OpenAudioDisc();
  ASSERT_EQ(LockCDTray(handle, 1), kLayerSuccess);
  ASSERT_EQ(LockCDTray(handle, 0), kLayerSuccess);
  const auto commands = Commands();
  ASSERT_EQ(commands.size(), 2u);
  EXPECT_EQ(commands[0].cdb, "1E 00 00 00 01 F0");
  EXPECT_EQ(commands[0].flags, "50");
  EXPECT_EQ(commands[1].cdb, "1E 00 00 00 00 F0");
  const int atapi1 = Open(0, 1, 0, CDRT_ATAPI1);
  EXPECT_EQ(atapi1, 0);  // the drive is open already
  CloseCDDrive(handle);
  const int reopened = Open(0, 1, 0, CDRT_ATAPI1);
  Mark();
  ASSERT_EQ(LockCDTray(reopened, 1), kLayerSuccess);
  EXPECT_EQ(Only().cdb, "1E 00 00 00 01 10");
}

TEST_F(CommandsTest, EjectOpensTheTray) {
  const int handle = OpenAudioDisc();
  ASSERT_EQ(StartStopCDUnit(handle, 1, 0), kLayerSuccess);
  const LoggedCommand command = Only();
  EXPECT_EQ(command.cdb, "1B 01 00 00 02 00 00 00 00 00 00 F0");
  EXPECT_EQ(command.flags, "40");
  Mark();
  ASSERT_EQ(StartStopCDUnit(handle, 1, 1), kLayerSuccess);
  EXPECT_EQ(Only().cdb, "1B 01 00 00 03 00 00 00 00 00 00 F0");
}

TEST_F(CommandsTest, LockedTrayRefusesToEject) {
  const int handle = OpenAudioDisc();
  ASSERT_EQ(LockCDTray(handle, 1), kLayerSuccess);
  EXPECT_EQ(StartStopCDUnit(handle, 1, 0), kLayerFailure);
  EXPECT_EQ(GetCDLayerLastError(), kErrRequestFailed);
  EXPECT_EQ(GetCDLayerLastStatus(), 4);
}

TEST_F(CommandsTest, ReadyDriveAnswersTheFirstTestUnitReady) {
  const int handle = OpenAudioDisc();
  EXPECT_EQ(TestCDUnitReady(handle), 1);
  const LoggedCommand command = Only();
  EXPECT_EQ(command.cdb, "00 00 00 00 00 10 00 00 00 00 00 00");
  EXPECT_EQ(command.flags, "48");
}

TEST_F(CommandsTest, EmptyDriveAnswersTheFailingStatusOfTheSecondTest) {
  auto config = Config();
  config.Drive("0:1:0");
  Start(config);
  const int handle = Open(0, 1, 0, CDRT_ATAPI2);
  ASSERT_NE(handle, 0);
  Mark();
  const int before = GetCDLayerLastError();
  EXPECT_EQ(TestCDUnitReady(handle), 4);
  const auto cdbs = Cdbs();
  ASSERT_EQ(cdbs.size(), 2u);
  EXPECT_EQ(cdbs[1], "00 00 00 00 00 00 00 00 00 10");
  EXPECT_EQ(GetCDLayerLastError(), before);
}

TEST_F(CommandsTest, PauseAndResume) {
  const int handle = OpenAudioDisc();
  ASSERT_EQ(PauseResumeCD(handle, 1), kLayerSuccess);
  ASSERT_EQ(PauseResumeCD(handle, 0), kLayerSuccess);
  const auto commands = Commands();
  ASSERT_EQ(commands.size(), 2u);
  EXPECT_EQ(commands[0].cdb, "4B 00 00 00 00 00 00 00 00 00");
  EXPECT_EQ(commands[0].flags, "40");
  EXPECT_EQ(commands[1].cdb, "4B 00 00 00 00 00 00 00 01 00");
}

TEST_F(CommandsTest, RefusedCommandKeepsItsStatus) {
  const int handle = OpenAudioDisc(CDRT_ATAPI2, "reject", "BB");
  EXPECT_EQ(SetCDSpeed(handle, 1000), kLayerFailure);
  EXPECT_EQ(GetCDLayerLastError(), kErrRequestFailed);
  EXPECT_EQ(GetCDLayerLastStatus(), 4);
}

TEST_F(CommandsTest, CommandsOnAHandleThatIsNotOpenFailWithMinusSeven) {
  const int handle = OpenAudioDisc();
  TOCRecord toc{};
  for (int bad : {0, -1, 17, handle + 1}) {
    SetDriveOption(handle, '&', 0);  // a success never clears the last error
    EXPECT_EQ(ReadDiscTOC(bad, &toc), kLayerFailure);
    EXPECT_EQ(SetCDSpeed(bad, 100), kLayerFailure);
    EXPECT_EQ(LockCDTray(bad, 1), kLayerFailure);
    EXPECT_EQ(StartStopCDUnit(bad, 1, 0), kLayerFailure);
    EXPECT_EQ(PauseResumeCD(bad, 1), kLayerFailure);
    EXPECT_EQ(TestCDUnitReady(bad), 4);
    EXPECT_EQ(GetDiscType(bad, 2), kDiscUnrecognized);
    EXPECT_EQ(SetDriveOption(bad, '$', 1), 0);
    EXPECT_EQ(GetCDLayerLastError(), kErrBadHandle);
  }
  EXPECT_TRUE(Commands().empty());
}

TEST_F(CommandsTest, DriveOptions) {
  const int handle = OpenAudioDisc();
  EXPECT_EQ(SetDriveOption(handle, '%', 3), 1);
  EXPECT_EQ(SetDriveOption(handle, '&', 1), 1);
  EXPECT_EQ(SetDriveOption(handle, '\'', 9), 1);
  EXPECT_EQ(SetDriveOption(handle, 'x', 1), 0);
  EXPECT_EQ(SetDriveOption(handle, '$', 0), 1);
  EXPECT_TRUE(Commands().empty());
}

struct DiscCase {
  const char* name;
  std::vector<const char*> tracks;
  int expected;
};

class DiscTypeTest : public CommandsTest, public ::testing::WithParamInterface<DiscCase> {};

TEST_P(DiscTypeTest, TypeOfDisc) {
  const DiscCase& disc = GetParam();
  const int handle = OpenWithDisc(const_cast<const char**>(disc.tracks.data()), int(disc.tracks.size()));
  EXPECT_EQ(GetDiscType(handle, int(disc.tracks.size())), disc.expected);
  const auto commands = Commands();
  ASSERT_EQ(commands.size(), disc.tracks.size());
  EXPECT_EQ(commands[0].cdb, "52 01 00 00 00 01 00 00 1C F0");
  EXPECT_EQ(commands[0].flags, "48");
  EXPECT_EQ(commands[0].length, 28u);
}

INSTANTIATE_TEST_SUITE_P(
    Discs, DiscTypeTest,
    ::testing::Values(DiscCase{"audio", {"audio 3:00", "audio 2:00", "audio 1:00"}, kDiscRedBook},
                      DiscCase{"data", {"mode1 3:00"}, kDiscYellowBook},
                      DiscCase{"mode2data", {"mode2 3:00", "mode2 1:00"}, kDiscYellowBook},
                      DiscCase{"mixed", {"mode1 3:00", "audio 2:00", "audio 2:00"}, kDiscYellowBook},
                      DiscCase{"enhanced", {"audio 3:00", "audio 2:00", "mode2 1:00 session=2"}, kDiscOrangeBook},
                      DiscCase{"enhancedAudioWithDataMode",
                               {"audio 3:00 datamode=1", "audio 2:00", "mode2 1:00 session=2"},
                               kDiscBlueBook}),
    [](const auto& info) { return info.param.name; });

TEST_F(CommandsTest, DriveWithoutTrackInformationReadsAsOrangeBook) {
  const int handle = OpenAudioDisc(CDRT_ATAPI2, "reject", "52");
  EXPECT_EQ(GetDiscType(handle, 2), kDiscOrangeBook);
  EXPECT_EQ(Commands().size(), 1u);  // stops at the first refusal
}

TEST_F(CommandsTest, DiscTypeAsksTrackNumbersBigEndianWithTheControlByte) {
  const char* tracks[] = {"audio 3:00", "audio 2:00", "audio 0:10", "audio 0:10", "audio 0:10"};
  const int handle = OpenWithDisc(tracks, 5, CDRT_ATAPI1);
  EXPECT_EQ(GetDiscType(handle, 5), kDiscRedBook);
  EXPECT_EQ(Cdbs().back(), "52 01 00 00 00 05 00 00 1C 10");
  Mark();
  EXPECT_EQ(GetDiscType(handle, 0), kDiscUnrecognized);
  EXPECT_TRUE(Commands().empty());
}

TEST_F(CommandsTest, AudioTracksAfterAFailedAnswerCountAsSessionZero) {
  // Two data tracks answered, the third beyond the disc refused: one unanswered audio track in
  // "session 0" and data in session 1 -> not all audio in the one session.
  const char* tracks[] = {"mode1 3:00", "mode1 2:00"};
  const int handle = OpenWithDisc(tracks, 2);
  EXPECT_EQ(GetDiscType(handle, 3), kDiscYellowBook);
}

}  // namespace
