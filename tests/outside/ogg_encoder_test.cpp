// The Ogg Vorbis encoder codes by quality or by bitrates as the format says, at the format's
// rate and channel count, and refuses what libvorbisenc has no set-up for.
#include "outside/ZEVAudioFile/AudioReader.h"
#include "outside/ZEVAudioFile/OggEncoder.h"
#include "tests/outside/AudioTestSupport.h"

#include <gtest/gtest.h>

#include <vorbis/vorbisfile.h>

#include <array>

using namespace audiofile;
using namespace outside_test;

namespace {

std::wstring encode(const OggFormat& format, const std::vector<int16_t>& pcm) {
  const std::wstring path = scratchPath(L"format.ogg");
  OggEncoder encoder(format, {kCdRate, 2}, path);
  EXPECT_EQ(encoder.status(), Encoder::Status::ok);
  for (size_t i = 0; i < pcm.size(); i += 2 * 882)
    EXPECT_TRUE(encoder.write({pcm.data() + i, std::min<size_t>(2 * 882, pcm.size() - i)}));
  EXPECT_TRUE(encoder.finish());
  return path;
}

// The bitrates the stream header announces, in kbit/s: lower, nominal, upper (0 = none).
std::array<long, 3> announcedBitrates(const std::wstring& path) {
  OggVorbis_File file;
  const std::string narrow(path.begin(), path.end());
  EXPECT_EQ(ov_fopen(narrow.c_str(), &file), 0);
  const vorbis_info* info = ov_info(&file, -1);
  auto kbps = [](long bits) { return bits > 0 ? bits / 1000 : 0; };
  std::array<long, 3> result = {kbps(info->bitrate_lower), kbps(info->bitrate_nominal), kbps(info->bitrate_upper)};
  ov_clear(&file);
  return result;
}

}  // namespace

TEST(OggEncoder, QualityCodingAtAnotherRateAndOneChannel) {
  // The application's first-run settings: 24000 Hz, mono, quality 4.
  const OggFormat format{24000, 1, 112, 8, 320, 4};
  const auto pcm = stereoTones(kCdRate * 2, 440, 440);
  auto opened = openAudioReader(encode(format, pcm));
  ASSERT_EQ(opened.error, OpenError::none);
  EXPECT_EQ(opened.reader->format().sampleRate, 24000);
  EXPECT_EQ(opened.reader->format().channels, 1);
  EXPECT_EQ(opened.reader->totalFrames(), 48000);
  std::vector<int16_t> decoded(48000);
  ASSERT_EQ(opened.reader->read(decoded.data(), 48000), 48000u);
  EXPECT_GT(snrDb(stereoTones(48000, 440, 440, 24000), 2, decoded, 1, 0), 20);
}

TEST(OggEncoder, BitrateCodingAnnouncesItsBitrates) {
  const auto pcm = stereoTones(kCdRate);
  EXPECT_EQ(announcedBitrates(encode({kCdRate, 2, 96, 0, 0, -1}, pcm)), (std::array<long, 3>{0, 96, 0}));
  EXPECT_EQ(announcedBitrates(encode({kCdRate, 2, 128, 64, 192, -1}, pcm)), (std::array<long, 3>{64, 128, 192}));
  // A quality outside 0..10 (the ripper's -1, or what 16 bits made of a large value) means
  // coding by the bitrates.
  EXPECT_EQ(announcedBitrates(encode({kCdRate, 2, 160, 0, 0, 4464}, pcm))[1], 160);
}

TEST(OggEncoder, AvailabilityIsWhatLibvorbisencCanSetUp) {
  EXPECT_TRUE(isOggFormatAvailable({kCdRate, 2, 128, 0, 0, -1}));
  EXPECT_TRUE(isOggFormatAvailable({22050, 1, 64, 0, 0, -1}));
  EXPECT_TRUE(isOggFormatAvailable({8000, 1, 0, 0, 0, 3}));
  EXPECT_FALSE(isOggFormatAvailable({8000, 2, 320, 0, 0, -1}));
  EXPECT_FALSE(isOggFormatAvailable({kCdRate, 2, 0, 0, 0, -1}));
  EXPECT_FALSE(isOggFormatAvailable({kCdRate, 3, 128, 0, 0, -1}));
}

TEST(OggEncoder, RefusedFormatsMakeNoFile) {
  const std::wstring path = scratchPath(L"refused.ogg");
  OggEncoder encoder({8000, 2, 320, 0, 0, -1}, {kCdRate, 2}, path);
  EXPECT_EQ(encoder.status(), Encoder::Status::settingsRefused);
  EXPECT_FALSE(encoder.write(stereoTones(100)));
  EXPECT_FALSE(encoder.finish());
  EXPECT_EQ(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(OggEncoder, OneLargeWriteIsEncodedLikeManySmallOnes) {
  // What a ripper hands over when its encoder has fallen behind: 20 seconds in one block.
  const auto pcm = stereoTones(kCdRate * 20);
  const std::wstring path = scratchPath(L"large.ogg");
  {
    OggEncoder encoder({kCdRate, 2, 128, 0, 0, -1}, {kCdRate, 2}, path);
    ASSERT_TRUE(encoder.write(pcm));
    ASSERT_TRUE(encoder.finish());
  }
  auto opened = openAudioReader(path);
  ASSERT_EQ(opened.error, OpenError::none);
  ASSERT_EQ(opened.reader->totalFrames(), kCdRate * 20);
  std::vector<int16_t> decoded(pcm.size());
  ASSERT_EQ(opened.reader->read(decoded.data(), kCdRate * 20), size_t(kCdRate) * 20);
  EXPECT_GT(snrDb(pcm, 2, decoded, 2, 0), 20);
}
