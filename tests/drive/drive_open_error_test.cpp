// The not-a-CD-ROM error is recorded only while no other error is: this program starts with a
// clean last error, which no other test of the layer can count on.
#include "AudioReads.h"
#include "DriveTransport.h"
#include "SimDriveTest.h"

namespace {

using namespace drive;

class OpenErrorTest : public drivetest::SimDriveTest {};

TEST_F(OpenErrorTest, NotACDROMOnlyWhileNoOtherErrorIsRecorded) {
  auto config = Config();
  config.Drive("0:0:0").Key("type", "0");
  config.Drive("0:1:0");
  Start(config);
  ASSERT_EQ(GetCDLayerLastError(), 0);
  EXPECT_EQ(Open(0, 0, 0, CDRT_ATAPI2), 0);
  EXPECT_EQ(GetCDLayerLastError(), kErrNotCDROM);

  const int handle = Open(0, 1, 0, CDRT_ATAPI2);
  ASSERT_NE(handle, 0);
  EXPECT_EQ(Open(0, 1, 0, CDRT_ATAPI2), 0);
  EXPECT_EQ(GetCDLayerLastError(), kErrAlreadyOpen);
  EXPECT_EQ(Open(0, 0, 0, CDRT_ATAPI2), 0);
  EXPECT_EQ(GetCDLayerLastError(), kErrAlreadyOpen);
}

}  // namespace
