// Extents between screen pixels and HIMETRIC: rounded both ways, so sizes survive the trip.
#include "com/Extent.h"

#include <gtest/gtest.h>

TEST(Extent, PixelSizesSurviveTheTripThroughHimetric) {
    for (LONG pixels = 0; pixels <= 4000; ++pixels) {
        const SIZE back = com::toPixels(com::toHimetric(SIZE{pixels, pixels}));
        ASSERT_EQ(back.cx, pixels);
        ASSERT_EQ(back.cy, pixels);
    }
}

TEST(Extent, RoundsToTheNearestUnit) {
    const SIZE dpi = com::screenDpi();
    ASSERT_EQ(dpi.cx, 96);  // the test prefix's screen
    EXPECT_EQ(com::toHimetric(SIZE{250, 80}).cx, 6615);  // 6614.58
    EXPECT_EQ(com::toHimetric(SIZE{250, 80}).cy, 2117);  // 2116.67
    EXPECT_EQ(com::toPixels(SIZEL{6614, 2116}).cx, 250);  // 249.98
    EXPECT_EQ(com::toPixels(SIZEL{13, 14}).cx, 0);        // 0.49
    EXPECT_EQ(com::toPixels(SIZEL{14, 14}).cx, 1);        // 0.53
}
