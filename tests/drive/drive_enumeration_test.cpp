// Listing the CD drives of the simulated host: the scan over adapters, targets and LUNs, the
// eight-drive limit, and each drive's identity and display name from its INQUIRY.
#include <cstring>
#include <string>

#include "DriveCommands.h"
#include "DriveTransport.h"
#include "SimDriveTest.h"

namespace {

using namespace drive;
using drivetest::SimDriveTest;

class EnumerationTest : public SimDriveTest {
 protected:
  DriveList List() {
    DriveList list;
    std::memset(&list, 0x5A, sizeof list);
    list.capacity = 8;
    EXPECT_EQ(EnumerateCDDrives(&list), 1);
    return list;
  }
  static std::string AddressOf(const DriveListEntry& entry) {
    return std::to_string(entry.hostAdapter) + ":" + std::to_string(entry.target) + ":" + std::to_string(entry.lun);
  }
};

TEST_F(EnumerationTest, NamesAndIdentityComeFromTheInquiry) {
  auto config = Config();
  config.Drive("0:1:0").Key("vendor", "HP").Key("product", "CD-Writer+ 8100").Key("revision", "1.0g");
  config.Drive("0:3:2").Key("vendor", "TALVOSIMULATED").Key("product", "A PRODUCT NAME TOO LONG");
  Start(config);
  const DriveList list = List();
  ASSERT_EQ(list.count, 2);
  EXPECT_EQ(list.capacity, 8);
  EXPECT_STREQ(list.drives[0].name, "HP      , CD-Writer+ 8100  v1.0g (0:1:0)");
  EXPECT_STREQ(list.drives[0].vendor, "HP      ");
  EXPECT_STREQ(list.drives[0].product, "CD-Writer+ 8100 ");
  EXPECT_STREQ(list.drives[0].revision, "1.0g");
  EXPECT_STREQ(list.drives[0].tail, "");  // the simulated drives' vendor bytes are zero
  EXPECT_STREQ(list.drives[1].name, "TALVOSIM, A PRODUCT NAME T v1.0  (0:3:2)");
  EXPECT_EQ(AddressOf(list.drives[1]), "0:3:2");
  for (const auto& command : Commands()) {
    EXPECT_EQ(command.cdb, "12 00 00 00 64 00");
    EXPECT_EQ(command.flags, "48");
    EXPECT_EQ(command.length, 100u);
  }
  EXPECT_EQ(Commands().size(), 2u);
}

TEST_F(EnumerationTest, NineDrivesListEightInScanOrder) {
  auto config = Config();
  for (const char* address : {"0:0:0", "0:0:1", "0:2:0", "0:2:7", "0:4:0", "0:5:0", "1:0:0", "1:1:0", "1:7:7"})
    config.Drive(address);
  Start(config);
  const DriveList list = List();
  ASSERT_EQ(list.count, 8);
  EXPECT_EQ(AddressOf(list.drives[0]), "0:0:0");
  EXPECT_EQ(AddressOf(list.drives[1]), "0:0:1");
  EXPECT_EQ(AddressOf(list.drives[3]), "0:2:7");
  EXPECT_EQ(AddressOf(list.drives[7]), "1:1:0");
}

TEST_F(EnumerationTest, AdapterReportingNoTargetsIsScannedForEight) {
  auto config = Config();
  config.Adapter(0).Key("targets", "2");
  config.Adapter(1).Key("targets", "0");
  config.Drive("0:1:0").Drive("0:2:0").Drive("1:7:0");
  Start(config);
  const DriveList list = List();
  ASSERT_EQ(list.count, 2);
  EXPECT_EQ(AddressOf(list.drives[0]), "0:1:0");  // 0:2:0 lies beyond the two targets
  EXPECT_EQ(AddressOf(list.drives[1]), "1:7:0");
}

TEST_F(EnumerationTest, AdapterWhoseInquiryFailsIsSkipped) {
  auto config = Config();
  config.Adapter(0).Key("inquiry", "fail");
  config.Drive("0:1:0").Drive("1:1:0");
  Start(config);
  const DriveList list = List();
  ASSERT_EQ(list.count, 1);
  EXPECT_EQ(AddressOf(list.drives[0]), "1:1:0");
}

TEST_F(EnumerationTest, OnlyCDROMDevicesAreListed) {
  auto config = Config();
  config.Drive("0:0:0").Key("type", "0");
  config.Drive("0:1:0");
  config.Drive("0:2:0").Key("type", "1");
  Start(config);
  const DriveList list = List();
  ASSERT_EQ(list.count, 1);
  EXPECT_EQ(AddressOf(list.drives[0]), "0:1:0");
}

TEST_F(EnumerationTest, DriveWhoseInquiryFailsIsListedWithoutAName) {
  auto config = Config();
  config.Drive("0:1:0").Key("reject", "12");
  Start(config);
  const DriveList list = List();
  ASSERT_EQ(list.count, 1);
  EXPECT_STREQ(list.drives[0].name, "");
  EXPECT_EQ(AddressOf(list.drives[0]), "0:1:0");
  EXPECT_EQ(GetCDLayerLastError(), kErrRequestFailed);
  EXPECT_EQ(GetCDLayerLastStatus(), 4);
}

TEST_F(EnumerationTest, NoAdaptersGiveAnEmptyList) {
  auto config = Config();
  config.Key("adapters", "0");
  Start(config);
  EXPECT_EQ(GetHostAdapterCount(), 0);
  EXPECT_EQ(List().count, 0);
}

}  // namespace
