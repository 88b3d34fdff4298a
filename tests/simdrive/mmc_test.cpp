// The MMC commands of a simulated drive other than the sector reads: INQUIRY, TEST UNIT READY,
// READ TOC, READ TRACK INFORMATION, tray control and unknown commands.
#include <cstring>

#include "SimHostTest.h"

namespace simdrive {
namespace {

// Mixed mode: a mode 1 data track, then two audio tracks.
ConfigText MixedModeDisc(const std::string& driveKeys = "") {
  ConfigText config;
  config.Drive("0:1:0").Key("vendor", "ACME").Key("product", "SPINNER 52X").Key("revision", "2.10").Key("disc", "mixed");
  if (!driveKeys.empty()) config.Line(driveKeys);
  config.Disc("mixed").Track("mode1 1:00").Track("audio 2:30.10").Track("audio 300");
  return config;
}

class MmcTest : public SimHostTest {};

TEST_F(MmcTest, InquiryGivesDeviceTypeAndPaddedIdentity) {
  Use(MixedModeDisc());
  std::uint8_t data[100];
  std::memset(data, 0xEE, sizeof data);
  const auto result = Exec({0x12, 0, 0, 0, 100, 0}, kDataIn, data, sizeof data);
  ASSERT_EQ(result.request.SRB_Status, aspi::SS_COMP);
  EXPECT_EQ(data[0], 5);
  EXPECT_EQ(data[1], 0x80);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(data + 8), 28), "ACME    SPINNER 52X     2.10");
  EXPECT_EQ(data[55], 0);     // the vendor-specific bytes are sent, zero
  EXPECT_EQ(data[56], 0xEE);  // and nothing after them
}

TEST_F(MmcTest, InquiryIsCutToTheAllocationLength) {
  Use(MixedModeDisc());
  std::uint8_t data[100];
  std::memset(data, 0xEE, sizeof data);
  Exec({0x12, 0, 0, 0, 10, 0}, kDataIn, data, sizeof data);
  EXPECT_EQ(data[9], 'C');
  EXPECT_EQ(data[10], 0xEE);
}

TEST_F(MmcTest, TocInLbaForm) {
  Use(MixedModeDisc());
  std::vector<std::uint8_t> toc(804, 0xEE);
  const auto result = Exec({0x43, 0, 0, 0, 0, 0, 0, 0x03, 0x24, 0}, kDataIn, toc.data(), 804);
  ASSERT_EQ(result.request.SRB_Status, aspi::SS_COMP);
  const std::vector<std::uint8_t> expected = {
      0x00, 0x22, 1, 3,                             // length 34, tracks 1-3
      0, 0x14, 1, 0, 0x00, 0x00, 0x00, 0x00,        // data track at 0
      0, 0x10, 2, 0, 0x00, 0x00, 0x11, 0x94,        // audio at 4500
      0, 0x10, 3, 0, 0x00, 0x00, 0x3D, 0x90,        // audio at 4500 + 11260
      0, 0x10, 0xAA, 0, 0x00, 0x00, 0x3E, 0xBC};    // lead-out at 16060
  EXPECT_EQ(std::vector<std::uint8_t>(toc.begin(), toc.begin() + 36), expected);
  EXPECT_EQ(toc[36], 0xEE);
}

TEST_F(MmcTest, TocInMsfForm) {
  Use(MixedModeDisc());
  std::vector<std::uint8_t> toc(804, 0xEE);
  Exec({0x43, 0x02, 0, 0, 0, 0, 0, 0x03, 0x24, 0}, kDataIn, toc.data(), 804);
  const std::vector<std::uint8_t> expected = {
      0x00, 0x22, 1, 3,
      0, 0x14, 1, 0, 0, 0, 2, 0,         // 00:02:00
      0, 0x10, 2, 0, 0, 1, 2, 0,         // 01:02:00
      0, 0x10, 3, 0, 0, 3, 32, 10,       // 03:32:10
      0, 0x10, 0xAA, 0, 0, 3, 36, 10};   // 03:36:10
  EXPECT_EQ(std::vector<std::uint8_t>(toc.begin(), toc.begin() + 36), expected);
}

TEST_F(MmcTest, TocFromAStartingTrackAndBadStartingTracks) {
  Use(MixedModeDisc());
  std::vector<std::uint8_t> toc(804);
  Exec({0x43, 0, 0, 0, 0, 0, 3, 0x03, 0x24, 0}, kDataIn, toc.data(), 804);
  EXPECT_EQ(toc[1], 18);  // track 3 and the lead-out
  EXPECT_EQ(toc[6], 3);
  const auto bad = Exec({0x43, 0, 0, 0, 0, 0, 4, 0x03, 0x24, 0}, kDataIn, toc.data(), 804);
  EXPECT_EQ(bad.request.SRB_Status, aspi::SS_ERR);
  EXPECT_EQ(SenseOf(bad), "05/24/00");
}

TEST_F(MmcTest, EnhancedCdPutsTheSecondSessionAfterTheGap) {
  ConfigText config;
  config.Drive("0:1:0").Key("disc", "e").Disc("e").Track("audio 1000").Track("audio 500").Track("mode2 2000 session=2");
  Use(config);
  std::vector<std::uint8_t> toc(804);
  Exec({0x43, 0, 0, 0, 0, 0, 0, 0x03, 0x24, 0}, kDataIn, toc.data(), 804);
  auto lba = [&](int entry) {
    const std::uint8_t* e = toc.data() + 4 + entry * 8;
    return e[4] << 24 | e[5] << 16 | e[6] << 8 | e[7];
  };
  EXPECT_EQ(lba(2), 1500 + 11400);
  EXPECT_EQ(lba(3), 1500 + 11400 + 2000);
  EXPECT_EQ(toc[4 + 2 * 8 + 1], 0x14);
}

std::vector<std::uint8_t> TrackInfoCdb(int track) { return {0x52, 0x01, 0, 0, 0, std::uint8_t(track), 0, 0, 0x1C, 0x10}; }

TEST_F(MmcTest, TrackInformationGivesSessionTrackModeAndDataMode) {
  ConfigText config;
  config.Drive("0:1:0").Key("disc", "e").Disc("e").Track("audio 1000").Track("audio 500 datamode=1").Track(
      "mode1 2000 session=2");
  Use(config);
  struct Expected {
    int session, trackMode, dataMode;
    std::uint32_t start, size;
  } expected[] = {{1, 0, 0x0F, 0, 1000}, {1, 0, 1, 1000, 500}, {2, 4, 1, 12900, 2000}};
  for (int track = 1; track <= 3; ++track) {
    std::uint8_t info[28];
    std::memset(info, 0xEE, sizeof info);
    const auto result = Exec(TrackInfoCdb(track), kDataIn, info, sizeof info);
    ASSERT_EQ(result.request.SRB_Status, aspi::SS_COMP);
    const Expected& e = expected[track - 1];
    EXPECT_EQ(info[2], track);
    EXPECT_EQ(info[3], e.session);
    EXPECT_EQ(info[5] & 0x0F, e.trackMode);
    EXPECT_EQ(info[6] & 0x0F, e.dataMode);
    EXPECT_EQ(std::uint32_t(info[8] << 24 | info[9] << 16 | info[10] << 8 | info[11]), e.start);
    EXPECT_EQ(std::uint32_t(info[24] << 24 | info[25] << 16 | info[26] << 8 | info[27]), e.size);
  }
  std::uint8_t info[28];
  EXPECT_EQ(SenseOf(Exec(TrackInfoCdb(4), kDataIn, info, sizeof info)), "05/21/00");
}

TEST_F(MmcTest, RejectedCommandsAnswerAsUnknown) {
  Use(MixedModeDisc("reject = 52 4b"));
  std::uint8_t info[28];
  const auto trackInfo = Exec(TrackInfoCdb(1), kDataIn, info, sizeof info);
  EXPECT_EQ(trackInfo.request.SRB_Status, aspi::SS_ERR);
  EXPECT_EQ(trackInfo.request.SRB_TargStat, aspi::STATUS_CHKCOND);
  EXPECT_EQ(SenseOf(trackInfo), "05/20/00");
  EXPECT_EQ(SenseOf(Exec({0x4B, 0, 0, 0, 0, 0, 0, 0, 1, 0})), "05/20/00");
  EXPECT_EQ(SenseOf(Exec({0xA8, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0})), "05/20/00");
}

TEST_F(MmcTest, ControlCommandsTheDriveLayerSendsSucceed) {
  Use(MixedModeDisc());
  EXPECT_EQ(Exec({0xBB, 0, 0xAF, 0x55, 0xAF, 0x55, 0, 0, 0, 0, 0, 0}, kDataOut).request.SRB_Status, aspi::SS_COMP);
  EXPECT_EQ(Exec({0x4B, 0, 0, 0, 0, 0, 0, 0, 0, 0}).request.SRB_Status, aspi::SS_COMP);
  EXPECT_EQ(Exec({0x4B, 0, 0, 0, 0, 0, 0, 0, 1, 0}).request.SRB_Status, aspi::SS_COMP);
}

class TrayTest : public SimHostTest {
 protected:
  void SetUp() override {
    SimHostTest::SetUp();
    ConfigText config = MixedModeDisc();
    config.Drive("0:2:0");
    Use(config);
  }
  std::uint8_t Ready(const char* address = "0:1:0") {
    return Exec({0, 0, 0, 0, 0, 0x10, 0, 0, 0, 0, 0, 0}, kDataIn, nullptr, 0, address).request.SRB_Status;
  }
  ExecResult StartStop(bool loadEject, bool start) {
    return Exec({0x1B, 1, 0, 0, std::uint8_t((loadEject ? 2 : 0) | (start ? 1 : 0)), 0, 0, 0, 0, 0, 0, 0xF0});
  }
};

TEST_F(TrayTest, ReadyWithADiscNotReadyWithout) {
  EXPECT_EQ(Ready(), aspi::SS_COMP);
  const auto empty = Exec({0, 0, 0, 0, 0, 0, 0, 0, 0, 0x10}, kDataIn, nullptr, 0, "0:2:0");
  EXPECT_EQ(empty.request.SRB_Status, aspi::SS_ERR);
  EXPECT_EQ(SenseOf(empty), "02/3A/01");
}

TEST_F(TrayTest, EjectOpensTheTrayAndLoadBringsTheDiscBack) {
  EXPECT_EQ(StartStop(true, false).request.SRB_Status, aspi::SS_COMP);
  EXPECT_EQ(Ready(), aspi::SS_ERR);
  std::vector<std::uint8_t> toc(804);
  EXPECT_EQ(SenseOf(Exec({0x43, 0, 0, 0, 0, 0, 0, 0x03, 0x24, 0}, kDataIn, toc.data(), 804)), "02/3A/02");
  EXPECT_EQ(StartStop(true, true).request.SRB_Status, aspi::SS_COMP);
  EXPECT_EQ(Ready(), aspi::SS_COMP);
}

TEST_F(TrayTest, LockedTrayRefusesToEject) {
  EXPECT_EQ(Exec({0x1E, 0, 0, 0, 1, 0xF0}, kDataOut).request.SRB_Status, aspi::SS_COMP);
  EXPECT_EQ(SenseOf(StartStop(true, false)), "05/53/02");
  EXPECT_EQ(Ready(), aspi::SS_COMP);
  Exec({0x1E, 0, 0, 0, 0, 0xF0}, kDataOut);
  EXPECT_EQ(StartStop(true, false).request.SRB_Status, aspi::SS_COMP);
  EXPECT_EQ(Ready(), aspi::SS_ERR);
}

}  // namespace
}  // namespace simdrive
