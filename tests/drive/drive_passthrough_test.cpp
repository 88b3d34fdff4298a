// The NT pass-through on a fake machine whose CD volumes forward their SCSI requests to the
// simulated drives: the drive table from the volumes, the ASPI answers it gives in place of the
// library, the pass-through requests it makes, and the retry after a media change.
#include <windows.h>
#include <winioctl.h>
#include <ntddscsi.h>

#include <cstring>
#include <string>

#include "AspiClient.h"
#include "AudioReads.h"
#include "ConfigText.h"
#include "DriveCommands.h"
#include "DriveTransport.h"
#include "FakeMachine.h"
#include "PassThrough.h"
#include "ReadBufferBlock.h"
#include "SimDriveTest.h"
#include "TestFiles.h"

namespace {

using namespace drive;
using drivetest::FirstWrongFrame;

const simdrive::AspiClient& Host() {
  static const simdrive::AspiClient client;
  return client;
}

class PassThroughTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Host().Loaded());
    machine_ = &fake::Install();
    const auto send = reinterpret_cast<aspi::SendASPI32CommandFn>(
        reinterpret_cast<void*>(GetProcAddress(Host().Module(), "SendASPI32Command")));
    fake::UseSimulatedHost(send);
    // When the library is asked for, the fake machine hands out the simulated host.
    machine_->sendCommand = send;
    machine_->supportInfo = reinterpret_cast<aspi::GetASPI32SupportInfoFn>(
        reinterpret_cast<void*>(GetProcAddress(Host().Module(), "GetASPI32SupportInfo")));
    simdrive::ConfigText config;
    config.Drive("0:1:0").Key("disc", "d").Key("vendor", "PLEXTOR").Key("product", "CD-R PX-W4824A");
    config.Drive("0:2:0");
    config.Disc("d").Track("audio 5000");
    ASSERT_TRUE(simdrive::UseConfig(simdrive::ScratchPath("passthrough.ini"), config.Text()));
    Host().SupportInfo();
  }
  void TearDown() override {
    for (int handle = 1; handle <= kMaxDriveHandles; ++handle) CloseCDDrive(handle);
    InitCDLayer(0, 0);
    fake::Remove();
  }

  // A CD volume with the SCSI address the system reports for it, forwarding to a simulated drive.
  fake::Volume& AddVolume(char letter, UCHAR port, UCHAR target, int simTarget) {
    fake::Volume& volume = machine_->volumes[letter];
    volume.port = port;
    volume.target = target;
    volume.simTarget = simTarget;
    return volume;
  }
  // D: is the drive with the disc at 0:1:0, E: the empty drive, reported on port 3.
  void StartWithTwoVolumes() {
    machine_->volumes['C'] = fake::Volume{DRIVE_FIXED};
    AddVolume('D', 0, 1, 1);
    AddVolume('E', 3, 0, 2);
    ASSERT_EQ(InitCDLayer(1, 0), 1);
  }
  int OpenD(int readClass = CDRT_ATAPI2) {
    OpenRequest request{12, 1, 0, 1, 0, static_cast<std::uint8_t>(readClass), {}, 0, 0};
    return OpenCDDrive(&request);
  }
  const fake::PassThroughCall& LastCall() { return machine_->passThroughCalls.back(); }

  fake::Machine* machine_ = nullptr;
};

aspi::SRB_ExecSCSICmd InquiryRequest(std::uint8_t* buffer, std::uint32_t length) {
  aspi::SRB_ExecSCSICmd request{};
  request.SRB_Cmd = aspi::SC_EXEC_SCSI_CMD;
  request.SRB_Target = 1;
  request.SRB_Flags = 0x48;
  request.SRB_BufLen = length;
  request.SRB_BufPointer = buffer;
  request.SRB_CDBLen = 6;
  const std::uint8_t cdb[] = {0x12, 0, 0, 0, 100, 0};
  std::memcpy(request.CDBByte, cdb, sizeof cdb);
  return request;
}

TEST_F(PassThroughTest, CDVolumesMakeTheDriveTable) {
  StartWithTwoVolumes();
  EXPECT_EQ(machine_->libraryLoads, 0);
  EXPECT_EQ(machine_->openVolumes, 0);  // the inquiry handles are closed again
  EXPECT_EQ(IsTransportReady(), 1);
  // Ports 0 and 3: two adapters counted, so adapter 3 is never asked.
  EXPECT_EQ(GetHostAdapterCount(), 2);
  DriveList list{};
  EnumerateCDDrives(&list);
  ASSERT_EQ(list.count, 1);
  EXPECT_STREQ(list.drives[0].name, "PLEXTOR , CD-R PX-W4824A   v1.0  (0:1:0)");
  EXPECT_STREQ(list.drives[0].tail, "D:\\");
  EXPECT_EQ(GetDriveLetterIndex(0, 1, 0), 3);
  EXPECT_EQ(GetDriveLetterIndex(3, 0, 0), 4);
  EXPECT_EQ(GetDriveLetterIndex(0, 2, 0), 0);
  EXPECT_EQ(InitPassThrough(), 0);  // built already
}

TEST_F(PassThroughTest, VolumesThatDoNotAnswerAreLeftOut) {
  AddVolume('D', 0, 1, 1).addressFails = true;
  AddVolume('F', 0, 3, 1).inquiryFails = true;
  AddVolume('G', 0, 1, 1);
  ASSERT_EQ(InitCDLayer(1, 0), 1);
  EXPECT_EQ(machine_->libraryLoads, 0);
  EXPECT_EQ(machine_->openVolumes, 0);
  EXPECT_EQ(FindPassThroughDrive(0, 1, 0), 6);  // G:
  EXPECT_EQ(FindPassThroughDrive(0, 3, 0), 0);
}

TEST_F(PassThroughTest, VolumesAreOpenedForReadingAndWritingFromWindows2000) {
  AddVolume('D', 0, 1, 1);
  ASSERT_EQ(InitCDLayer(1, 0), 1);
  ASSERT_EQ(machine_->opens.size(), 1u);
  EXPECT_EQ(machine_->opens[0].second, DWORD(GENERIC_READ | GENERIC_WRITE));
  InitCDLayer(0, 0);

  machine_->opens.clear();
  machine_->volumes['D'].opensReadOnlyOnly = true;
  ASSERT_EQ(InitCDLayer(1, 0), 1);
  ASSERT_EQ(machine_->opens.size(), 1u);
  EXPECT_EQ(machine_->opens[0].second, DWORD(GENERIC_READ));
  InitCDLayer(0, 0);

  machine_->opens.clear();
  machine_->volumes['D'].opensReadOnlyOnly = false;
  machine_->SetWindows(VER_PLATFORM_WIN32_NT, 4, 0);
  ASSERT_EQ(InitCDLayer(1, 0), 1);
  ASSERT_EQ(machine_->opens.size(), 1u);
  EXPECT_EQ(machine_->opens[0].second, DWORD(GENERIC_READ));
}

TEST_F(PassThroughTest, AnswersTheAdapterInquiry) {
  StartWithTwoVolumes();
  aspi::SRB_HAInquiry inquiry{};
  inquiry.SRB_Cmd = aspi::SC_HA_INQUIRY;
  inquiry.SRB_HaId = 1;
  EXPECT_EQ(PassThroughSendCommand(&inquiry), aspi::SS_COMP);
  EXPECT_EQ(inquiry.SRB_Status, aspi::SS_COMP);
  EXPECT_EQ(inquiry.HA_Count, 2);
  EXPECT_EQ(inquiry.HA_SCSI_ID, 7);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(inquiry.HA_ManagerId), 16), "ZUMASPI v0.00000");
  EXPECT_EQ(std::string(reinterpret_cast<char*>(inquiry.HA_Identifier), 16), "SCSI Adapter 1  ");
  const std::uint8_t unique[16] = {0, 0, 0, 8, 0, 0, 1, 0};
  EXPECT_EQ(std::memcmp(inquiry.HA_Unique, unique, 16), 0);
  EXPECT_EQ(PassThroughSupportInfo(), DWORD(0x0102));
  inquiry.SRB_HaId = 2;
  EXPECT_EQ(PassThroughSendCommand(&inquiry), aspi::SS_INVALID_HA);
}

TEST_F(PassThroughTest, AnswersDeviceTypesFromTheTable) {
  StartWithTwoVolumes();
  int type = 0;
  EXPECT_EQ(GetDeviceType(0, 1, 0, &type, nullptr, 0), 1);
  EXPECT_EQ(type, 5);
  char name[32];
  EXPECT_EQ(GetDeviceType(0, 2, 0, &type, name, sizeof name), 0);
  EXPECT_EQ(type, 31);
  EXPECT_STREQ(name, "SS_NO_DEVICE");
}

TEST_F(PassThroughTest, InquiryIsAnsweredFromTheCachedBytes) {
  StartWithTwoVolumes();
  const std::size_t calls = machine_->passThroughCalls.size();
  std::uint8_t answer[100];
  std::memset(answer, 0xEE, sizeof answer);
  aspi::SRB_ExecSCSICmd request = InquiryRequest(answer, sizeof answer);
  EXPECT_EQ(PassThroughSendCommand(&request), aspi::SS_COMP);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(answer + 8), 8), "PLEXTOR ");
  EXPECT_EQ(std::string(reinterpret_cast<char*>(answer + 32), 4), "1.0 ");  // the last cached bytes
  EXPECT_EQ(answer[36], 0xEE);
  EXPECT_EQ(machine_->passThroughCalls.size(), calls);
  // Never more than the request's buffer holds.
  std::uint8_t small[8];
  std::memset(small, 0xEE, sizeof small);
  request = InquiryRequest(small, 5);
  EXPECT_EQ(PassThroughSendCommand(&request), aspi::SS_COMP);
  EXPECT_EQ(small[4], answer[4]);
  EXPECT_EQ(small[5], 0xEE);
}

TEST_F(PassThroughTest, RequestsForUnknownDrivesOrCommandsFail) {
  StartWithTwoVolumes();
  std::uint8_t answer[100];
  aspi::SRB_ExecSCSICmd request = InquiryRequest(answer, sizeof answer);
  request.SRB_Target = 5;
  EXPECT_EQ(PassThroughSendCommand(&request), aspi::SS_ERR);
  aspi::SRB_Header header{};
  header.SRB_Cmd = 7;
  EXPECT_EQ(PassThroughSendCommand(&header), aspi::SS_ERR);
  EXPECT_EQ(header.SRB_Status, aspi::SS_ERR);
  EXPECT_EQ(PassThroughSendCommand(nullptr), aspi::SS_ERR);
}

TEST_F(PassThroughTest, ReadsBecomeDirectPassThroughRequests) {
  StartWithTwoVolumes();
  const int handle = OpenD();
  ASSERT_NE(handle, 0);
  EXPECT_EQ(machine_->openVolumes, 1);  // opened with the drive and kept open
  ReadBufferBlock block(12, 1000);
  block->frameCount = 10;
  ASSERT_EQ(ReadCDAudioLBA(handle, block.get()), kLayerSuccess);
  EXPECT_EQ(FirstWrongFrame(block.data(), 10, 1000), -1);
  const fake::PassThroughCall& read = LastCall();
  EXPECT_EQ(read.letter, 'D');
  EXPECT_EQ(read.length, sizeof(SCSI_PASS_THROUGH_DIRECT));
  EXPECT_EQ(read.cdbLength, 12);
  EXPECT_EQ(read.direction, 1);
  EXPECT_EQ(read.transferLength, 12u * kFrameBytes);
  EXPECT_EQ(read.timeOut, 5u);
  EXPECT_EQ(read.senseOffset, sizeof(SCSI_PASS_THROUGH_DIRECT) + sizeof(ULONG));
  EXPECT_EQ(read.cdb, (std::vector<UCHAR>{0xBE, 0, 0, 0, 0x03, 0xE8, 0, 0, 10, 0xF0, 0, 0}));
  ASSERT_EQ(SetCDSpeed(handle, 1000), kLayerSuccess);
  EXPECT_EQ(LastCall().direction, 0);
  ASSERT_EQ(PauseResumeCD(handle, 1), kLayerSuccess);
  EXPECT_EQ(LastCall().direction, 2);
  EXPECT_EQ(machine_->openVolumes, 1);
  InitCDLayer(0, 0);
  EXPECT_EQ(machine_->openVolumes, 0);
}

TEST_F(PassThroughTest, MediaChangeReopensTheVolumeAndRepeatsOnce) {
  StartWithTwoVolumes();
  const int handle = OpenD();
  const std::size_t opens = machine_->opens.size();
  machine_->volumes['D'].mediaChangedFailures = 1;
  ReadBufferBlock block(10, 2000);
  ASSERT_EQ(ReadCDAudioLBA(handle, block.get()), kLayerSuccess);
  EXPECT_EQ(FirstWrongFrame(block.data(), 10, 2000), -1);
  // The address is read again through a fresh inquiry, then the volume opened anew.
  EXPECT_EQ(machine_->opens.size(), opens + 2);
  EXPECT_EQ(machine_->openVolumes, 1);
  const auto& calls = machine_->passThroughCalls;
  ASSERT_GE(calls.size(), 3u);
  EXPECT_EQ(calls[calls.size() - 3].cdb[0], 0xBE);
  EXPECT_EQ(calls[calls.size() - 2].cdb[0], 0x12);
  EXPECT_EQ(calls[calls.size() - 2].timeOut, 2u);
  EXPECT_EQ(calls[calls.size() - 2].senseLength, 24);
  EXPECT_EQ(calls[calls.size() - 1].cdb[0], 0xBE);

  // Still changed after the address is read again (that inquiry fails too): no second repeat.
  machine_->volumes['D'].mediaChangedFailures = 3;
  const std::size_t before = calls.size();
  EXPECT_EQ(ReadCDAudioLBA(handle, block.get()), kLayerFailure);
  EXPECT_EQ(calls.size(), before + 3);
  EXPECT_EQ(GetCDLayerLastError(), kErrRequestFailed);
  EXPECT_EQ(GetCDLayerLastStatus(), 4);
}

TEST_F(PassThroughTest, StaleHandleIsRepeatedOnce) {
  StartWithTwoVolumes();
  const int handle = OpenD();
  machine_->volumes['D'].invalidHandleFailures = 1;
  ReadBufferBlock block(10, 2000);
  EXPECT_EQ(ReadCDAudioLBA(handle, block.get()), kLayerSuccess);
  machine_->volumes['D'].invalidHandleFailures = 3;
  EXPECT_EQ(ReadCDAudioLBA(handle, block.get()), kLayerFailure);
}

TEST_F(PassThroughTest, CheckConditionIsAFailedCommand) {
  machine_->volumes['E'] = fake::Volume{};
  machine_->volumes['E'].target = 2;
  machine_->volumes['E'].simTarget = 2;  // no disc
  ASSERT_EQ(InitCDLayer(1, 0), 1);
  OpenRequest request{12, 1, 0, 2, 0, CDRT_ATAPI2, {}, 0, 0};
  const int handle = OpenCDDrive(&request);
  ASSERT_NE(handle, 0);
  EXPECT_EQ(TestCDUnitReady(handle), 4);
  TOCRecord toc{};
  EXPECT_EQ(ReadDiscTOC(handle, &toc), kLayerFailure);
  EXPECT_EQ(GetCDLayerLastError(), kErrRequestFailed);
}

TEST_F(PassThroughTest, ForcedLibraryLeavesTheVolumesAlone) {
  AddVolume('D', 0, 1, 1);
  ASSERT_EQ(InitCDLayer(1, 1), 1);
  EXPECT_EQ(machine_->libraryLoads, 1);
  EXPECT_TRUE(machine_->opens.empty());
  InitCDLayer(0, 1);
}

}  // namespace
