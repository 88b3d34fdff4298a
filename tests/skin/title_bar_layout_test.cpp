// The form skin's geometry without a window: sizing edges, the skin panel's place, title
// sections and buttons, the shortened caption and the window region.
#include <gtest/gtest.h>

#include "KIVForm.h"
#include "KIVTitleBarLayout.h"
#include "Messages.h"

namespace {

using namespace kiv;

int Hit(int x, int y, POINT origin = {100, 50}, SIZE client = {400, 300}) {
  return FormEdgeHitTest(ui::MakeMouseLParam(origin.x + x, origin.y + y), origin, client, HTCLIENT);
}

TEST(FormEdges, CornersAndEdgesAreFivePixelsWide) {
  EXPECT_EQ(Hit(0, 0), HTTOPLEFT);
  EXPECT_EQ(Hit(4, 4), HTTOPLEFT);
  EXPECT_EQ(Hit(5, 4), HTTOP);
  EXPECT_EQ(Hit(4, 150), HTLEFT);
  EXPECT_EQ(Hit(396, 2), HTTOPRIGHT);
  EXPECT_EQ(Hit(396, 296), HTBOTTOMRIGHT);
  EXPECT_EQ(Hit(2, 296), HTBOTTOMLEFT);
  EXPECT_EQ(Hit(396, 150), HTRIGHT);
  EXPECT_EQ(Hit(200, 299), HTBOTTOM);
  EXPECT_EQ(Hit(395, 295), HTCLIENT);
  EXPECT_EQ(Hit(200, 150), HTCLIENT);
}

TEST(FormEdges, AWindowLeftOfThePrimaryMonitorIsTestedWithSignedCoordinates) {
  const POINT origin{-1200, 40};
  EXPECT_EQ(Hit(2, 150, origin), HTLEFT);
  EXPECT_EQ(Hit(398, 150, origin), HTRIGHT);
  EXPECT_EQ(Hit(200, 150, origin), HTCLIENT);
  EXPECT_EQ(Hit(397, 298, {-600, -300}), HTBOTTOMRIGHT);
}

TEST(SkinPanel, LiesInsideTheFrameBelowAVisibleTitleBar) {
  const RECT xp = SkinPanelBounds({400, 300}, 3, true);
  EXPECT_EQ(xp.left, 3);
  EXPECT_EQ(xp.top, 0);
  EXPECT_EQ(xp.right - xp.left, 394);
  EXPECT_EQ(xp.bottom - xp.top, 297);
  const RECT hidden = SkinPanelBounds({400, 300}, 3, false);
  EXPECT_EQ(hidden.top, 3);
  EXPECT_EQ(hidden.bottom - hidden.top, 294);
}

TEST(TitleSections, LeftAndRightCapsFrameTheStretchedMiddle) {
  const auto places = LayoutTitleSections({{kivLeft, 8}, {kivRight, 6}, {kivClient, 10}}, 200, 22);
  ASSERT_EQ(places.size(), 3u);
  EXPECT_EQ(places[0].index, 0);
  EXPECT_EQ(places[0].rect.left, 0);
  EXPECT_EQ(places[0].rect.right, 8);
  EXPECT_EQ(places[1].rect.left, 194);
  EXPECT_EQ(places[1].rect.right, 200);
  EXPECT_EQ(places[2].index, 2);
  EXPECT_EQ(places[2].rect.left, 8);
  EXPECT_EQ(places[2].rect.right, 194);
  EXPECT_EQ(places[2].rect.bottom, 22);
}

TEST(TitleSections, ARightSectionThatNoLongerFitsIsLeftOut) {
  const auto places = LayoutTitleSections({{kivLeft, 30}, {kivRight, 20}, {kivRight, 5}}, 40, 10);
  ASSERT_EQ(places.size(), 2u);
  EXPECT_EQ(places[1].index, 2);
  EXPECT_EQ(places[1].rect.left, 35);
}

TEST(TitleButtons, TheFirstButtonIsRightmostAndTheControlBoxLeads) {
  const std::vector<TitleButtonSpec> buttons{
      {kivClose, 16, 14, 2}, {kivControlBox, 16, 14, 2}, {kivMax, 16, 14, 2}, {kivMin, 16, 14, 2}};
  TitleButtonLayout layout = PlaceTitleButtons(buttons, 200, {0, -2, 0}, false);
  ASSERT_EQ(layout.right.size(), 3u);
  EXPECT_EQ(layout.right[0].index, 0);
  EXPECT_EQ(layout.right[0].rect.left, 200 - 2 + 1 - 17);
  EXPECT_EQ(layout.right[1].rect.left, 182 - 17);
  EXPECT_EQ(layout.right[2].index, 3);
  EXPECT_EQ(layout.captionRight, layout.right[2].rect.left);
  EXPECT_EQ(layout.controlBox, 1);
  EXPECT_EQ(layout.captionLeft, 16 + 5);
  layout = PlaceTitleButtons(buttons, 200, {4, 0, 3}, true);
  EXPECT_EQ(layout.right[1].rect.left, 201 - 20 - 20);
  EXPECT_EQ(layout.iconAt.x, 7);
  EXPECT_EQ(layout.captionLeft, 4 + 21);
}

TEST(TitleButtons, WithoutOffsetControlBoxOrIconTheCaptionStartsAtSix) {
  const TitleButtonLayout layout = PlaceTitleButtons({{kivClose, 16, 14, 2}}, 100, {0, 0, 0}, false);
  EXPECT_EQ(layout.captionLeft, 6);
}

TEST(TitleCaption, ACaptionTooLongShowsTwoLettersAndDots) {
  auto width = [](std::string_view text) { return static_cast<int>(text.size()) * 7; };
  EXPECT_EQ(TitleCaptionText("Abcdefgh", 35, width), "Ab...");
  EXPECT_EQ(TitleCaptionText("Abcde", 35, width), "Abcde");
}

TEST(FormRegion, TopCornersAreRoundAndBottomCornersSquare) {
  com::gdi_region rounded = MakeFormRegion(400, 300, 13);
  EXPECT_FALSE(PtInRegion(rounded.get(), 0, 0));
  EXPECT_FALSE(PtInRegion(rounded.get(), 399, 0));
  EXPECT_TRUE(PtInRegion(rounded.get(), 6, 6));
  EXPECT_TRUE(PtInRegion(rounded.get(), 0, 299));
  EXPECT_TRUE(PtInRegion(rounded.get(), 399, 299));
  EXPECT_TRUE(PtInRegion(rounded.get(), 200, 0));
  com::gdi_region square = MakeFormRegion(400, 300, 0);
  EXPECT_TRUE(PtInRegion(square.get(), 0, 0));
  EXPECT_TRUE(PtInRegion(square.get(), 399, 299));
}

}  // namespace
