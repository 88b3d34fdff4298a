// The 86 property bytes after the stream header, and the property rules behind them.
#include "display/DisplaySettings.h"
#include "display/PropertyStream.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace display;

namespace {

const StoredProperties kSample{2, 4, 0x112233, 0x80000005, 0xFFFFFF, 0x808080, 0x00C000, 0x0000FF,
                               1024, -11, 6, 1, 44100, -7, 300};

}  // namespace

TEST(PropertyStream, LaysOutTypesAndValuesLittleEndian) {
    const PropertyBytes b = encodeProperties(kSample);
    const uint8_t head[] = {3, 0, 2, 0, 0, 0,  3, 0, 4, 0, 0, 0,  19, 0, 0x33, 0x22, 0x11, 0,
                            19, 0, 5, 0, 0, 0x80};
    for (size_t i = 0; i < sizeof head; ++i) EXPECT_EQ(b[i], head[i]) << i;
    // FFTWindowsSize, then MaxLevel and OutLinesHeight as 16-bit values.
    const uint8_t middle[] = {3, 0, 0x00, 0x04, 0, 0,  2, 0, 0xF5, 0xFF,  2, 0, 6, 0};
    for (size_t i = 0; i < sizeof middle; ++i) EXPECT_EQ(b[48 + i], middle[i]) << i;
    const uint8_t tail[] = {3, 0, 0xF9, 0xFF, 0xFF, 0xFF,  3, 0, 0x2C, 0x01, 0, 0};
    for (size_t i = 0; i < sizeof tail; ++i) EXPECT_EQ(b[74 + i], tail[i]) << i;
}

TEST(PropertyStream, DecodesWhatItEncodes) {
    const auto decoded = decodeProperties(encodeProperties(kSample));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(encodeProperties(*decoded), encodeProperties(kSample));
    EXPECT_EQ(decoded->maxLevel, -11);
    EXPECT_EQ(decoded->attackTime, -7);
    EXPECT_EQ(decoded->inscriptionsColor, 0xFFFFFFu);
}

TEST(PropertyStream, RejectsAnUnexpectedVariantType) {
    PropertyBytes b = encodeProperties(kSample);
    b[54] = 3;  // MaxLevel's type
    EXPECT_FALSE(decodeProperties(b));
}

TEST(PropertyRules, MaxLevelLosesUpToOneDecibelOnTheWayBack) {
    const std::pair<int16_t, int16_t> cases[] = {{-11, -11}, {-10, -11}, {0, -1}, {-90, -91}, {-45, -45}, {-44, -45}};
    for (auto [put, read] : cases) EXPECT_EQ(maxLevelDecibels(maxLevelPosition(put)), read) << put;
    EXPECT_EQ(maxLevelDecibels(-202), -11);
    EXPECT_TRUE(isValidMaxLevel(-90));
    EXPECT_TRUE(isValidMaxLevel(0));
    EXPECT_FALSE(isValidMaxLevel(-91));
    EXPECT_FALSE(isValidMaxLevel(5));
}

TEST(PropertyRules, LevelBarBoundFollowsTheHeight) {
    EXPECT_EQ(outLinesBound(92), 21);
    EXPECT_EQ(outLinesBound(60), 14);
    EXPECT_EQ(outLinesBound(10), 2);
}

TEST(PropertyRules, LevelPositionsStayFiniteAndSixteenBit) {
    EXPECT_EQ(levelPosition(-90.0f), -225);
    EXPECT_EQ(levelPosition(-90.3f), -225);
    EXPECT_EQ(levelPosition(6.0f), 15);
    EXPECT_EQ(levelPosition(-std::numeric_limits<float>::infinity()), INT16_MIN);
    EXPECT_EQ(levelPosition(std::numeric_limits<float>::infinity()), INT16_MAX);
    EXPECT_EQ(levelPosition(std::nanf("")), -225);
}
