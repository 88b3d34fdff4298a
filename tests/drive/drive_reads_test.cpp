// Opening simulated drives and reading their audio: the open request checks and the handle
// table, the four read commands with their CDBs and block-size set-up, the restore at close,
// read-class detection, and jitter correction against drives whose reads land off target.
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "AudioReads.h"
#include "DriveCommands.h"
#include "DriveTransport.h"
#include "ReadBufferBlock.h"
#include "SimDriveTest.h"

namespace {

using namespace drive;
using drivetest::FirstWrongFrame;
using drivetest::SimDriveTest;

using Keys = std::vector<std::pair<std::string, std::string>>;

// CDBs of a read of 10 frames at LBA 1000 (0x3E8).
const std::string kReadCdF0 = "BE 00 00 00 03 E8 00 00 0A F0 00 00";
const std::string kReadCd10 = "BE 00 00 00 03 E8 00 00 0A 10 00 00";
const std::string kRead10 = "28 00 00 00 03 E8 00 00 0A 00";
const std::string kReadD4 = "D4 00 00 00 03 E8 00 00 0A 00";
const std::string kReadD8 = "D8 00 00 00 03 E8 00 00 00 0A 00 00";
const std::string kPause = "4B 00 00 00 00 00 00 00 00 00";
const std::string kBlockSize = "15 00 00 00 0C 00";
const std::string kBlockSizePages = "15 10 00 00 14 00";
const std::string kD4BlockMode = "15 10 00 00 08 00";

class ReadsTest : public SimDriveTest {
 protected:
  // Drive 0:1:0 with the keys and a disc of generated audio (5000 frames), plus a track of
  // silence (2000 frames) behind it.
  void StartDrive(const Keys& keys = {}) {
    auto config = Config();
    config.Drive("0:1:0").Key("disc", "d");
    for (const auto& [key, value] : keys) config.Key(key, value);
    config.Disc("d").Track("audio 5000").Track("audio 2000 silence");
    Start(config);
  }
  int OpenDrive(int readClass, const Keys& keys = {}, int matchFrames = 0, int readBackFrames = 0) {
    StartDrive(keys);
    const int handle = Open(0, 1, 0, readClass, matchFrames, readBackFrames);
    EXPECT_NE(handle, 0);
    Mark();
    return handle;
  }
};

int ReadTen(int handle, ReadBufferBlock& buffer) {
  buffer->startAddress = 1000;
  buffer->frameCount = 10;
  return ReadCDAudioLBA(handle, buffer.get());
}

void ExpectTenFramesRead(ReadBufferBlock& buffer) {
  EXPECT_EQ(buffer->bytesValid, 10 * kFrameBytes);
  EXPECT_EQ(buffer->dataOffset, 0);
  EXPECT_EQ(buffer->readStatus, 1);
  EXPECT_EQ(FirstWrongFrame(buffer.data(), 10, 1000), -1);
}

TEST_F(ReadsTest, OpenRequestIsChecked) {
  StartDrive();
  EXPECT_EQ(OpenCDDrive(nullptr), 0);
  EXPECT_EQ(GetCDLayerLastError(), kErrNoOpenRequest);
  OpenRequest request{12, 2, 0, 1, 0, 2, {}, 0, 0};
  EXPECT_EQ(OpenCDDrive(&request), 0);
  EXPECT_EQ(GetCDLayerLastError(), kErrBadOpenRequest);
  request = {11, 1, 0, 1, 0, 2, {}, 0, 0};
  EXPECT_EQ(OpenCDDrive(&request), 0);
  EXPECT_EQ(GetCDLayerLastError(), kErrBadOpenRequest);
  request.size = 40;
  const int handle = OpenCDDrive(&request);
  EXPECT_GE(handle, 1);
  EXPECT_LE(handle, kMaxDriveHandles);
  EXPECT_EQ(Open(0, 1, 0, CDRT_ATAPI2), 0);
  EXPECT_EQ(GetCDLayerLastError(), kErrAlreadyOpen);
}

TEST_F(ReadsTest, DeviceThatIsNotACDROMIsNotOpened) {
  auto config = Config();
  config.Drive("0:1:0").Key("type", "0");
  Start(config);
  EXPECT_EQ(Open(0, 1, 0, CDRT_ATAPI2), 0);
  EXPECT_EQ(Open(0, 5, 0, CDRT_ATAPI2), 0);  // nothing there at all
  // -10 is only recorded while no other error is; this process had errors before.
  EXPECT_NE(GetCDLayerLastError(), 0);
}

TEST_F(ReadsTest, SixteenHandlesAtMost) {
  auto config = Config();
  for (int target = 0; target < 16; ++target) config.Drive("0:" + std::to_string(target) + ":0");
  config.Drive("1:0:0");
  Start(config);
  std::vector<int> handles;
  for (int target = 0; target < 16; ++target) handles.push_back(Open(0, target, 0, CDRT_ATAPI2));
  for (int index = 0; index < 16; ++index) EXPECT_EQ(handles[std::size_t(index)], index + 1);
  EXPECT_EQ(Open(1, 0, 0, CDRT_ATAPI2), 0);
  EXPECT_EQ(GetCDLayerLastError(), kErrNoFreeHandle);
  EXPECT_EQ(CloseCDDrive(7), 1);
  EXPECT_EQ(Open(1, 0, 0, CDRT_ATAPI2), 7);
}

TEST_F(ReadsTest, ClosingAHandleThatIsNotOpen) {
  const int handle = OpenDrive(CDRT_ATAPI2);
  for (int bad : {0, -3, 17, handle + 1}) EXPECT_EQ(CloseCDDrive(bad), 0);
  EXPECT_EQ(CloseCDDrive(handle), 1);
  EXPECT_EQ(CloseCDDrive(handle), 0);
  ReadBufferBlock buffer(10);
  EXPECT_EQ(ReadTen(handle, buffer), kLayerFailure);
  EXPECT_EQ(GetCDLayerLastError(), kErrBadHandle);
  EXPECT_TRUE(Commands().empty());
}

TEST_F(ReadsTest, BufferMustHoldTheFramesAsked) {
  const int handle = OpenDrive(CDRT_ATAPI2);
  ReadBufferBlock nine(9);
  EXPECT_EQ(ReadTen(handle, nine), kLayerFailure);
  EXPECT_EQ(GetCDLayerLastError(), kErrBufferTooSmall);
  // The CDB has one byte for the count: more than 255 frames cannot be read in one request.
  ReadBufferBlock big(256);
  big->startAddress = 0;
  EXPECT_EQ(ReadCDAudioLBA(handle, big.get()), kLayerFailure);
  big->frameCount = -1;
  EXPECT_EQ(ReadCDAudioLBA(handle, big.get()), kLayerFailure);
  EXPECT_EQ(ReadCDAudioLBA(handle, nullptr), kLayerFailure);
  EXPECT_EQ(GetCDLayerLastError(), kErrBufferTooSmall);
  EXPECT_TRUE(Commands().empty());
}

TEST_F(ReadsTest, ReadCdClasses) {
  const int handle = OpenDrive(CDRT_ATAPI2);
  ReadBufferBlock buffer(12);
  ASSERT_EQ(ReadTen(handle, buffer), kLayerSuccess);
  ExpectTenFramesRead(buffer);
  ASSERT_EQ(Commands().size(), 1u);
  EXPECT_EQ(Commands()[0].cdb, kReadCdF0);
  EXPECT_EQ(Commands()[0].flags, "48");
  EXPECT_EQ(Commands()[0].length, 12u * kFrameBytes);

  CloseCDDrive(handle);
  const int atapi1 = Open(0, 1, 0, CDRT_ATAPI1);
  Mark();
  ASSERT_EQ(ReadTen(atapi1, buffer), kLayerSuccess);
  ExpectTenFramesRead(buffer);
  EXPECT_EQ(Cdbs(), std::vector<std::string>{kReadCd10});
}

TEST_F(ReadsTest, Read10ClassesSetTheBlockSizeOnce) {
  for (int readClass : {CDRT_READ6, CDRT_READ10}) {
    const int handle = OpenDrive(readClass, {{"reads", "read10"}});
    ReadBufferBlock buffer(10);
    ASSERT_EQ(ReadTen(handle, buffer), kLayerSuccess);
    ExpectTenFramesRead(buffer);
    ASSERT_EQ(ReadTen(handle, buffer), kLayerSuccess);
    const auto commands = Commands();
    ASSERT_EQ(commands.size(), 3u);
    EXPECT_EQ(commands[0].cdb, kBlockSize);
    EXPECT_EQ(commands[0].flags, "40");
    EXPECT_EQ(commands[0].length, 12u);
    EXPECT_EQ(commands[1].cdb, kRead10);
    EXPECT_EQ(commands[2].cdb, kRead10);
    // Closing goes back to 2048-byte blocks.
    Mark();
    EXPECT_EQ(CloseCDDrive(handle), 1);
    ASSERT_EQ(Commands().size(), 1u);
    EXPECT_EQ(Commands()[0].cdb, kBlockSize);
    EXPECT_EQ(Commands()[0].flags, "44");
    TearDown();
  }
}

TEST_F(ReadsTest, Read10CarriesTheLun) {
  auto config = Config();
  config.Drive("0:1:2").Key("disc", "d").Key("reads", "read10").Disc("d").Track("audio 5000");
  Start(config);
  const int handle = Open(0, 1, 2, CDRT_READ10);
  ReadBufferBlock buffer(10);
  ASSERT_EQ(ReadTen(handle, buffer), kLayerSuccess);
  EXPECT_EQ(Cdbs().back(), "28 40 00 00 03 E8 00 00 0A 00");
}

TEST_F(ReadsTest, SecondRead10ClassSetsTheBlockSizeWithPages) {
  const int handle = OpenDrive(CDRT_READ10_2, {{"reads", "read10"}});
  ReadBufferBlock buffer(10);
  ASSERT_EQ(ReadTen(handle, buffer), kLayerSuccess);
  ExpectTenFramesRead(buffer);
  EXPECT_EQ(Cdbs(), (std::vector<std::string>{kBlockSizePages, kBlockSizePages, kRead10}));
  EXPECT_EQ(Commands()[0].length, 20u);
  Mark();
  CloseCDDrive(handle);
  EXPECT_EQ(Cdbs(), std::vector<std::string>{kBlockSize});
}

TEST_F(ReadsTest, FailedBlockSizeSetUpStopsTheRead) {
  const int handle = OpenDrive(CDRT_READ10, {{"reads", "read10"}, {"reject", "15"}});
  ReadBufferBlock buffer(10);
  EXPECT_EQ(ReadTen(handle, buffer), kLayerFailure);
  EXPECT_EQ(GetCDLayerLastError(), kErrRequestFailed);
  EXPECT_EQ(ReadTen(handle, buffer), kLayerFailure);
  EXPECT_EQ(Cdbs(), (std::vector<std::string>{kBlockSize, kBlockSize}));
  Mark();
  CloseCDDrive(handle);
  EXPECT_TRUE(Commands().empty());  // nothing was set, nothing to restore
}

TEST_F(ReadsTest, VendorReadsPauseFirst) {
  struct Case {
    int readClass;
    const char* reads;
    std::vector<std::string> cdbs;
    unsigned length;
  };
  const Case cases[] = {{CDRT_READ_D8, "d8", {kPause, kReadD8, kReadD8}, 10 * kFrameBytes},
                        {CDRT_READ_D4, "d4", {kPause, kReadD4, kReadD4}, 12 * kFrameBytes},
                        {CDRT_READ_D4_1, "d4", {kPause, kD4BlockMode, kReadD4, kReadD4}, 12 * kFrameBytes}};
  for (const Case& test : cases) {
    const int handle = OpenDrive(test.readClass, {{"reads", test.reads}});
    ReadBufferBlock buffer(12);
    ASSERT_EQ(ReadTen(handle, buffer), kLayerSuccess);
    ExpectTenFramesRead(buffer);
    ASSERT_EQ(ReadTen(handle, buffer), kLayerSuccess);
    EXPECT_EQ(Cdbs(), test.cdbs);
    EXPECT_EQ(Commands().back().length, test.length);
    if (test.readClass == CDRT_READ_D4_1) {
      EXPECT_EQ(Commands()[1].length, 12u);
      EXPECT_EQ(Commands()[1].flags, "40");
    }
    Mark();
    CloseCDDrive(handle);
    EXPECT_TRUE(Commands().empty());
    TearDown();
  }
}

TEST_F(ReadsTest, FailedPauseDoesNotStopAVendorRead) {
  const int handle = OpenDrive(CDRT_READ_D8, {{"reads", "d8"}, {"reject", "4B"}});
  ReadBufferBlock buffer(10);
  ASSERT_EQ(ReadTen(handle, buffer), kLayerSuccess);
  ExpectTenFramesRead(buffer);
}

TEST_F(ReadsTest, OnlyTheLow24BitsOfTheAddressAreSent) {
  const int handle = OpenDrive(CDRT_ATAPI2);
  ReadBufferBlock buffer(1, 0x12ABCDEF);
  EXPECT_EQ(ReadCDAudioLBA(handle, buffer.get()), kLayerFailure);
  EXPECT_EQ(Cdbs(), std::vector<std::string>{"BE 00 00 AB CD EF 00 00 01 F0 00 00"});
}

TEST_F(ReadsTest, UnreadableFramesFailTheReadAndLeaveTheHeader) {
  const int handle = OpenDrive(CDRT_ATAPI2, {{"unreadable", "1005-1006"}});
  ReadBufferBlock buffer(10);
  buffer->bytesValid = 77;
  buffer->dataOffset = 5;
  buffer->readStatus = 9;
  EXPECT_EQ(ReadTen(handle, buffer), kLayerFailure);
  EXPECT_EQ(GetCDLayerLastError(), kErrRequestFailed);
  EXPECT_EQ(GetCDLayerLastStatus(), 4);
  EXPECT_EQ(buffer->bytesValid, 77);
  EXPECT_EQ(buffer->dataOffset, 5);
  EXPECT_EQ(buffer->readStatus, 9);
  EXPECT_EQ(buffer->startAddress, 1000);
}

TEST_F(ReadsTest, DetectionKeepsReadCdAfterOneGoodTestRead) {
  const int handle = OpenDrive(CDRT_ANY);
  ReadBufferBlock buffer(10);
  ASSERT_EQ(ReadTen(handle, buffer), kLayerSuccess);
  ExpectTenFramesRead(buffer);
  ASSERT_EQ(ReadTen(handle, buffer), kLayerSuccess);
  EXPECT_EQ(Cdbs(), (std::vector<std::string>{kReadCdF0, kReadCdF0}));
}

TEST_F(ReadsTest, DetectionTriesTheClassesInItsOrder) {
  const int handle = OpenDrive(CDRT_ANY, {{"reads", "d8"}});
  ReadBufferBlock buffer(10);
  ASSERT_EQ(ReadTen(handle, buffer), kLayerSuccess);
  ExpectTenFramesRead(buffer);
  ASSERT_EQ(ReadTen(handle, buffer), kLayerSuccess);
  const std::vector<std::string> expected = {
      kReadCdF0,       kReadCdF0,       kReadCdF0,  kReadCd10, kReadCd10,  kReadCd10,
      kBlockSizePages, kBlockSizePages, kRead10,    kRead10,   kRead10,    kBlockSize,
      kRead10,         kRead10,         kRead10,    kPause,    kReadD8,    kReadD8};
  EXPECT_EQ(Cdbs(), expected);
}

TEST_F(ReadsTest, DetectionRejectsADriveThatSendsNoData) {
  const int handle = OpenDrive(CDRT_ANY, {{"reads", "readcd d4"}, {"emptyreads", "readcd"}});
  ReadBufferBlock buffer(10);
  ASSERT_EQ(ReadTen(handle, buffer), kLayerSuccess);
  ExpectTenFramesRead(buffer);
  const auto cdbs = Cdbs();
  ASSERT_GE(cdbs.size(), 2u);
  EXPECT_EQ(cdbs[0], kReadCdF0);
  EXPECT_EQ(cdbs[cdbs.size() - 2], kPause);
  EXPECT_EQ(cdbs.back(), kReadD4);
}

TEST_F(ReadsTest, DetectionThatFindsNothingStartsOverNextTime) {
  const int handle = OpenDrive(CDRT_ANY, {{"reads", "none"}});
  ReadBufferBlock buffer(10);
  EXPECT_EQ(ReadTen(handle, buffer), kLayerFailure);
  const std::size_t firstDetection = Cdbs().size();
  // Three test reads for each of 7 classes, 2 + 1 block-size set-ups, 3 pauses, the D4 block mode.
  EXPECT_EQ(firstDetection, 28u);
  Mark();
  EXPECT_EQ(ReadTen(handle, buffer), kLayerFailure);
  EXPECT_EQ(Cdbs().front(), kReadCdF0);
  EXPECT_EQ(Cdbs().size(), firstDetection);
}

}  // namespace
