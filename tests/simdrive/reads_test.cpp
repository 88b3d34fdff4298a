// The sector reads of the simulated drives: READ CD, the vendor reads D4 and D8 and READ(10)
// after MODE SELECT, returning the generated audio, silence, file audio or data sectors.
#include <algorithm>
#include <cstring>

#include "AudioGenerator.h"
#include "SimHostTest.h"

namespace simdrive {
namespace {

// The first frame whose bytes differ from the generator's audio for frames from `lba` on,
// or -1 when all match.
int FirstWrongFrame(const std::vector<std::uint8_t>& data, std::int64_t lba) {
  for (std::size_t i = 0; i < data.size() / 4; ++i) {
    const std::int64_t sample = lba * kSamplesPerFrame + std::int64_t(i);
    const auto left = static_cast<std::int16_t>(data[i * 4] | data[i * 4 + 1] << 8);
    const auto right = static_cast<std::int16_t>(data[i * 4 + 2] | data[i * 4 + 3] << 8);
    if (left != GeneratedSample(sample, 0) || right != GeneratedSample(sample, 1)) return int(i / kSamplesPerFrame);
  }
  return -1;
}

bool AllBytes(const std::vector<std::uint8_t>& data, std::size_t from, std::size_t to, std::uint8_t value) {
  return std::all_of(data.begin() + std::ptrdiff_t(from), data.begin() + std::ptrdiff_t(to),
                     [=](std::uint8_t b) { return b == value; });
}

std::vector<std::uint8_t> Read10Cdb(std::int32_t lba, int count) {
  return {0x28, 0, std::uint8_t(lba >> 24), std::uint8_t(lba >> 16), std::uint8_t(lba >> 8), std::uint8_t(lba),
          0, 0, std::uint8_t(count), 0};
}

class ReadsTest : public SimHostTest {
 protected:
  // Drive 0:1:0 with an audio disc of two tracks and a data track in a second session.
  void UseDisc(const std::string& driveKeys = "") {
    ConfigText config;
    config.Drive("0:1:0").Key("disc", "d");
    if (!driveKeys.empty()) config.Line(driveKeys);
    config.Disc("d").Track("audio 5000").Track("audio 4000").Track("mode1 300 session=2");
    Use(config);
  }

  ExecResult ReadInto(const std::vector<std::uint8_t>& cdb, std::vector<std::uint8_t>& data, std::size_t bytes) {
    data.assign(bytes, 0xAA);
    return Exec(cdb, kDataIn, data.data(), static_cast<std::uint32_t>(bytes));
  }

  // MODE SELECT(6) with a block descriptor setting `blockLength`, as the drive layer sends it.
  std::uint8_t SetBlockLength(std::uint32_t blockLength, std::uint8_t density = 0) {
    std::uint8_t list[12] = {0, 0, 0, 8, density, 0, 0, 0, 0, 0, std::uint8_t(blockLength >> 8), std::uint8_t(blockLength)};
    return Exec({0x15, 0, 0, 0, 12, 0}, kNoData, list, sizeof list).request.SRB_Status;
  }
};

TEST_F(ReadsTest, ReadCdReturnsTheGeneratedAudio) {
  UseDisc();
  std::vector<std::uint8_t> data;
  for (const std::int32_t lba : {0, 1234, 4990, 8974}) {
    ASSERT_EQ(ReadCd(lba, 26, data), aspi::SS_COMP) << lba;
    EXPECT_EQ(FirstWrongFrame(data, lba), -1) << "read at " << lba;
  }
}

TEST_F(ReadsTest, GeneratedAudioSoundsLikeMusicNotSilence) {
  UseDisc();
  std::vector<std::uint8_t> data;
  ASSERT_EQ(ReadCd(750, 75, data), aspi::SS_COMP);
  int peak = 0;
  bool channelsDiffer = false;
  for (std::size_t i = 0; i + 3 < data.size(); i += 4) {
    const auto left = static_cast<std::int16_t>(data[i] | data[i + 1] << 8);
    const auto right = static_cast<std::int16_t>(data[i + 2] | data[i + 3] << 8);
    peak = std::max({peak, std::abs(int(left)), std::abs(int(right))});
    channelsDiffer = channelsDiffer || left != right;
  }
  EXPECT_GT(peak, 3000);
  EXPECT_LT(peak, 32767);
  EXPECT_TRUE(channelsDiffer);
}

TEST_F(ReadsTest, ReadCdWithUserDataFieldsOnlyStillGivesWholeAudioFrames) {
  UseDisc();
  std::vector<std::uint8_t> data;
  const auto result = ReadInto(ReadCdCdb(100, 3, 0x10), data, 3 * 2352);
  ASSERT_EQ(result.request.SRB_Status, aspi::SS_COMP);
  EXPECT_EQ(FirstWrongFrame(data, 100), -1);
}

TEST_F(ReadsTest, DataSectorsReadRawOrAsUserData) {
  UseDisc();
  const std::int32_t data = 9000 + 11400;
  std::vector<std::uint8_t> raw;
  ASSERT_EQ(ReadInto(ReadCdCdb(data, 2, 0xF8), raw, 2 * 2352).request.SRB_Status, aspi::SS_COMP);
  const std::vector<std::uint8_t> sync = {0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0};
  EXPECT_TRUE(std::equal(sync.begin(), sync.end(), raw.begin()));
  EXPECT_EQ(raw[15], 1);  // mode 1
  std::vector<std::uint8_t> user;
  ASSERT_EQ(ReadInto(ReadCdCdb(data, 2, 0x10), user, 2 * 2352).request.SRB_Status, aspi::SS_COMP);
  EXPECT_TRUE(std::equal(user.begin(), user.begin() + 2048, raw.begin() + 16));
  EXPECT_TRUE(std::equal(user.begin() + 2048, user.begin() + 4096, raw.begin() + 2352 + 16));
  EXPECT_TRUE(AllBytes(user, 4096, user.size(), 0xAA));
}

TEST_F(ReadsTest, ReadCdRefusesAudioTypeOnDataAndAddressesOffTheDisc) {
  UseDisc();
  std::vector<std::uint8_t> data;
  auto cdb = ReadCdCdb(20400, 1);
  cdb[1] = 0x04;  // expected sector type: CD-DA
  EXPECT_EQ(SenseOf(ReadInto(cdb, data, 2352)), "05/64/00");
  EXPECT_EQ(SenseOf(ReadInto(ReadCdCdb(8999, 2), data, 2 * 2352)), "05/21/00");  // into the session gap
  EXPECT_EQ(SenseOf(ReadInto(ReadCdCdb(20690, 20), data, 20 * 2352)), "05/21/00");  // past the lead-out
  EXPECT_TRUE(AllBytes(data, 0, data.size(), 0xAA));
}

TEST_F(ReadsTest, ZeroFramesMoveNothing) {
  UseDisc();
  std::vector<std::uint8_t> data;
  EXPECT_EQ(ReadInto(ReadCdCdb(0, 0), data, 2352).request.SRB_Status, aspi::SS_COMP);
  EXPECT_TRUE(AllBytes(data, 0, data.size(), 0xAA));
}

TEST_F(ReadsTest, VendorReadsOnADriveThatKnowsOnlyThem) {
  UseDisc("reads = d8 d4");
  std::vector<std::uint8_t> data;
  EXPECT_EQ(SenseOf(ReadInto(ReadCdCdb(10, 1), data, 2352)), "05/20/00");
  const std::vector<std::uint8_t> d8 = {0xD8, 0, 0, 0, 0x01, 0x2C, 0, 0, 0, 5, 0, 0};
  ASSERT_EQ(ReadInto(d8, data, 5 * 2352).request.SRB_Status, aspi::SS_COMP);
  EXPECT_EQ(FirstWrongFrame(data, 300), -1);
  const std::vector<std::uint8_t> d4 = {0xD4, 0, 0, 0, 0x01, 0x2C, 0, 0, 7, 0};
  ASSERT_EQ(ReadInto(d4, data, 7 * 2352).request.SRB_Status, aspi::SS_COMP);
  EXPECT_EQ(FirstWrongFrame(data, 300), -1);
}

TEST_F(ReadsTest, Read10ReadsAudioOnlyAfterModeSelectSetsWholeFrames) {
  UseDisc("reads = read10");
  std::vector<std::uint8_t> data;
  EXPECT_EQ(SenseOf(ReadInto(Read10Cdb(40, 4), data, 4 * 2352)), "05/64/00");
  ASSERT_EQ(SetBlockLength(2352), aspi::SS_COMP);
  ASSERT_EQ(ReadInto(Read10Cdb(40, 4), data, 4 * 2352).request.SRB_Status, aspi::SS_COMP);
  EXPECT_EQ(FirstWrongFrame(data, 40), -1);
  // The restore the drive layer sends when it closes the drive.
  std::uint8_t restore[12] = {0, 0, 0, 8, 0x53, 0, 0, 0, 0, 0, 0x08, 0x00};
  ASSERT_EQ(Exec({0x15, 0, 0, 0, 12, 0}, aspi::SRB_EVENT_NOTIFY | aspi::SRB_ENABLE_RESIDUAL_COUNT, restore, 12)
                .request.SRB_Status,
            aspi::SS_COMP);
  EXPECT_EQ(SenseOf(ReadInto(Read10Cdb(40, 4), data, 4 * 2352)), "05/64/00");
}

TEST_F(ReadsTest, Read10WithDataBlocksReadsUserData) {
  UseDisc("reads = read10");
  std::vector<std::uint8_t> data;
  ASSERT_EQ(ReadInto(Read10Cdb(20400, 2), data, 2 * 2048).request.SRB_Status, aspi::SS_COMP);
  std::vector<std::uint8_t> raw;
  ASSERT_EQ(SetBlockLength(2352), aspi::SS_COMP);
  ASSERT_EQ(ReadInto(Read10Cdb(20400, 2), raw, 2 * 2352).request.SRB_Status, aspi::SS_COMP);
  EXPECT_TRUE(std::equal(data.begin(), data.begin() + 2048, raw.begin() + 16));
}

TEST_F(ReadsTest, ModeSelectWithPagesAndWithoutDescriptor) {
  UseDisc("reads = read10");
  // The page-format pair of requests that also sets whole frames.
  std::uint8_t first[20] = {0, 0, 0, 8, 0, 0, 0, 0, 0, 0, 0x09, 0x30, 0x23, 6, 0, 0, 0, 0, 0, 0x80};
  std::uint8_t second[20] = {0, 0, 0, 8, 0, 0, 0, 0, 0, 0, 0x09, 0x30, 0x01, 6, 0x20, 7, 0, 0, 0, 0};
  EXPECT_EQ(Exec({0x15, 0x10, 0, 0, 0x14, 0}, kNoData, first, 20).request.SRB_Status, aspi::SS_COMP);
  EXPECT_EQ(Exec({0x15, 0x10, 0, 0, 0x14, 0}, kNoData, second, 20).request.SRB_Status, aspi::SS_COMP);
  std::vector<std::uint8_t> data;
  EXPECT_EQ(ReadInto(Read10Cdb(7, 1), data, 2352).request.SRB_Status, aspi::SS_COMP);
  // Eight bytes with no block descriptor leave the block length alone.
  std::uint8_t d4Mode[12] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x09, 0x30};
  EXPECT_EQ(Exec({0x15, 0x10, 0, 0, 8, 0}, kNoData, d4Mode, 12).request.SRB_Status, aspi::SS_COMP);
  EXPECT_EQ(ReadInto(Read10Cdb(7, 1), data, 2352).request.SRB_Status, aspi::SS_COMP);
  // Odd block lengths and lists longer than the buffer are refused.
  EXPECT_EQ(SenseOf(Exec({0x15, 0, 0, 0, 12, 0}, kNoData,
                         std::vector<std::uint8_t>{0, 0, 0, 8, 0, 0, 0, 0, 0, 0, 0x02, 0x00}.data(), 12)),
            "05/26/00");
  EXPECT_EQ(Exec({0x15, 0, 0, 0, 12, 0}, kNoData, first, 8).request.SRB_HaStat, aspi::HASTAT_DO_DU);
}

TEST_F(ReadsTest, EmptyReadsReportSuccessButMoveNoData) {
  UseDisc("reads = readcd d8\nemptyreads = readcd");
  std::vector<std::uint8_t> data;
  EXPECT_EQ(ReadCd(10, 2, data), aspi::SS_COMP);
  EXPECT_TRUE(AllBytes(data, 0, data.size(), 0xAA));
  const std::vector<std::uint8_t> d8 = {0xD8, 0, 0, 0, 0, 10, 0, 0, 0, 2, 0, 0};
  ASSERT_EQ(ReadInto(d8, data, 2 * 2352).request.SRB_Status, aspi::SS_COMP);
  EXPECT_EQ(FirstWrongFrame(data, 10), -1);
}

class SourcesTest : public SimHostTest {};

TEST_F(SourcesTest, SilenceAndFileTracks) {
  // A WAV file of 1.5 frames whose samples count up, and a raw image of two frames of 0x11.
  const std::string wav = ScratchPath("track.wav");
  const std::uint32_t samples = 588 + 294;
  std::string text = "RIFF....WAVEfmt ";
  const std::uint8_t fmt[] = {16, 0, 0, 0, 1, 0, 2, 0, 0x44, 0xAC, 0, 0, 0x10, 0xB1, 2, 0, 4, 0, 16, 0};
  text.append(reinterpret_cast<const char*>(fmt), sizeof fmt);
  text += "data";
  const std::uint32_t dataBytes = samples * 4;
  text.append(reinterpret_cast<const char*>(&dataBytes), 4);
  for (std::uint32_t i = 0; i < samples * 2; ++i) {
    const auto value = static_cast<std::uint16_t>(i);
    text.append(reinterpret_cast<const char*>(&value), 2);
  }
  ASSERT_TRUE(WriteTextFile(wav, text));
  const std::string bin = ScratchPath("track.bin");
  ASSERT_TRUE(WriteTextFile(bin, std::string(2 * 2352, '\x11')));

  ConfigText config;
  config.Drive("0:1:0").Key("disc", "d").Disc("d").Track("audio 10 silence").Track("audio file=" + wav).Track(
      "audio 3 file=" + bin);
  Use(config);
  std::vector<std::uint8_t> toc(804);
  Exec({0x43, 0, 0, 0, 0, 0, 0, 0x03, 0x24, 0}, kDataIn, toc.data(), 804);
  EXPECT_EQ(toc[4 + 8 * 2 + 7], 12);  // the WAV track is two frames long
  std::vector<std::uint8_t> data;
  ASSERT_EQ(ReadCd(8, 7, data), aspi::SS_COMP);
  EXPECT_TRUE(AllBytes(data, 0, 2 * 2352, 0));
  for (std::uint32_t i = 0; i < samples * 2; ++i) {
    ASSERT_EQ(data[2 * 2352 + i * 2] | data[2 * 2352 + i * 2 + 1] << 8, int(i & 0xFFFF)) << i;
  }
  EXPECT_TRUE(AllBytes(data, 2 * 2352 + samples * 4, 4 * 2352, 0));  // the WAV's last frame is padded
  EXPECT_TRUE(AllBytes(data, 4 * 2352, 6 * 2352, 0x11));
  EXPECT_TRUE(AllBytes(data, 6 * 2352, 7 * 2352, 0));  // past the image's end
}

}  // namespace
}  // namespace simdrive
