// The MP3 encoder turns each of the 22 settings into what LAME writes: frame headers, the
// header frame, the sample rate, the channels and the filters, checked by decoding the files.
#include "outside/ZEVAudioFile/Mp3Encoder.h"
#include "tests/outside/AudioTestSupport.h"
#include "tests/outside/Mp3FrameHeaders.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

using namespace audiofile;
using namespace outside_test;

namespace {

constexpr int kBlockFrames = 882;  // 20 ms of CD audio

std::vector<uint8_t> encode(const LameMp3Settings& settings, const std::vector<int16_t>& pcm,
                            PcmFormat input = {kCdRate, 2}) {
  const std::wstring path = scratchPath(L"settings.mp3");
  Mp3Encoder encoder(settings, input, path);
  EXPECT_EQ(encoder.status(), Encoder::Status::ok);
  const size_t block = kBlockFrames * static_cast<size_t>(input.channels);
  for (size_t i = 0; i < pcm.size(); i += block)
    EXPECT_TRUE(encoder.write({pcm.data() + i, std::min(block, pcm.size() - i)}));
  EXPECT_TRUE(encoder.finish());
  return readBytes(path);
}

Mp3FrameHeaders encodeAndInspect(const LameMp3Settings& settings, int seconds = 2) {
  return inspectMp3(encode(settings, stereoTones(kCdRate * seconds)));
}

bool allFrames(const Mp3FrameHeaders& mp3, auto predicate) {
  return !mp3.frames.empty() && std::all_of(mp3.frames.begin(), mp3.frames.end(), predicate);
}

// Energy of one channel of interleaved PCM.
double energy(const std::vector<int16_t>& pcm, int channels, int channel) {
  double sum = 0;
  for (size_t i = channel; i < pcm.size(); i += channels) sum += double(pcm[i]) * pcm[i];
  return sum;
}

// A click every 100 ms over a quiet tone: material that makes LAME switch to short blocks.
std::vector<int16_t> clicks(int frames) {
  auto pcm = stereoTones(frames, 300, 500);
  for (int i = 0; i < frames; i += kCdRate / 10)
    for (int k = 0; k < 64 && i + k < frames; ++k) pcm[2 * (i + k)] = pcm[2 * (i + k) + 1] = (k % 2 ? 30000 : -30000);
  return pcm;
}

}  // namespace

TEST(Mp3EncoderSettings, ConstantBitrateAndRateAndStereoModeAreInEveryFrameHeader) {
  LameMp3Settings s;
  s.bitrate = 192;
  s.frequency = 48000;
  const auto mp3 = encodeAndInspect(s);
  EXPECT_TRUE(allFrames(mp3, [](const Mp3Frame& f) { return f.bitrate == 192 && f.rate == 48000 && f.mode == 0; }));
  EXPECT_EQ(mp3.headerFrameTag, "Info");
}

TEST(Mp3EncoderSettings, EachStereoModeReachesTheFrames) {
  LameMp3Settings s;
  s.typeStereo = kJointStereo;
  EXPECT_TRUE(allFrames(encodeAndInspect(s), [](const Mp3Frame& f) { return f.mode == 1; }));
  s.typeStereo = kForcedJointStereo;
  EXPECT_TRUE(allFrames(encodeAndInspect(s), [](const Mp3Frame& f) { return f.mode == 1 && (f.modeExtension & 2); }));
  s.typeStereo = kDualChannel;
  EXPECT_TRUE(allFrames(encodeAndInspect(s), [](const Mp3Frame& f) { return f.mode == 2; }));
  s.channels = 1;
  const auto mono = encodeAndInspect(s);
  EXPECT_TRUE(allFrames(mono, [](const Mp3Frame& f) { return f.mode == 3; }));
  EXPECT_EQ(mono.channels, 1);
}

TEST(Mp3EncoderSettings, DownMixToMonoKeepsBothChannels) {
  LameMp3Settings s;
  s.channels = 1;
  const auto pcm = stereoTones(kCdRate * 2, 440, 440);
  const auto mp3 = inspectMp3(encode(s, pcm));
  ASSERT_EQ(mp3.channels, 1);
  EXPECT_GT(snrDb(pcm, 2, mp3.pcm, 1, 0, 2500), 20);
}

TEST(Mp3EncoderSettings, VariableBitrateStaysBetweenTheLowestAndHighestBitrate) {
  LameMp3Settings s;
  s.vbrCodingMethod = kVbrDefault;
  s.bitrate = 96;
  s.vbrBitrate = 192;
  s.vbrQuality = 2;
  s.strictlyEnforceMinBitrate = true;
  const auto mp3 = inspectMp3(encode(s, clicks(kCdRate * 3)));
  EXPECT_EQ(mp3.headerFrameTag, "Xing");
  EXPECT_TRUE(allFrames(mp3, [](const Mp3Frame& f) { return f.bitrate >= 96 && f.bitrate <= 192; }));
  const auto [low, high] = std::minmax_element(mp3.frames.begin(), mp3.frames.end(),
                                               [](auto& a, auto& b) { return a.bitrate < b.bitrate; });
  EXPECT_LT(low->bitrate, high->bitrate);
}

TEST(Mp3EncoderSettings, TheOldVariableBitrateMethodAlsoVaries) {
  LameMp3Settings s;
  s.vbrCodingMethod = kVbrOld;
  s.bitrate = 32;
  s.vbrQuality = 2;
  const auto mp3 = inspectMp3(encode(s, clicks(kCdRate * 3)));
  EXPECT_EQ(mp3.headerFrameTag, "Xing");
  const auto [low, high] = std::minmax_element(mp3.frames.begin(), mp3.frames.end(),
                                               [](auto& a, auto& b) { return a.bitrate < b.bitrate; });
  EXPECT_LT(low->bitrate, high->bitrate);
}

TEST(Mp3EncoderSettings, AverageBitrateAimsAtItsTarget) {
  LameMp3Settings s;
  s.vbrCodingMethod = kVbrAbr;
  s.abrBitrate = 160;
  const auto mp3 = inspectMp3(encode(s, clicks(kCdRate * 4)));
  ASSERT_FALSE(mp3.frames.empty());
  const double mean = std::accumulate(mp3.frames.begin(), mp3.frames.end(), 0.0,
                                      [](double sum, const Mp3Frame& f) { return sum + f.bitrate; }) /
                      static_cast<double>(mp3.frames.size());
  EXPECT_NEAR(mean, 160, 40);
}

TEST(Mp3EncoderSettings, NoHeaderFrameWhenTheVbrHeaderIsOff) {
  LameMp3Settings s;
  s.writingVbrHeader = false;
  EXPECT_EQ(encodeAndInspect(s).headerFrameTag, "");
  s.vbrCodingMethod = kVbrNew;
  EXPECT_EQ(encodeAndInspect(s).headerFrameTag, "");
}

TEST(Mp3EncoderSettings, CrcAndEmphasisAreInEveryFrameHeader) {
  LameMp3Settings s;
  s.errorProtection = true;
  s.emphasis = 1;
  EXPECT_TRUE(allFrames(encodeAndInspect(s), [](const Mp3Frame& f) { return f.crc && f.emphasis == 1; }));
  EXPECT_TRUE(allFrames(encodeAndInspect(LameMp3Settings{}), [](const Mp3Frame& f) { return !f.crc && f.emphasis == 0; }));
}

TEST(Mp3EncoderSettings, LowerSampleRatesResampleTheCdInput) {
  LameMp3Settings s;
  s.frequency = 22050;
  s.bitrate = 64;
  const auto pcm = stereoTones(kCdRate * 2);
  const auto mp3 = inspectMp3(encode(s, pcm));
  EXPECT_TRUE(allFrames(mp3, [](const Mp3Frame& f) { return f.rate == 22050 && f.bitrate == 64; }));
  const auto expected = stereoTones(22050 * 2, 440, 660, 22050);
  EXPECT_NEAR(static_cast<double>(mp3.pcm.size()), static_cast<double>(expected.size()), 2 * 2 * 1152.0);
  EXPECT_GT(snrDb(expected, 2, mp3.pcm, 2, 0, 2000), 20);
}

TEST(Mp3EncoderSettings, LowPassRemovesToneAboveItsCorner) {
  LameMp3Settings s;
  const auto pcm = stereoTones(kCdRate * 2, 1000, 9000);
  const auto open = inspectMp3(encode(s, pcm));
  s.lowPassFrequency = 5000;
  s.lowPassWidth = 500;
  const auto filtered = inspectMp3(encode(s, pcm));
  EXPECT_LT(energy(filtered.pcm, 2, 1), energy(open.pcm, 2, 1) / 100);
  EXPECT_GT(energy(filtered.pcm, 2, 0), energy(open.pcm, 2, 0) / 2);
}

TEST(Mp3EncoderSettings, HighPassRemovesToneBelowItsCorner) {
  LameMp3Settings s;
  const auto pcm = stereoTones(kCdRate * 2, 60, 3000);
  const auto open = inspectMp3(encode(s, pcm));
  s.highPassFrequency = 1000;
  const auto filtered = inspectMp3(encode(s, pcm));
  EXPECT_LT(energy(filtered.pcm, 2, 0), energy(open.pcm, 2, 0) / 100);
  EXPECT_GT(energy(filtered.pcm, 2, 1), energy(open.pcm, 2, 1) / 2);
}

namespace {

// How many frames borrow bytes from the bit reservoir: main_data_begin, the first 9 bits of
// the side information of an MPEG-1 frame without CRC, says how far back its data starts.
int framesBorrowing(const std::vector<uint8_t>& file) {
  static const int kbps[] = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320};
  int borrowing = 0;
  for (size_t i = 0; i + 6 < file.size();) {
    if ((file[i + 4] << 1 | file[i + 5] >> 7) != 0) ++borrowing;
    i += 144 * kbps[file[i + 2] >> 4] * 1000 / 44100 + ((file[i + 2] >> 1) & 1);
  }
  return borrowing;
}

}  // namespace

TEST(Mp3EncoderSettings, WithoutTheBitReservoirNoFrameBorrowsBytes) {
  LameMp3Settings s;
  s.writingVbrHeader = false;
  const auto pcm = clicks(kCdRate * 2);
  EXPECT_GT(framesBorrowing(encode(s, pcm)), 0);
  s.bitReservoir = false;
  EXPECT_EQ(framesBorrowing(encode(s, pcm)), 0);
}

// At the highest bitrate strict ISO compliance leaves no room for a reservoir.
TEST(Mp3EncoderSettings, StrictIsoComplianceLimitsTheReservoir) {
  LameMp3Settings s;
  s.writingVbrHeader = false;
  s.bitrate = 320;
  const auto pcm = clicks(kCdRate * 2);
  EXPECT_GT(framesBorrowing(encode(s, pcm)), 0);
  s.strictIsoCompliance = true;
  EXPECT_EQ(framesBorrowing(encode(s, pcm)), 0);
}

// Settings that leave no mark in the headers still change what LAME codes. (LAME 3.100 takes
// "--athshort" and differing block types but does nothing with them.)
TEST(Mp3EncoderSettings, PsychoacousticSettingsChangeTheCodedAudio) {
  const auto pcm = clicks(kCdRate * 2);
  LameMp3Settings base;
  base.typeStereo = kJointStereo;
  const auto reference = encode(base, pcm);
  auto differs = [&](auto change) {
    LameMp3Settings s = base;
    change(s);
    return encode(s, pcm) != reference;
  };
  EXPECT_TRUE(differs([](LameMp3Settings& s) { s.encoderQuality = 0; }));
  EXPECT_TRUE(differs([](LameMp3Settings& s) { s.encoderQuality = 9; }));
  EXPECT_TRUE(differs([](LameMp3Settings& s) { s.athControlMode = kAthOff; }));
  EXPECT_TRUE(differs([](LameMp3Settings& s) { s.shortBlocks = false; }));
  EXPECT_TRUE(differs([](LameMp3Settings& s) {
    s.vbrCodingMethod = kVbrDefault;
    s.vbrQuality = 0;
  }));
}

TEST(Mp3EncoderSettings, ImpossibleSettingsAreRefusedBeforeAnyFileIsMade) {
  const std::wstring path = scratchPath(L"refused.mp3");
  LameMp3Settings s;
  s.frequency = 96000;
  EXPECT_EQ(Mp3Encoder(s, {kCdRate, 2}, path).status(), Encoder::Status::settingsRefused);
  s = {};
  s.bitrate = 0;  // constant bitrate needs a bitrate
  Mp3Encoder encoder(s, {kCdRate, 2}, path);
  EXPECT_EQ(encoder.status(), Encoder::Status::settingsRefused);
  EXPECT_FALSE(encoder.finish());
  EXPECT_EQ(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(Mp3FormatAvailability, ExactRateBitrateAndChannelsOfAnMpegVersion) {
  EXPECT_TRUE(isMp3FormatAvailable(44100, 128, 2));
  EXPECT_TRUE(isMp3FormatAvailable(22050, 160, 1));
  EXPECT_FALSE(isMp3FormatAvailable(22050, 320, 2));  // MPEG-2 ends at 160
  EXPECT_FALSE(isMp3FormatAvailable(44100, 8, 2));    // MPEG-1 starts at 32
  EXPECT_FALSE(isMp3FormatAvailable(96000, 128, 2));
  EXPECT_FALSE(isMp3FormatAvailable(44100, 0, 2));
  EXPECT_FALSE(isMp3FormatAvailable(44100, 128, 3));
}
