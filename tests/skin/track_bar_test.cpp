// The track bar's geometry as plain functions: the slider's place for a position, the value
// under a pointer and one paging step, at the ends, with an empty range or no room to move,
// and with ranges wide enough that 32-bit products would overflow.
#include <gtest/gtest.h>

#include <climits>

#include "KIVTrackBar.h"

using kiv::kivHorizontal;
using kiv::kivVertical;
using kiv::TkivTrackGeometry;

namespace {

TkivTrackGeometry Horizontal(int min, int max) { return {kivHorizontal, {200, 24}, {20, 16}, min, max}; }
TkivTrackGeometry Vertical(int min, int max) { return {kivVertical, {24, 200}, {16, 20}, min, max}; }

bool Same(POINT a, POINT b) { return a.x == b.x && a.y == b.y; }

TEST(TrackSliderPlacement, MinAtTheLeftOrTopMaxAtTheOtherEndCentredAcross) {
  EXPECT_TRUE(Same(kiv::PlaceTrackSlider(Horizontal(0, 100), 0), {0, 4}));
  EXPECT_TRUE(Same(kiv::PlaceTrackSlider(Horizontal(0, 100), 50), {90, 4}));
  EXPECT_TRUE(Same(kiv::PlaceTrackSlider(Horizontal(0, 100), 100), {180, 4}));
  EXPECT_TRUE(Same(kiv::PlaceTrackSlider(Vertical(-50, 50), 50), {4, 180}));
  // An empty range keeps the slider at the start; a slider thicker than the bar sits at 0.
  EXPECT_TRUE(Same(kiv::PlaceTrackSlider(Horizontal(7, 7), 7), {0, 4}));
  TkivTrackGeometry thick = Horizontal(0, 100);
  thick.slider.cy = 40;
  EXPECT_EQ(kiv::PlaceTrackSlider(thick, 0).y, 0);
}

TEST(TrackSliderPlacement, WideRangesDoNotOverflow) {
  // 65535 x 180 and 2^31 x 180 overflow 32 bits.
  EXPECT_EQ(kiv::PlaceTrackSlider(Horizontal(0, 65535 * 20000), 65535 * 20000).x, 180);
  EXPECT_EQ(kiv::PlaceTrackSlider(Horizontal(INT_MIN, INT_MAX), INT_MAX).x, 180);
  EXPECT_EQ(kiv::PlaceTrackSlider(Horizontal(INT_MIN, INT_MAX), 0).x, 90);
  EXPECT_EQ(kiv::PlaceTrackSlider(Vertical(INT_MIN, INT_MAX), INT_MIN).y, 0);
}

TEST(TrackValueAtPointer, MeasuredFromTheSlidersMiddleWithinTheIntegers) {
  EXPECT_EQ(kiv::TrackValueAt(Horizontal(0, 100), {10, 5}), 0);
  EXPECT_EQ(kiv::TrackValueAt(Horizontal(0, 100), {100, 5}), 50);
  EXPECT_EQ(kiv::TrackValueAt(Horizontal(0, 100), {190, 5}), 100);
  EXPECT_EQ(kiv::TrackValueAt(Vertical(1000, 2000), {5, 190}), 2000);
  // Unlimited by the range, but a pointer far outside a huge range stays an integer.
  EXPECT_EQ(kiv::TrackValueAt(Horizontal(0, 100), {-80, 5}), -50);
  EXPECT_EQ(kiv::TrackValueAt(Horizontal(0, INT_MAX), {190, 5}), INT_MAX);
  EXPECT_EQ(kiv::TrackValueAt(Horizontal(INT_MIN, INT_MAX), {5000, 5}), INT_MAX);
  EXPECT_EQ(kiv::TrackValueAt(Horizontal(INT_MIN, INT_MAX), {-5000, 5}), INT_MIN);
  // An empty range gives Min; a slider as long as the control gives 0.
  EXPECT_EQ(kiv::TrackValueAt(Horizontal(7, 7), {150, 5}), 7);
  TkivTrackGeometry full = Horizontal(5, 100);
  full.slider.cx = 200;
  EXPECT_EQ(kiv::TrackValueAt(full, {150, 5}), 0);
}

TEST(TrackPaging, StepsByThePageButNeverPastThePointer) {
  EXPECT_EQ(kiv::TrackPageStep(20, 10, 40, 150, 70), 30);
  EXPECT_EQ(kiv::TrackPageStep(20, 10, 40, 45, 25), 25);
  EXPECT_EQ(kiv::TrackPageStep(20, 10, 40, 5, 2), 10);
  EXPECT_EQ(kiv::TrackPageStep(20, 10, 40, 35, 17), 17);
  EXPECT_EQ(kiv::TrackPageStep(20, 10, 40, 40, 20), 20);
  EXPECT_EQ(kiv::TrackPageStep(INT_MAX - 3, 10, 40, 150, INT_MAX), INT_MAX);
  EXPECT_EQ(kiv::TrackPageStep(INT_MIN + 3, 10, 40, 5, INT_MIN), INT_MIN);
}

}  // namespace
