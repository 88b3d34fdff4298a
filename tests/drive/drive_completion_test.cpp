// Requests the simulated host completes later: the layer waits on the request's event, gives up
// after 4000 ms judging the status it sees, and the host's late answer never reaches the
// caller's memory. Also the log lines of a traced read.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "AudioReads.h"
#include "DriveCommands.h"
#include "DriveTransport.h"
#include "LayerLogFile.h"
#include "ReadBufferBlock.h"
#include "SimDriveTest.h"

namespace {

using namespace drive;
using drivetest::FirstWrongFrame;
using drivetest::SimDriveTest;

class CompletionTest : public SimDriveTest {
 protected:
  int OpenDrive(const char* completion, const char* delay) {
    auto config = Config();
    config.Drive("0:1:0").Key("disc", "d").Key("completion", completion).Key("delay", delay);
    config.Disc("d").Track("audio 5000");
    Start(config);
    const int handle = Open(0, 1, 0, CDRT_ATAPI2);
    EXPECT_NE(handle, 0);
    return handle;
  }
};

TEST_F(CompletionTest, PendingRequestsAreWaitedFor) {
  const int handle = OpenDrive("pending", "20");
  ReadBufferBlock block(10, 700);
  ASSERT_EQ(ReadCDAudioLBA(handle, block.get()), kLayerSuccess);
  EXPECT_EQ(FirstWrongFrame(block.data(), 10, 700), -1);
  TOCRecord toc{};
  ASSERT_EQ(ReadDiscTOC(handle, &toc), kLayerSuccess);
  EXPECT_EQ(toc.lastTrack, 1);
}

TEST_F(CompletionTest, LateAnswerNeverReachesTheCallersMemory) {
  const int handle = OpenDrive("pending", "4400");
  auto toc = std::make_unique<TOCRecord>();
  std::memset(toc.get(), 0x5A, sizeof(TOCRecord));
  const ULONGLONG started = GetTickCount64();
  EXPECT_EQ(ReadDiscTOC(handle, toc.get()), kLayerFailure);
  const ULONGLONG waited = GetTickCount64() - started;
  EXPECT_GE(waited, 3900u);
  EXPECT_LT(waited, 4400u);
  EXPECT_EQ(GetCDLayerLastError(), kErrRequestFailed);
  EXPECT_EQ(GetCDLayerLastStatus(), 0);  // still pending when judged
  // The host answers 400 ms later, into the layer's own copy of the request.
  Sleep(800);
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(toc.get());
  EXPECT_TRUE(std::all_of(bytes, bytes + sizeof(TOCRecord), [](std::uint8_t b) { return b == 0x5A; }));
  toc.reset();
  // The layer goes on working, and lets go of the finished request on its next one.
  EXPECT_EQ(CloseCDDrive(handle), 1);
}

class TracedReadTest : public CompletionTest {
 protected:
  drivetest::LayerLogFile log_;
};

TEST_F(TracedReadTest, ReadCdLogsItsSteps) {
  const int handle = OpenDrive("pending", "5");
  SetCDLayerLog(log_.Handle());
  ReadBufferBlock block(2, 700);
  ASSERT_EQ(ReadCDAudioLBA(handle, block.get()), kLayerSuccess);
  EXPECT_EQ(log_.Contents(),
            "ReadCDAudioLBA\r\nCheck Handles\r\nSuccess\r\n"
            "ReadCDAudioLBA_ATAPI. Check Pointer...\r\nSuccess\r\n"
            "SendASPI32Command\r\nWait for single object\r\nCheck returned state\r\n");
}

TEST_F(TracedReadTest, DetectionLogsItsTestReads) {
  const int handle = OpenDrive("sync", "0");
  CloseCDDrive(handle);
  const int detecting = Open(0, 1, 0, CDRT_ANY);
  SetCDLayerLog(log_.Handle());
  ReadBufferBlock block(2, 700);
  ASSERT_EQ(ReadCDAudioLBA(detecting, block.get()), kLayerSuccess);
  EXPECT_EQ(log_.Contents(),
            "ReadCDAudioLBA\r\nCheck Handles\r\nSuccess\r\nReadCDAudioLBA_ANY\r\nTest read CD Audio\r\n"
            "ReadCDAudioLBA_ATAPI. Check Pointer...\r\nSuccess\r\n"
            "SendASPI32Command\r\nCheck returned state\r\n");
}

TEST_F(TracedReadTest, HandleOutsideTheTableIsNotChecked) {
  SetCDLayerLog(log_.Handle());
  ReadBufferBlock block(2, 700);
  EXPECT_EQ(ReadCDAudioLBA(40, block.get()), kLayerFailure);
  EXPECT_EQ(ReadCDAudioLBA(3, block.get()), kLayerFailure);
  EXPECT_EQ(log_.Contents(), "ReadCDAudioLBA\r\nReadCDAudioLBA\r\nCheck Handles\r\n");
}

}  // namespace
