// The display types and borders drawn into memory bitmaps, checked pixel by pixel.
#include "display/DisplayDrawing.h"
#include "display/DisplaySettings.h"

#include "Picture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace display;

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kGreen = RGB(0, 192, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);

class Drawing : public ::testing::Test {
protected:
    void draw(const Picture& picture, RECT bounds) {
        drawDisplay(picture.dc(), bounds, DisplayView{settings, levels, styles});
    }
    Picture drawn(int width = 250, int height = 92) {
        Picture picture(width, height);
        draw(picture, RECT{0, 0, width, height});
        return picture;
    }

    DisplaySettings settings;
    LevelState levels;
    StyleBitmaps styles{GetModuleHandleW(nullptr)};
};

// Rows of a channel-1 level bar on a 250 x 92 control: centred at y = 24, from x = 34 to 221.
constexpr int kBarY = 24;
constexpr int kBarLeft = 34;
constexpr int kBarRight = 221;

}  // namespace

TEST_F(Drawing, LevelBarsSpanTheScaleOfA250By92Control) {
    levels.level1 = 0.0f;
    const Picture p = drawn();
    EXPECT_EQ(p.at(kBarLeft, kBarY), kGreen);
    EXPECT_EQ(p.at(kBarLeft - 1, kBarY), kBlack);
    EXPECT_NE(p.at(kBarRight, kBarY), kBlack);
    EXPECT_EQ(p.at(kBarRight + 1, kBarY), kBlack);
    // OutLinesHeight 6: rows 21..26.
    EXPECT_NE(p.at(kBarLeft, 21), kBlack);
    EXPECT_EQ(p.at(kBarLeft, 20), kBlack);
    EXPECT_NE(p.at(kBarLeft, 26), kBlack);
    EXPECT_EQ(p.at(kBarLeft, 27), kBlack);
}

TEST_F(Drawing, DefaultMarkRampsToTheMaximumColourOverTheLastFifth) {
    levels.level1 = 0.0f;
    const Picture p = drawn();
    EXPECT_EQ(p.at(kBarLeft + 150, kBarY), kGreen);  // W = 188, ramp from s = 150
    const COLORREF ramp = p.at(kBarLeft + 170, kBarY);
    EXPECT_GT(GetRValue(ramp), 100);
    EXPECT_LT(GetGValue(ramp), 150);
    const COLORREF last = p.at(kBarRight, kBarY);
    EXPECT_GT(GetRValue(last), 240);
    EXPECT_LT(GetGValue(last), 15);
}

TEST_F(Drawing, FloorLevelPaintsNoBarAndMonoPeakPaintsPastTheEnd) {
    levels.level1 = -90.0f;
    levels.level2 = 6.0f;
    const Picture p = drawn();
    EXPECT_EQ(p.at(kBarLeft, kBarY), kBlack);
    const int channel2Y = 91 - 42;  // D - trunc(28 G)
    EXPECT_EQ(p.at(kBarRight + 10, channel2Y), kRed);
}

TEST_F(Drawing, LevelsThatAreNotNumbersPaintNothing) {
    levels.level1 = std::nanf("");
    levels.level2 = -std::numeric_limits<float>::infinity();
    const Picture p = drawn();
    EXPECT_EQ(p.at(kBarLeft, kBarY), kBlack);
    EXPECT_EQ(p.at(kBarLeft, 49), kBlack);
}

TEST_F(Drawing, MarkAtTheTopRampsWithoutDividingByZero) {
    settings.maxLevelPosition = maxLevelPosition(-90);  // p = 99: a ramp as long as the bar start
    levels.level1 = 0.0f;
    levels.level2 = -90.0f;
    const Picture p = drawn();
    EXPECT_EQ(p.at(kBarRight, kBarY), kRed);
    settings.maxLevelPosition = 0;  // p = 100: a ramp of no columns at the bar's start
    const Picture q = drawn();
    EXPECT_EQ(q.at(kBarLeft + 1, kBarY), kRed);
    settings.maxLevelPosition = -225;  // p = 0: a ramp of no columns at the bar's end
    const Picture r = drawn();
    EXPECT_EQ(r.at(kBarRight, kBarY), kGreen);
}

TEST_F(Drawing, SingleBorderFramesInTheBorderColour) {
    settings.borderStyle = 1;
    settings.borderColor = RGB(10, 20, 30);
    settings.backColor = RGB(40, 50, 60);
    const Picture p = drawn();
    EXPECT_EQ(p.at(0, 0), RGB(10, 20, 30));
    EXPECT_EQ(p.at(249, 91), RGB(10, 20, 30));
    EXPECT_EQ(p.at(1, 1), RGB(40, 50, 60));
}

TEST_F(Drawing, LoweredBorderIsShadowedTopLeftAndLitBottomRight) {
    settings.borderStyle = 2;
    const Picture p = drawn();
    EXPECT_EQ(p.at(0, 0), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(p.at(249, 91), GetSysColor(COLOR_BTNHIGHLIGHT));
    settings.borderStyle = 3;
    const Picture q = drawn();
    EXPECT_EQ(q.at(0, 0), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(q.at(249, 91), GetSysColor(COLOR_BTNSHADOW));
}

TEST_F(Drawing, UnknownBorderAndTypeDrawOnlyTheBackground) {
    settings.borderStyle = 9;
    settings.typeDisplay = 9;
    settings.backColor = RGB(1, 2, 3);
    const Picture p = drawn();
    EXPECT_EQ(p.at(0, 0), RGB(1, 2, 3));
    EXPECT_EQ(p.at(125, 46), RGB(1, 2, 3));
}

TEST_F(Drawing, ScopePlotsEmptyEntriesOnTheMidLine) {
    settings.typeDisplay = 1;
    setWindowSize(levels, 256);
    const Picture p = drawn();
    // 250 x 92: grid from x = 1 + 20, mid line at y = 50.
    EXPECT_EQ(p.at(60, 50), kGreen);
    EXPECT_EQ(p.at(250 - 1 - 60, 50), kGreen);
    EXPECT_EQ(p.at(60, 44), RGB(128, 128, 128));  // a grid row
}

TEST_F(Drawing, ScopeFollowsTheSamples) {
    settings.typeDisplay = 1;
    setWindowSize(levels, 256);
    analyseBlock(levels, std::vector<int16_t>(256, 16384));
    const Picture p = drawn();
    EXPECT_EQ(p.at(60, 24), kGreen);  // mid - mid / 2, a little less
}

TEST_F(Drawing, ColumnsShowOnlyGridAndCaptionsWithoutData) {
    settings.typeDisplay = 2;
    const Picture p = drawn();
    EXPECT_EQ(p.at(22, 70), kBlack);
    EXPECT_EQ(p.at(17, 50), RGB(128, 128, 128));
}

TEST_F(Drawing, ColumnsCopyTheirStyleStripSqueezedToTheirHeight) {
    const COLORREF topRows[] = {RGB(227, 85, 78), RGB(167, 160, 199), RGB(56, 170, 106)};
    for (int type = 2; type <= 4; ++type) {
        settings.typeDisplay = type;
        setWindowSize(levels, 256);
        analyseBlock(levels, std::vector<int16_t>(256, 20000));
        const Picture p = drawn();
        // H = 80 - 16 = 64, a = 0.61: h0 = 39, h = 54; columns stand on y = 80 from x = 17.
        const int x = 17 + 5;
        EXPECT_EQ(p.at(x, 80 - 54), topRows[type - 2]) << type;
        EXPECT_EQ(p.at(x, 80 - 55), kBlack) << type;
        EXPECT_NE(p.at(x, 78), kBlack) << type;
        EXPECT_EQ(p.at(x, 80), kBlack) << type;
    }
}

TEST_F(Drawing, ARectangleAwayFromTheOriginGivesTheSamePicture) {
    levels.level1 = -20.0f;
    settings.borderStyle = 1;
    const Picture atOrigin = drawn();
    Picture moved(270, 112);
    draw(moved, RECT{10, 15, 260, 107});
    for (int y = 0; y < 92; y += 3) {
        for (int x = 0; x < 250; x += 3) ASSERT_EQ(moved.at(x + 10, y + 15), atOrigin.at(x, y)) << x << "," << y;
    }
    EXPECT_EQ(moved.at(5, 5), RGB(255, 255, 255));
}

TEST_F(Drawing, EmptyRectangleDrawsNothing) {
    Picture p(20, 20);
    draw(p, RECT{5, 5, 5, 15});
    draw(p, RECT{5, 5, 3, 3});
    EXPECT_EQ(p.at(5, 5), RGB(255, 255, 255));
}
