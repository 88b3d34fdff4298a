// The ASPI entry points of the simulated host: support info, adapter inquiry, device types,
// request checking, configuration errors and the command log.
#include <windows.h>

#include <algorithm>
#include <cstring>

#include "SimHostTest.h"
#include "TextFiles.h"

namespace simdrive {
namespace {

class HostTest : public SimHostTest {};

ConfigText TwoAdapters() {
  ConfigText config;
  config.Drive("0:1:0").Drive("1:3:2").Key("type", "0").Adapter(1).Key("targets", "4");
  return config;
}

TEST_F(HostTest, SupportInfoCountsAdaptersUpToTheLastDrive) {
  EXPECT_EQ(Use(TwoAdapters()), 0x0102u);
  ConfigText config;
  config.Key("adapters", "3").Drive("0:0:0");
  EXPECT_EQ(Use(config), 0x0103u);
}

TEST_F(HostTest, NoDrivesMeansNoAdapters) {
  EXPECT_EQ(Use(ConfigText().Line("# nothing here")), 0xE800u);
}

TEST_F(HostTest, AdapterInquiryReportsCountTargetsAndBadAdapters) {
  Use(TwoAdapters());
  aspi::SRB_HAInquiry inquiry{};
  EXPECT_EQ(Aspi().AdapterInquiry(0, inquiry), aspi::SS_COMP);
  EXPECT_EQ(inquiry.HA_Count, 2);
  EXPECT_EQ(inquiry.HA_Unique[3], 8);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(inquiry.HA_ManagerId), 14), "TALVO SIMDRIVE");
  EXPECT_EQ(Aspi().AdapterInquiry(1, inquiry), aspi::SS_COMP);
  EXPECT_EQ(inquiry.HA_Unique[3], 4);
  EXPECT_EQ(Aspi().AdapterInquiry(2, inquiry), aspi::SS_INVALID_HA);
  EXPECT_EQ(inquiry.HA_Count, 2);
}

TEST_F(HostTest, AdapterInquiryCanFail) {
  ConfigText config;
  config.Adapter(0).Key("inquiry", "fail").Drive("0:0:0");
  Use(config);
  aspi::SRB_HAInquiry inquiry{};
  EXPECT_EQ(Aspi().AdapterInquiry(0, inquiry), aspi::SS_ERR);
}

TEST_F(HostTest, DeviceTypeOfDrivesEmptyAddressesAndBadAdapters) {
  Use(TwoAdapters());
  std::uint8_t type = 0;
  EXPECT_EQ(Aspi().DeviceType(0, 1, 0, type), aspi::SS_COMP);
  EXPECT_EQ(type, 5);
  EXPECT_EQ(Aspi().DeviceType(1, 3, 2, type), aspi::SS_COMP);
  EXPECT_EQ(type, 0);
  EXPECT_EQ(Aspi().DeviceType(0, 1, 1, type), aspi::SS_NO_DEVICE);
  EXPECT_EQ(type, 31);
  EXPECT_EQ(Aspi().DeviceType(5, 0, 0, type), aspi::SS_INVALID_HA);
}

TEST_F(HostTest, NineDrivesOnTwoAdaptersAreAllThere) {
  ConfigText config;
  for (int target = 0; target < 6; ++target) config.Drive("0:" + std::to_string(target) + ":0");
  for (int lun = 0; lun < 3; ++lun) config.Drive("1:2:" + std::to_string(lun));
  EXPECT_EQ(Use(config), 0x0102u);
  int found = 0;
  for (int adapter = 0; adapter < 2; ++adapter) {
    for (int target = 0; target < 8; ++target) {
      for (int lun = 0; lun < 8; ++lun) {
        std::uint8_t type = 0;
        if (Aspi().DeviceType(adapter, target, lun, type) == aspi::SS_COMP && type == 5) ++found;
      }
    }
  }
  EXPECT_EQ(found, 9);
}

class RequestCheckTest : public SimHostTest {
 protected:
  void SetUp() override {
    SimHostTest::SetUp();
    ConfigText config;
    config.Drive("0:1:0").Key("disc", "d").Disc("d").Track("audio 1000");
    Use(config);
  }
};

TEST_F(RequestCheckTest, NullRequestIsRefused) {
  EXPECT_EQ(Aspi().Send(nullptr), aspi::SS_INVALID_SRB);
}

TEST_F(RequestCheckTest, AddressesWithoutDrivesFail) {
  EXPECT_EQ(Exec({0, 0, 0, 0, 0, 0}, kDataIn, nullptr, 0, "0:2:0").request.SRB_Status, aspi::SS_NO_DEVICE);
  EXPECT_EQ(Exec({0, 0, 0, 0, 0, 0}, kDataIn, nullptr, 0, "0:1:7").request.SRB_Status, aspi::SS_NO_DEVICE);
  EXPECT_EQ(Exec({0, 0, 0, 0, 0, 0}, kDataIn, nullptr, 0, "9:1:0").request.SRB_Status, aspi::SS_INVALID_HA);
}

TEST_F(RequestCheckTest, CdbLengthOutside6To16IsRefused) {
  EXPECT_EQ(Exec({0, 0, 0, 0, 0}).request.SRB_Status, aspi::SS_INVALID_SRB);
  EXPECT_EQ(Exec(std::vector<std::uint8_t>(16, 0)).request.SRB_Status, aspi::SS_COMP);
  aspi::SRB_ExecSCSICmd request{};
  request.SRB_Cmd = aspi::SC_EXEC_SCSI_CMD;
  request.SRB_Target = 1;
  request.SRB_CDBLen = 17;
  EXPECT_EQ(Aspi().Send(&request), aspi::SS_INVALID_SRB);
}

TEST_F(RequestCheckTest, TransferLongerThanTheBufferWritesNothing) {
  std::vector<std::uint8_t> data(4 * 2352, 0x5A);
  // Four frames asked into a buffer described as three frames long.
  const auto read = Exec(ReadCdCdb(0, 4), kDataIn, data.data(), 3 * 2352);
  EXPECT_EQ(read.request.SRB_Status, aspi::SS_ERR);
  EXPECT_EQ(read.request.SRB_HaStat, aspi::HASTAT_DO_DU);
  EXPECT_TRUE(std::all_of(data.begin(), data.end(), [](std::uint8_t b) { return b == 0x5A; }));
  // An INQUIRY allocation length beyond the buffer.
  const auto inquiry = Exec({0x12, 0, 0, 0, 100, 0}, kDataIn, data.data(), 36);
  EXPECT_EQ(inquiry.request.SRB_Status, aspi::SS_ERR);
  EXPECT_EQ(data[0], 0x5A);
}

TEST_F(RequestCheckTest, NullBufferCarriesNoData) {
  EXPECT_EQ(Exec(ReadCdCdb(0, 1), kDataIn, nullptr, 2352).request.SRB_Status, aspi::SS_ERR);
  EXPECT_EQ(Exec({0x43, 0, 0, 0, 0, 0, 0, 0x03, 0x24, 0}, kDataIn, nullptr, 804).request.SRB_Status, aspi::SS_ERR);
  EXPECT_EQ(Exec({0x1E, 0, 0, 0, 1, 0}, kDataOut).request.SRB_Status, aspi::SS_COMP);
}

TEST_F(RequestCheckTest, UnknownRequestCommandIsRefused) {
  aspi::SRB_Header request{};
  request.SRB_Cmd = 0x07;
  EXPECT_EQ(Aspi().Send(&request), aspi::SS_INVALID_CMD);
}

// Runs `action` with the standard error stream going to a file, and returns what was written.
template <typename Action>
std::string CaptureStandardError(Action action) {
  const std::string path = ScratchPath("stderr.txt");
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr);
  const HANDLE saved = GetStdHandle(STD_ERROR_HANDLE);
  SetStdHandle(STD_ERROR_HANDLE, file);
  action();
  SetStdHandle(STD_ERROR_HANDLE, saved);
  CloseHandle(file);
  return ReadTextFile(path).value_or("");
}

TEST_F(HostTest, MalformedConfigurationNamesFileAndLineAndOffersNoAdapters) {
  ConfigText config;
  config.Drive("0:1:0").Key("disc", "d").Key("reads", "readcd sideways").Disc("d").Track("audio 100");
  DWORD info = 0;
  const std::string error = CaptureStandardError([&] { info = Use(config); });
  EXPECT_EQ(info, 0xE800u);
  EXPECT_NE(error.find(ScratchPath("config.ini") + " line 3: reads lists read commands"), std::string::npos) << error;
  aspi::SRB_HAInquiry inquiry{};
  EXPECT_EQ(Aspi().AdapterInquiry(0, inquiry), aspi::SS_INVALID_HA);
  EXPECT_EQ(Exec({0, 0, 0, 0, 0, 0}).request.SRB_Status, aspi::SS_INVALID_HA);
}

TEST_F(HostTest, ConfigurationErrorsAreFoundWhereTheyAre) {
  const struct {
    const char* text;
    const char* message;
  } cases[] = {
      {"[drive 0:1]\n", "line 1: a drive section"},
      {"[drive 0:1:0]\ndisc = missing\n", "there is no [disc missing]"},
      {"[disc d]\ntrack = audio\n", "line 2: a track needs a length"},
      {"[disc d]\ntrack = audio 1:5\n", "line 2: unknown track word"},
      {"[disc d]\ntrack = audio 100 session=2\n", "line 2: the first track is in session 1"},
      {"[disc d]\ntrack = audio 10\ntrack = audio 10 session=3\n", "line 3: sessions follow each other"},
      {"[drive 0:1:0]\njitter = 2, x\n", "line 2: jitter lists"},
      {"[drive 0:1:0]\nunreadable = 20-10\n", "line 2: unreadable is"},
      {"adapters = 1\n[drive 1:0:0]\n", "beyond adapters = 1"},
      {"[disc d]\ntrack = audio file=nothing-here.wav\n", "line 2: cannot open"},
      {"[drive 0:1:0]\nspeed\n", "line 2: expected \"key = value\""},
  };
  for (const auto& c : cases) {
    DWORD info = 0;
    const std::string error = CaptureStandardError([&] { info = Use(ConfigText().Line(c.text)); });
    EXPECT_EQ(info, 0xE800u) << c.text;
    EXPECT_NE(error.find(c.message), std::string::npos) << c.text << " gave: " << error;
  }
}

TEST_F(HostTest, CommandLogRecordsEveryRequestWithItsExactBytes) {
  const std::string log = ScratchPath("commands.log");
  DeleteFileA(log.c_str());
  ConfigText config;
  config.Key("log", log).Drive("0:1:0").Key("disc", "d").Disc("d").Track("audio 100");
  Use(config);
  aspi::SRB_HAInquiry inquiry{};
  Aspi().AdapterInquiry(0, inquiry);
  std::uint8_t type = 0;
  Aspi().DeviceType(0, 1, 0, type);
  std::vector<std::uint8_t> toc(804);
  Exec({0x43, 0x02, 0, 0, 0, 0, 0, 0x03, 0x24, 0}, kDataIn, toc.data(), 804);
  std::vector<std::uint8_t> data;
  ReadCd(200, 2, data);
  const std::vector<std::string> lines = ReadLogLines(log);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], "hainquiry 0 status=01");
  EXPECT_EQ(lines[1], "devtype 0:1:0 status=01 type=05");
  EXPECT_EQ(lines[2], "exec 0:1:0 #1 flags=48 len=804 cdb=43 02 00 00 00 00 00 03 24 00 status=01 moved=20");
  EXPECT_EQ(lines[3],
            "exec 0:1:0 #2 flags=48 len=4704 cdb=BE 00 00 00 00 C8 00 00 02 F0 00 00 status=04 sense=05/21/00 moved=0");
}

// A program started elsewhere (as cscript or the application will be) finds the build's library
// rather than the system's placeholder.
TEST_F(HostTest, ProgramsOutsideTheBuildFolderFindTheLibrary) {
  ConfigText config;
  config.Drive("0:4:0").Key("product", "ELSEWHERE").Key("disc", "d").Disc("d").Track("audio 100");
  Use(config);
  char self[MAX_PATH];
  const std::string bin = FolderOf(std::string(self, GetModuleFileNameA(nullptr, self, MAX_PATH)));
  const std::string program = ScratchPath("SimDriveShow.exe");
  ASSERT_TRUE(CopyFileA((bin + "SimDriveShow.exe").c_str(), program.c_str(), FALSE));
  const std::string output = ScratchPath("show.txt");
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  const HANDLE file = CreateFileA(output.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = file;
  startup.hStdError = file;
  PROCESS_INFORMATION process{};
  std::string command = "\"" + program + "\"";
  const std::string folder = FolderOf(program);
  ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, folder.c_str(), &startup,
                             &process));
  WaitForSingleObject(process.hProcess, 20000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  CloseHandle(file);
  const std::string shown = ReadTextFile(output).value_or("");
  EXPECT_NE(shown.find("0:4:0 type 5: TALVO, ELSEWHERE v1.0"), std::string::npos) << shown;
  DeleteFileA(program.c_str());
}

TEST_F(HostTest, BufferEntryPointsAllocateZeroedMemory) {
  auto get = reinterpret_cast<aspi::GetASPI32BufferFn>(
      reinterpret_cast<void*>(GetProcAddress(Aspi().Module(), "GetASPI32Buffer")));
  auto free = reinterpret_cast<aspi::FreeASPI32BufferFn>(
      reinterpret_cast<void*>(GetProcAddress(Aspi().Module(), "FreeASPI32Buffer")));
  ASSERT_NE(get, nullptr);
  ASSERT_NE(free, nullptr);
  aspi::ASPI32BUFF buffer{};
  buffer.AB_BufLen = 65536;
  buffer.AB_ZeroFill = 1;
  ASSERT_TRUE(get(&buffer));
  EXPECT_TRUE(std::all_of(buffer.AB_BufPointer, buffer.AB_BufPointer + 65536, [](std::uint8_t b) { return b == 0; }));
  EXPECT_TRUE(free(&buffer));
  EXPECT_EQ(buffer.AB_BufPointer, nullptr);
  EXPECT_FALSE(get(nullptr));
}

}  // namespace
}  // namespace simdrive
