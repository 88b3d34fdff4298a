// Track bars on a shown window, driven through the message queue: the slider dragged with the
// mouse (the change announced one move late, none at the release), paging on the bar while
// the button is held and its end when the mouse capture goes elsewhere, the property writes,
// and a picture of both orientations in every style.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "KIVTrackBar.h"
#include "SkinTestForm.h"
#include "WindowTestKit.h"

using kiv::kivHorizontal;
using kiv::kivVertical;
using kiv::TkivProgressBarOrientation;
using kiv::TkivTrackBar;

namespace {

class TrackBarWindow : public ::testing::Test {
 protected:
  void SetUp() override { form.SetBounds(40, 40, 320, 260); }
  TkivTrackBar* Place(TkivProgressBarOrientation orientation) {
    auto* bar = new TkivTrackBar(&form);
    bar->SetParent(&form);
    bar->SetOrientation(orientation);
    if (orientation == kivHorizontal) bar->SetBounds(10, 10, 220, bar->Height());
    else bar->SetBounds(260, 10, bar->Width(), 220);
    bar->OnChange = [this, bar](ui::TComponent* sender) {
      EXPECT_EQ(sender, bar);
      changes.push_back(bar->Position());
    };
    form.Show();
    testkit::Pump();
    return bar;
  }

  skintest::SkinnedForm form;
  std::vector<int> changes;
};

TEST_F(TrackBarWindow, DraggingTheSliderMovesItAndAnnouncesEachPositionOneMoveLate) {
  for (TkivProgressBarOrientation orientation : {kivHorizontal, kivVertical}) {
    changes.clear();
    TkivTrackBar* bar = Place(orientation);
    kiv::TkivImagePanel& slider = bar->Slider();
    const bool horizontal = orientation == kivHorizontal;
    const int thickness = horizontal ? slider.Width() : slider.Height();
    const int across = horizontal ? bar->Height() / 2 : bar->Width() / 2;
    auto at = [&](int along) {
      return horizontal ? testkit::At(along, across) : testkit::At(across, along);
    };
    auto valueAt = [&](int along) { return (along - thickness / 2) * 100 / (220 - thickness); };
    auto sliderAt = [&] { return horizontal ? slider.Left() : slider.Top(); };

    // Each move is sent on its own (a moved screen cursor would add moves of its own).
    testkit::Send(slider, WM_LBUTTONDOWN, MK_LBUTTON, testkit::At(thickness / 2, thickness / 2));
    EXPECT_TRUE(bar->Dragging());
    EXPECT_TRUE(bar->MouseCapture());
    testkit::Send(*bar, WM_MOUSEMOVE, MK_LBUTTON, at(60));
    EXPECT_TRUE(changes.empty());
    EXPECT_EQ(bar->Position(), valueAt(60));
    testkit::Send(*bar, WM_MOUSEMOVE, MK_LBUTTON, at(120));
    EXPECT_EQ(changes, std::vector<int>{valueAt(60)});
    EXPECT_EQ(sliderAt(), 120 - thickness / 2);
    // Far past the end the slider stops there and the position at Max.
    testkit::Send(*bar, WM_MOUSEMOVE, MK_LBUTTON, at(400));
    EXPECT_EQ(sliderAt(), 220 - thickness);
    testkit::Send(*bar, WM_LBUTTONUP, 0, at(400));
    EXPECT_EQ(changes, (std::vector<int>{valueAt(60), valueAt(120)}));
    EXPECT_EQ(bar->Position(), 100);
    EXPECT_FALSE(bar->Dragging());
    EXPECT_FALSE(bar->MouseCapture());

    // The same drag as a user makes it, through the queue: back to a third of the way.
    const POINT grab{slider.Width() / 2, slider.Height() / 2};
    const POINT to = horizontal ? POINT{grab.x + 70 - sliderAt(), grab.y}
                                : POINT{grab.x, grab.y + 70 - sliderAt()};
    testkit::Drag(slider, grab, to);
    EXPECT_EQ(sliderAt(), 70);
    EXPECT_EQ(bar->Position(), valueAt(70 + thickness / 2));
    EXPECT_FALSE(bar->Dragging());
    EXPECT_FALSE(bar->MouseCapture());
  }
}

TEST_F(TrackBarWindow, HoldingTheButtonOnTheBarPagesUntilTheCaptureGoesElsewhere) {
  TkivTrackBar* bar = Place(kivHorizontal);
  const int y = bar->Height() / 2;
  testkit::MouseDown(*bar, 200, y);
  EXPECT_EQ(bar->Position(), 10);
  EXPECT_TRUE(bar->Paging());
  testkit::PumpFor(1200);
  EXPECT_GE(bar->Position(), 20);
  // Another window takes the mouse: the held press is over and the repeat stops.
  ReleaseCapture();
  testkit::Pump();
  EXPECT_FALSE(bar->Paging());
  const int reached = bar->Position();
  testkit::PumpFor(1200);
  EXPECT_EQ(bar->Position(), reached);
  EXPECT_EQ(changes.back(), reached);

  // A press left of the slider pages back, never past the value under the pointer.
  testkit::MouseDown(*bar, 12, y);
  testkit::MouseUp(*bar, 12, y);
  EXPECT_EQ(bar->Position(), reached - 10);
  EXPECT_FALSE(bar->Paging());
}

TEST_F(TrackBarWindow, PropertyWritesClampAnnounceOnceAndIgnoreBadPageSizes) {
  TkivTrackBar* bar = Place(kivHorizontal);
  const int left = bar->Slider().Left();
  bar->SetPosition(150);
  bar->SetPosition(100);
  EXPECT_EQ(bar->Position(), 100);
  EXPECT_EQ(changes, std::vector<int>{100});
  EXPECT_EQ(bar->Slider().Left(), 220 - bar->Slider().Width());
  EXPECT_NE(bar->Slider().Left(), left);
  bar->SetPosition(-5);
  EXPECT_EQ(bar->Position(), 0);
  // Max below the position does not clamp it until the next write.
  bar->SetPosition(80);
  bar->SetMax(50);
  EXPECT_EQ(bar->Position(), 80);
  bar->SetPosition(80);
  EXPECT_EQ(bar->Position(), 50);
  bar->SetPageSize(150);
  bar->SetPageSize(-1);
  EXPECT_EQ(bar->PageSize(), 10);
  bar->SetPageSize(0);
  EXPECT_EQ(bar->PageSize(), 0);
}

TEST(TrackBarCaptures, BothOrientationsInEveryStyle) {
  for (const auto& s : skintest::kThemeStyles) {
    skintest::SkinnedForm form;
    form.skin->SetUIStyle(s.style);
    form.SetBounds(40, 40, 300, 220);
    auto* across = new TkivTrackBar(&form);
    across->SetParent(&form);
    across->SetBounds(10, 20, 220, across->Height());
    across->SetPosition(30);
    auto* down = new TkivTrackBar(&form);
    down->SetParent(&form);
    down->SetOrientation(kivVertical);
    down->SetBounds(250, 10, down->Width(), 190);
    down->SetPosition(70);
    form.Show();
    testkit::Pump();
    std::unique_ptr<ui::TBitmap> picture = testkit::CaptureAndSave(form, std::string("trackbar_") + s.name);
    // Each bar is as thick as its bar picture or slider, whichever is thicker, and the
    // slider stands at its position.
    EXPECT_EQ(across->Height(), std::max(across->BarImage().Height(), across->Slider().Height()))
        << s.name;
    EXPECT_EQ(down->Width(), std::max(down->BarImage().Height(), down->Slider().Width())) << s.name;
    EXPECT_GT(across->Slider().Left(), 0) << s.name;
  }
}

}  // namespace
