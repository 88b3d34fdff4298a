// The skinned scroll bar: the thumb's length, the layout of buttons and track in both
// orientations, the held line buttons stepping by SmallChange until the capture goes
// elsewhere, a Custom bar without any picture, and a picture of both orientations per style.
#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>

#include "KIVScrollBar.h"
#include "SkinTestForm.h"
#include "WindowTestKit.h"

using kiv::kivHorizontal;
using kiv::kivVertical;
using kiv::TkivScrollBar;
using kiv::TkivUIStyle;

namespace {

TEST(ScrollThumbLength, AFixedLengthOfAtLeast18OrAShareOfTheTrack) {
  EXPECT_EQ(kiv::ScrollThumbLength(5, 50, 200), 18);
  EXPECT_EQ(kiv::ScrollThumbLength(40, 50, 200), 40);
  EXPECT_EQ(kiv::ScrollThumbLength(0, 50, 200), 100);
  EXPECT_EQ(kiv::ScrollThumbLength(0, 5, 200), 20);
  EXPECT_EQ(kiv::ScrollThumbLength(0, 150, 200), 20);
  EXPECT_EQ(kiv::ScrollThumbLength(0, 100, INT_MAX), INT_MAX);
}

class ScrollBarWindow : public ::testing::Test {
 protected:
  void SetUp() override { form.SetBounds(40, 40, 320, 260); }
  TkivScrollBar* Place() {
    auto* bar = new TkivScrollBar(&form);
    bar->SetParent(&form);
    bar->SetLeft(10);
    bar->SetTop(10);
    form.Show();
    testkit::Pump();
    return bar;
  }
  skintest::SkinnedForm form;
};

TEST_F(ScrollBarWindow, ButtonsAtTheEndsTheTrackBetweenAndTheThumbSized) {
  TkivScrollBar* bar = Place();
  auto& dec = bar->DecrementButton();
  auto& inc = bar->IncrementButton();
  auto& track = bar->Track();
  EXPECT_EQ(bar->Orientation(), kivVertical);
  EXPECT_EQ(bar->Height(), 185);
  EXPECT_GT(dec.Width(), 0);
  EXPECT_EQ(bar->Width(), dec.Width());
  EXPECT_EQ(track.Top(), dec.Height());
  // One pixel is left between the track and the increment button.
  EXPECT_EQ(track.Top() + track.Height() + 1, inc.Top());
  EXPECT_EQ(inc.Top() + inc.Height(), 185);
  EXPECT_EQ(track.Slider().Height(), track.Height() * 10 / 100);

  bar->SetPageSize(50);
  EXPECT_EQ(track.Slider().Height(), track.Height() / 2);
  // LargeChange is the paging step: above 100 it is not taken, and it leaves the thumb alone.
  bar->SetLargeChange(200);
  EXPECT_EQ(bar->PageSize(), 50);
  bar->SetLargeChange(20);
  EXPECT_EQ(track.Slider().Height(), track.Height() / 2);
  bar->SetLineButton(5);
  EXPECT_EQ(bar->LineButton(), 18);
  EXPECT_EQ(track.Slider().Height(), 18);

  bar->SetOrientation(kivHorizontal);
  bar->SetWidth(200);
  EXPECT_EQ(bar->Height(), dec.Height());
  EXPECT_EQ(track.Left(), dec.Width());
  EXPECT_EQ(track.Left() + track.Width(), inc.Left());
  EXPECT_EQ(inc.Left() + inc.Width(), 200);
  EXPECT_EQ(track.Slider().Width(), 18);
}

TEST_F(ScrollBarWindow, AHeldLineButtonStepsBySmallChangeUntilTheCaptureGoesElsewhere) {
  TkivScrollBar* bar = Place();
  ui::TComponent* sender = nullptr;
  bar->SetOnChange([&](ui::TComponent* s) { sender = s; });
  bar->SetSmallChange(3);
  bar->SetSmallChange(40000);
  EXPECT_EQ(bar->SmallChange(), 3);
  auto& inc = bar->IncrementButton();
  testkit::MouseDown(inc, inc.Width() / 2, inc.Height() / 2);
  testkit::PumpFor(450);
  EXPECT_GE(bar->Position(), 6);
  EXPECT_EQ(bar->Position() % 3, 0);
  EXPECT_EQ(sender, &bar->Track());
  ReleaseCapture();
  testkit::Pump();
  const int reached = bar->Position();
  testkit::PumpFor(400);
  EXPECT_EQ(bar->Position(), reached);

  // The decrement button steps back and stops at Min.
  auto& dec = bar->DecrementButton();
  testkit::MouseDown(dec, dec.Width() / 2, dec.Height() / 2);
  testkit::PumpFor(200 + 100 * reached / 3);
  testkit::MouseUp(dec, dec.Width() / 2, dec.Height() / 2);
  EXPECT_EQ(bar->Position(), 0);
}

TEST_F(ScrollBarWindow, ACustomBarWithoutPicturesDrawsAndTakesTheMouse) {
  form.skin->SetUIStyle(TkivUIStyle::Custom);
  TkivScrollBar* bar = Place();
  EXPECT_EQ(bar->UIStyle(), TkivUIStyle::Custom);
  bar->SetWidth(16);
  bar->SetPageSize(30);
  bar->ShowThumb(false);
  bar->ShowThumb(true);
  testkit::Pump();
  testkit::Click(bar->Track(), 5, bar->Track().Height() - 2);
  testkit::Drag(bar->Track().Slider(), {0, 0}, {0, 40});
  testkit::CaptureAndSave(form, "scrollbar_Custom");
  EXPECT_GT(bar->Position(), 0);
}

TEST(ScrollBarCaptures, BothOrientationsInEveryStyle) {
  for (const auto& s : skintest::kThemeStyles) {
    skintest::SkinnedForm form;
    form.skin->SetUIStyle(s.style);
    form.SetBounds(40, 40, 260, 220);
    auto* down = new TkivScrollBar(&form);
    down->SetParent(&form);
    down->SetBounds(220, 10, down->Width(), 185);
    down->SetPageSize(25);
    down->SetPosition(40);
    auto* across = new TkivScrollBar(&form);
    across->SetParent(&form);
    across->SetOrientation(kivHorizontal);
    across->SetBounds(10, 20, 190, across->Height());
    across->SetPageSize(30);
    across->SetPosition(60);
    form.Show();
    testkit::Pump();
    const auto picture = testkit::CaptureAndSave(form, std::string("scrollbar_") + s.name);
    // The rounded buttons' corners are keyed out: their magenta never reaches the screen.
    int magenta = 0;
    for (int y = 0; y < picture->Height(); ++y)
      for (int x = 0; x < picture->Width(); ++x) magenta += picture->Pixel(x, y) == ui::TColor(0xFF00FF);
    EXPECT_EQ(magenta, 0) << s.name;
    EXPECT_EQ(down->Width(), down->DecrementButton().Width()) << s.name;
    EXPECT_EQ(across->Height(), across->DecrementButton().Height()) << s.name;
    EXPECT_GT(down->Track().Slider().Top(), 0) << s.name;
  }
}

}  // namespace
