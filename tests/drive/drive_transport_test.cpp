// The drive transport on fake machines: the Windows version classes, which transport a start
// chooses (pass-through, the ASPI library, or the substitutes of a missing library), stop,
// the support-info and device-type answers, and the layer's log.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "DriveTransport.h"
#include "FakeMachine.h"
#include "LayerLogFile.h"

namespace {

using namespace drive;

// The fake ASPI library: two adapters, a CD-ROM at 0:1:0, a scanner at 0:2:0.
DWORD __cdecl LibrarySupportInfo() { return aspi::SS_COMP << 8 | 2; }

DWORD __cdecl LibrarySendCommand(void* request) {
  auto* header = static_cast<aspi::SRB_Header*>(request);
  header->SRB_Status = aspi::SS_ERR;
  if (header->SRB_Cmd == aspi::SC_GET_DEV_TYPE) {
    auto* device = static_cast<aspi::SRB_GDEVBlock*>(request);
    header->SRB_Status = aspi::SS_NO_DEVICE;
    if (device->SRB_HaId == 0 && device->SRB_Lun == 0 && (device->SRB_Target == 1 || device->SRB_Target == 2)) {
      device->SRB_DeviceType = device->SRB_Target == 1 ? 5 : 6;
      header->SRB_Status = aspi::SS_COMP;
    } else if (device->SRB_HaId == 0 && device->SRB_Target == 7) {
      header->SRB_Status = aspi::SS_INVALID_HA;
    }
  }
  return header->SRB_Status;
}

class TransportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    machine_ = &fake::Install();
    machine_->supportInfo = LibrarySupportInfo;
    machine_->sendCommand = LibrarySendCommand;
  }
  void TearDown() override {
    InitCDLayer(0, 0);
    InitCDLayer(0, 1);
    fake::Remove();
  }
  fake::Machine* machine_ = nullptr;
};

struct VersionRow {
  DWORD platform, major, minor;
  const char* servicePack;
  int expected;
};

class OSClassTest : public TransportTest, public ::testing::WithParamInterface<VersionRow> {};

TEST_P(OSClassTest, ClassOfVersion) {
  const VersionRow& row = GetParam();
  machine_->SetWindows(row.platform, row.major, row.minor, row.servicePack);
  EXPECT_EQ(GetOSClass(), row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    VersionTable, OSClassTest,
    ::testing::Values(VersionRow{1, 4, 0, " C", kOSWindows95}, VersionRow{1, 4, 0, "", kOSOther},
                      VersionRow{1, 4, 0, " B", kOSOther}, VersionRow{1, 4, 10, " A", kOSWindows98},
                      VersionRow{1, 4, 10, "", kOSOther}, VersionRow{1, 4, 10, " C", kOSOther},
                      VersionRow{1, 4, 90, "", kOSWindowsME}, VersionRow{1, 4, 90, " A", kOSWindowsME},
                      VersionRow{2, 3, 51, "", kOSWindowsNT4}, VersionRow{2, 4, 0, "Service Pack 6", kOSWindowsNT4},
                      VersionRow{2, 5, 0, "", kOSWindows2000}, VersionRow{2, 5, 1, "Service Pack 2", kOSWindowsXP},
                      VersionRow{2, 5, 2, "", kOSOther}, VersionRow{2, 6, 1, "", kOSOther},
                      VersionRow{2, 10, 0, "", kOSOther}, VersionRow{0, 3, 10, "", kOSOther},
                      VersionRow{3, 5, 1, "", kOSOther}));

TEST_F(TransportTest, VersionQueryFallsBackToThePlainRecord) {
  machine_->SetWindows(VER_PLATFORM_WIN32_NT, 4, 0);
  machine_->extendedVersionFails = true;
  EXPECT_EQ(GetOSClass(), kOSWindowsNT4);
  EXPECT_EQ(machine_->versionQuerySizes, (std::vector<DWORD>{156, 148}));
}

TEST_F(TransportTest, FailedVersionQueryGivesClassZero) {
  machine_->SetWindows(VER_PLATFORM_WIN32_NT, 5, 0);
  machine_->extendedVersionFails = true;
  machine_->plainVersionFails = true;
  EXPECT_EQ(GetOSClass(), kOSOther);
}

TEST_F(TransportTest, StartAndStopHappenOnceEach) {
  machine_->SetWindows(VER_PLATFORM_WIN32_NT, 6, 1);
  EXPECT_EQ(InitCDLayer(0, 0), 0);
  EXPECT_EQ(InitCDLayer(1, 0), 1);
  EXPECT_EQ(InitCDLayer(1, 0), 0);
  EXPECT_EQ(machine_->libraryLoads, 1);
  for (int mode : {2, 3, -1, 7}) EXPECT_EQ(InitCDLayer(mode, 0), 0);
  EXPECT_EQ(InitCDLayer(0, 0), 1);
  EXPECT_EQ(machine_->libraryFrees, 1);
  EXPECT_EQ(InitCDLayer(0, 0), 0);
}

TEST_F(TransportTest, LibraryServesTheLayerOnClassZero) {
  machine_->SetWindows(VER_PLATFORM_WIN32_NT, 6, 1);
  ASSERT_EQ(InitCDLayer(1, 0), 1);
  EXPECT_EQ(machine_->driveTypeQueries, 0);
  EXPECT_EQ(GetHostAdapterCount(), 2);
  int type = -1;
  char name[64] = {};
  EXPECT_EQ(GetDeviceType(0, 1, 0, &type, name, sizeof name), 1);
  EXPECT_EQ(type, 5);
  EXPECT_STREQ(name, "CD-ROM device");
}

TEST_F(TransportTest, MissingLibraryLeavesSubstitutesThatAnswerNoAspi) {
  machine_->SetWindows(VER_PLATFORM_WIN32_NT, 6, 1);
  machine_->libraryPresent = false;
  EXPECT_EQ(InitCDLayer(1, 0), 0);
  EXPECT_EQ(GetCDLayerLastError(), kErrNoAspiLibrary);
  EXPECT_EQ(IsTransportReady(), 0);
  // The substitute's 0xE3 carries no status in bits 8-15.
  EXPECT_EQ(GetHostAdapterCount(), -1);
  EXPECT_EQ(GetCDLayerLastError(), kErrRequestFailed);
  EXPECT_EQ(GetCDLayerLastStatus(), 0);
  int type = -1;
  char name[64] = {};
  EXPECT_EQ(GetDeviceType(0, 1, 0, &type, name, sizeof name), 0);
  EXPECT_EQ(type, 31);
  EXPECT_STREQ(name, "Unknown return");
  // Still not started: a stop has nothing to do.
  EXPECT_EQ(InitCDLayer(0, 0), 0);
}

TEST_F(TransportTest, LibraryWithoutSupportInfoFailsWithMinusTwo) {
  machine_->SetWindows(VER_PLATFORM_WIN32_NT, 6, 1);
  machine_->missingEntryPoints = {"GetASPI32SupportInfo"};
  EXPECT_EQ(InitCDLayer(1, 0), 0);
  EXPECT_EQ(GetCDLayerLastError(), kErrNoSupportInfo);
  EXPECT_EQ(machine_->libraryFrees, 0);
}

TEST_F(TransportTest, LibraryWithoutSendCommandFailsWithMinusThree) {
  machine_->SetWindows(VER_PLATFORM_WIN32_NT, 6, 1);
  machine_->missingEntryPoints = {"SendASPI32Command"};
  EXPECT_EQ(InitCDLayer(1, 0), 0);
  EXPECT_EQ(GetCDLayerLastError(), kErrNoSendCommand);
  // No send entry point: requests are answered as the substitute answers them, not sent.
  int type = -1;
  EXPECT_EQ(GetDeviceType(0, 1, 0, &type, nullptr, 0), 0);
  EXPECT_EQ(type, 31);
  // The next start lets go of the library the failed one kept.
  machine_->missingEntryPoints.clear();
  const int freed = machine_->libraryFrees;
  EXPECT_EQ(InitCDLayer(1, 0), 1);
  EXPECT_EQ(machine_->libraryFrees, freed + 1);
}

TEST_F(TransportTest, ForcedASPIOnXPNeverBuildsThePassThroughTable) {
  machine_->SetWindows(VER_PLATFORM_WIN32_NT, 5, 1);
  machine_->volumes['E'] = fake::Volume{};
  ASSERT_EQ(InitCDLayer(1, 1), 1);
  EXPECT_EQ(machine_->driveTypeQueries, 0);
  EXPECT_EQ(machine_->libraryLoads, 1);
  EXPECT_EQ(GetHostAdapterCount(), 2);
}

TEST_F(TransportTest, NTWithoutCDVolumeTriesTheLibrary) {
  machine_->SetWindows(VER_PLATFORM_WIN32_NT, 5, 0);
  machine_->volumes['C'] = fake::Volume{DRIVE_FIXED};
  ASSERT_EQ(InitCDLayer(1, 0), 1);
  EXPECT_EQ(machine_->driveTypeQueries, 24);  // C to Z
  EXPECT_EQ(machine_->libraryLoads, 1);
  EXPECT_EQ(GetHostAdapterCount(), 2);
}

TEST_F(TransportTest, NTWhoseOnlyCDVolumeCannotBeOpenedTriesTheLibrary) {
  machine_->SetWindows(VER_PLATFORM_WIN32_NT, 5, 1);
  fake::Volume locked;
  locked.opens = false;
  machine_->volumes['D'] = locked;
  ASSERT_EQ(InitCDLayer(1, 0), 1);
  EXPECT_EQ(machine_->libraryLoads, 1);
}

TEST_F(TransportTest, ReadinessFollowsTheFlagOutsideTheNTFamily) {
  machine_->SetWindows(VER_PLATFORM_WIN32_WINDOWS, 4, 10, "");  // 98 without the 'A'
  EXPECT_EQ(IsTransportReady(), 0);
  ASSERT_EQ(InitCDLayer(1, 0), 1);
  EXPECT_EQ(machine_->driveTypeQueries, 0);
  EXPECT_EQ(IsTransportReady(), 1);
  ASSERT_EQ(InitCDLayer(0, 0), 1);
  EXPECT_EQ(IsTransportReady(), 0);
}

TEST_F(TransportTest, NTFamilyIsAlwaysReady) {
  machine_->SetWindows(VER_PLATFORM_WIN32_NT, 5, 0);
  EXPECT_EQ(IsTransportReady(), 1);
}

TEST_F(TransportTest, StoppedLayerAnswersWithoutCallingTheFreedLibrary) {
  machine_->SetWindows(VER_PLATFORM_WIN32_NT, 6, 1);
  ASSERT_EQ(InitCDLayer(1, 0), 1);
  ASSERT_EQ(InitCDLayer(0, 0), 1);
  EXPECT_EQ(GetHostAdapterCount(), -1);
  int type = -1;
  EXPECT_EQ(GetDeviceType(0, 1, 0, &type, nullptr, 0), 0);
}

TEST_F(TransportTest, DeviceTypeAnswers) {
  machine_->SetWindows(VER_PLATFORM_WIN32_NT, 6, 1);
  ASSERT_EQ(InitCDLayer(1, 0), 1);
  int type = -1;
  char name[64] = {};
  EXPECT_EQ(GetDeviceType(0, 2, 0, &type, name, sizeof name), 1);
  EXPECT_EQ(type, 6);
  EXPECT_STREQ(name, "Scanner device");
  EXPECT_EQ(GetDeviceType(0, 3, 0, &type, name, sizeof name), 0);
  EXPECT_EQ(type, 31);
  EXPECT_STREQ(name, "SS_NO_DEVICE");
  EXPECT_EQ(GetDeviceType(0, 7, 0, &type, name, sizeof name), 0);
  EXPECT_STREQ(name, "Unknown return");
  char shortName[4] = {'x', 'x', 'x', 'x'};
  EXPECT_EQ(GetDeviceType(0, 1, 0, nullptr, shortName, sizeof shortName), 1);
  EXPECT_STREQ(shortName, "CD-");
}

TEST(DeviceTypeName, Table) {
  const char* names[] = {"Direct-access device", "Sequential-access device", "Printer device",
                         "Processor device", "Write-once device", "CD-ROM device", "Scanner device",
                         "Optical memory device", "Medium changer device", "Communication device",
                         "ASC IT8 device", "ASC IT8 device"};
  for (int type = 0; type < 12; ++type) EXPECT_STREQ(GetDeviceTypeName(type), names[type]);
  EXPECT_STREQ(GetDeviceTypeName(31), "Unknown or no device");
  for (int type : {12, 30, 32, -1, 255}) EXPECT_STREQ(GetDeviceTypeName(type), "");
}

class LayerLogTest : public TransportTest {
 protected:
  drivetest::LayerLogFile log_;
};

TEST_F(LayerLogTest, NoLogFileWritesNothing) {
  SetCDLayerLog(nullptr);
  EXPECT_EQ(WriteCDLayerLog("lost"), 0);
}

TEST_F(LayerLogTest, LinesEndInCRLFAndReachTheFileAtOnce) {
  SetCDLayerLog(log_.Handle());
  EXPECT_NE(WriteCDLayerLog("Test read CD Audio"), 0);
  EXPECT_NE(WriteCDLayerLog(""), 0);
  EXPECT_EQ(log_.Contents(), "Test read CD Audio\r\n\r\n");
}

TEST_F(LayerLogTest, EveryStartOrStopAttemptIsLogged) {
  SetCDLayerLog(log_.Handle());
  InitCDLayer(1, 0);
  InitCDLayer(5, 0);
  EXPECT_EQ(log_.Contents(), "Extended Log Start\r\nExtended Log Start\r\n");
}

}  // namespace
