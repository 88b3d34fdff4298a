// Sample-rate conversion keeps what the new rate can hold and removes what it cannot; channel
// conversion mixes and copies.
#include "outside/ZEVAudioFile/PcmConverter.h"
#include "outside/ZEVAudioFile/Resampler.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using namespace audiofile;

namespace {

std::vector<float> tone(double hz, int rate, int samples) {
  std::vector<float> out(static_cast<size_t>(samples));
  for (int i = 0; i < samples; ++i) out[i] = static_cast<float>(0.5 * std::sin(2 * std::numbers::pi * hz * i / rate));
  return out;
}

std::vector<float> resample(const std::vector<float>& in, int inRate, int outRate, size_t piece) {
  Resampler resampler(inRate, outRate);
  std::vector<float> out;
  for (size_t i = 0; i < in.size(); i += piece)
    resampler.push(std::span(in).subspan(i, std::min(piece, in.size() - i)), out);
  resampler.finish(out);
  return out;
}

// Ratio of signal to difference, in dB, over the middle of the signals (the ends see silence
// outside the input).
double middleSnrDb(const std::vector<float>& expected, const std::vector<float>& actual) {
  double signal = 0, noise = 0;
  for (size_t i = expected.size() / 10; i < expected.size() * 9 / 10; ++i) {
    signal += double(expected[i]) * expected[i];
    noise += (double(expected[i]) - actual[i]) * (double(expected[i]) - actual[i]);
  }
  return 10 * std::log10(signal / noise);
}

double middleRms(const std::vector<float>& x) {
  double sum = 0;
  const size_t from = x.size() / 10, to = x.size() * 9 / 10;
  for (size_t i = from; i < to; ++i) sum += double(x[i]) * x[i];
  return std::sqrt(sum / static_cast<double>(to - from));
}

}  // namespace

TEST(Resampler, KeepsAToneAndGivesTheLengthOfTheNewRate) {
  const auto in = tone(1000, 44100, 44100 + 17);
  for (int rate : {6000, 8000, 11025, 22050, 32000, 48000, 96000}) {
    SCOPED_TRACE(rate);
    const auto out = resample(in, 44100, rate, 882);
    const size_t expectedLength = (in.size() * static_cast<size_t>(rate) + 44099) / 44100;
    ASSERT_EQ(out.size(), expectedLength);
    EXPECT_GT(middleSnrDb(tone(1000, rate, static_cast<int>(out.size())), out), 60);
  }
}

TEST(Resampler, RemovesTonesAboveTheNewNyquistFrequency) {
  const auto out = resample(tone(15000, 44100, 44100), 44100, 22050, 882);
  EXPECT_LT(middleRms(out), 0.5 * 0.001);  // at least 60 dB down
}

TEST(Resampler, PiecesOfAnySizeGiveTheSameSamples) {
  const auto in = tone(440, 44100, 5000);
  const auto whole = resample(in, 44100, 32000, in.size());
  EXPECT_EQ(resample(in, 44100, 32000, 1), whole);
  EXPECT_EQ(resample(in, 44100, 32000, 7), whole);
  EXPECT_EQ(resample(in, 44100, 32000, 1000), whole);
}

TEST(PcmConverter, MixesStereoToMonoByTheMean) {
  PcmConverter converter({44100, 2}, {44100, 1});
  PcmConverter::Planes out;
  const std::vector<int16_t> pcm = {16384, -16384, 16384, 16384, -32768, 0};
  converter.push(pcm, out);
  ASSERT_EQ(out.size(), 1u);
  EXPECT_EQ(out[0], (std::vector<float>{0.0f, 0.5f, -0.5f}));
}

TEST(PcmConverter, CopiesMonoToBothChannels) {
  PcmConverter converter({44100, 1}, {44100, 2});
  PcmConverter::Planes out;
  converter.push(std::vector<int16_t>{8192, -8192}, out);
  ASSERT_EQ(out.size(), 2u);
  EXPECT_EQ(out[0], (std::vector<float>{0.25f, -0.25f}));
  EXPECT_EQ(out[1], out[0]);
}

TEST(PcmConverter, ResamplesEachChannelOnItsOwn) {
  PcmConverter converter({44100, 2}, {22050, 2});
  std::vector<int16_t> pcm(2 * 44100);
  for (size_t i = 0; i < 44100; ++i) {
    pcm[2 * i] = static_cast<int16_t>(16384 * std::sin(2 * std::numbers::pi * 500 * i / 44100));
    pcm[2 * i + 1] = static_cast<int16_t>(16384 * std::sin(2 * std::numbers::pi * 15000 * i / 44100));
  }
  PcmConverter::Planes pushed, rest;
  converter.push(pcm, pushed);
  converter.finish(rest);
  for (int c = 0; c < 2; ++c) pushed[c].insert(pushed[c].end(), rest[c].begin(), rest[c].end());
  ASSERT_EQ(pushed[0].size(), 22050u);
  EXPECT_GT(middleRms(pushed[0]), 0.3);   // the 500 Hz tone stays
  EXPECT_LT(middleRms(pushed[1]), 0.001);  // the 15 kHz tone cannot exist at 22050 Hz
}
