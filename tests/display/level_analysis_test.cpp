// Level analysis: what sample blocks, clearing and _OnTimer do to the levels and buffers.
#include "display/LevelAnalysis.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace display;

namespace {

std::vector<int16_t> constantBlock(size_t count, int16_t value) { return std::vector<int16_t>(count, value); }

void expectEmptyFirstHalf(const LevelState& s) {
    for (size_t i = 0; i < static_cast<size_t>(s.windowSize) / 2; ++i) {
        ASSERT_EQ(s.buffer1[i], kNoSample) << i;
        ASSERT_EQ(s.buffer2[i], kNoSample) << i;
    }
}

}  // namespace

TEST(WindowSize, RoundsToAPowerOfFourAtEveryBoundary) {
    const std::pair<int32_t, int32_t> cases[] = {
        {-5, 64},     {1, 64},      {64, 64},       {100, 64},      {127, 64},      {128, 256},
        {440, 256},   {511, 256},   {512, 1024},    {2047, 1024},   {2048, 4096},   {8191, 4096},
        {8192, 16384}, {16384, 16384}, {20000, 16384}, {INT32_MAX, 16384},
    };
    for (auto [requested, expected] : cases) EXPECT_EQ(roundWindowSize(requested), expected) << requested;
}

TEST(WindowSize, NewSizeGivesEmptyBuffersOfThatSize) {
    LevelState s;
    s.noData = false;
    setWindowSize(s, 3000);
    EXPECT_EQ(s.windowSize, 4096);
    ASSERT_EQ(s.buffer1.size(), 4096u);
    ASSERT_EQ(s.buffer2.size(), 4096u);
    expectEmptyFirstHalf(s);
    EXPECT_EQ(s.buffer1[2048], 0.0f);
    EXPECT_TRUE(s.noData);
}

TEST(Construction, StartsStereoWith440ZeroedSamplesAndFloorLevels) {
    const LevelState s;
    EXPECT_EQ(s.windowSize, 440);
    EXPECT_EQ(s.channels, 2);
    EXPECT_EQ(s.buffer1, std::vector<float>(440, 0.0f));
    EXPECT_EQ(s.buffer2, std::vector<float>(440, 0.0f));
    EXPECT_EQ(s.level1, -90.0f);
    EXPECT_EQ(s.level2, -90.0f);
    EXPECT_TRUE(s.noData);
}

TEST(Clearing, MissingOrOneSampleBlockClearsLevelsAndBuffers) {
    for (size_t count : {0u, 1u}) {
        LevelState s;
        setWindowSize(s, 256);
        analyseBlock(s, constantBlock(256, 20000));
        ASSERT_FALSE(s.noData);
        analyseBlock(s, constantBlock(count, 20000));
        EXPECT_EQ(s.level1, -90.0f);
        EXPECT_EQ(s.level2, -90.0f);
        EXPECT_TRUE(s.noData);
        expectEmptyFirstHalf(s);
    }
}

TEST(Analysis, TwoSampleBlockIsAnalysed) {
    LevelState s;
    analyseBlock(s, std::vector<int16_t>{1000, -2000});
    EXPECT_FALSE(s.noData);
    EXPECT_EQ(s.buffer1[0], 1000.0f);
    EXPECT_EQ(s.buffer2[0], -2000.0f);
    EXPECT_NEAR(s.level1, 20 * std::log10(2 * 1001.0 / (2 * 32767.0)), 1e-4);
    EXPECT_NEAR(s.level2, 20 * std::log10(2 * 2001.0 / (2 * 32767.0)), 1e-4);
    EXPECT_EQ(s.buffer1[1], kNoSample);
}

TEST(Analysis, SilenceUsesTheWindowButDividesByTheWholeBlock) {
    LevelState s;
    setWindowSize(s, 256);
    s.level1 = -60.0f;
    s.level2 = -99.0f;
    analyseBlock(s, constantBlock(440, 0));
    const double fresh = 20 * std::log10(256.0 / (440 * 32767.0));
    EXPECT_NEAR(fresh, -95.0, 0.05);
    EXPECT_NEAR(s.level1, -60.0 - (-60.0 - fresh) / 2, 1e-3);  // falls half way
    EXPECT_NEAR(s.level2, fresh, 1e-3);                         // rises at once
}

TEST(Analysis, FullScaleRisesAtOnceAndSilenceThenFallsHalfWay) {
    LevelState s;
    analyseBlock(s, constantBlock(440, 32767));
    EXPECT_NEAR(s.level1, 0.0, 0.01);
    EXPECT_NEAR(s.level2, 0.0, 0.01);
    analyseBlock(s, constantBlock(440, 0));
    const double silence = 20 * std::log10(1 / 32767.0);
    EXPECT_NEAR(s.level1, silence / 2, 0.01);
    EXPECT_NEAR(s.level2, silence / 2, 0.01);
}

TEST(Analysis, ShortBlockLeavesTheRestOfTheFirstHalfEmpty) {
    LevelState s;
    setWindowSize(s, 256);
    analyseBlock(s, constantBlock(256, 7));
    analyseBlock(s, constantBlock(100, 9));
    for (size_t i = 0; i < 50; ++i) ASSERT_EQ(s.buffer1[i], 9.0f);
    for (size_t i = 50; i < 128; ++i) ASSERT_EQ(s.buffer1[i], kNoSample);
}

TEST(Analysis, MonoFillsBothBuffersInBlockOrderWithEqualLevels) {
    LevelState s;
    setWindowSize(s, 64);
    s.channels = 1;
    std::vector<int16_t> block(64);
    for (size_t i = 0; i < block.size(); ++i) block[i] = static_cast<int16_t>(i * 100 - 3000);
    analyseBlock(s, block);
    for (size_t i = 0; i < block.size(); ++i) {
        ASSERT_EQ(s.buffer1[i], block[i]);
        ASSERT_EQ(s.buffer2[i], block[i]);
    }
    EXPECT_EQ(s.level1, s.level2);
}

TEST(Analysis, MonoFullScaleReachesAboutSixDecibels) {
    LevelState s;
    s.channels = 1;
    analyseBlock(s, constantBlock(440, -32768));
    EXPECT_NEAR(s.level1, 6.02, 0.01);
    EXPECT_EQ(s.level2, s.level1);
}

TEST(Analysis, OtherChannelCountsGiveFiniteEqualLevels) {
    LevelState s;
    s.channels = 5;
    analyseBlock(s, constantBlock(440, 1000));
    EXPECT_TRUE(std::isfinite(s.level1));
    EXPECT_EQ(s.level2, s.level1);
    EXPECT_EQ(s.buffer1[0], 1000.0f);
    EXPECT_EQ(s.buffer2[0], 1000.0f);
}

TEST(OnTimer, LowersOnlyLevelsAboveZero) {
    LevelState s;
    s.level1 = -20.0f;
    s.level2 = 4.0f;
    lowerHeldLevels(s);
    EXPECT_EQ(s.level1, -20.0f);
    EXPECT_NEAR(s.level2, 2.4f, 1e-6);
    s.level1 = 0.0f;
    lowerHeldLevels(s);
    EXPECT_EQ(s.level1, 0.0f);
}
