// The skinned tool bar: which look each custom-draw state gets, where the image and caption
// go (on wrapped rows too), the style's colours and Custom, and the hot, pressed and checked
// buttons as drawn on the screen, with a picture of the bar in each style.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "KIVToolBar.h"
#include "SkinTestForm.h"
#include "WindowTestKit.h"

using kiv::TkivToolButtonLook;
using kiv::TkivUIStyle;

namespace {

TEST(ToolButtonLook, HotPressedIsDownHotOrCheckedIsNormalTheRestDefault) {
  EXPECT_EQ(kiv::ToolButtonLook(ui::cdsHot), TkivToolButtonLook::Normal);
  EXPECT_EQ(kiv::ToolButtonLook(ui::cdsHot | ui::cdsSelected), TkivToolButtonLook::Down);
  EXPECT_EQ(kiv::ToolButtonLook(ui::cdsHot | ui::cdsChecked), TkivToolButtonLook::Normal);
  EXPECT_EQ(kiv::ToolButtonLook(ui::cdsChecked), TkivToolButtonLook::Normal);
  EXPECT_EQ(kiv::ToolButtonLook(ui::cdsSelected), TkivToolButtonLook::Normal);
  EXPECT_EQ(kiv::ToolButtonLook(0), TkivToolButtonLook::Default);
  EXPECT_EQ(kiv::ToolButtonLook(ui::cdsFocused | ui::cdsDisabled), TkivToolButtonLook::Default);
}

TEST(ToolButtonPlaces, CentredOnTheButtonsOwnRectangleOnePixelOffWhenDown) {
  const RECT first{0, 0, 57, 44};
  auto normal = kiv::PlaceToolButtonContent(first, {16, 16}, 30, false);
  EXPECT_EQ(normal.image.x, 19);
  EXPECT_EQ(normal.image.y, 2);
  EXPECT_EQ(normal.caption.x, 13);
  EXPECT_EQ(normal.caption.y, 20);
  auto down = kiv::PlaceToolButtonContent(first, {16, 16}, 30, true);
  EXPECT_EQ(down.image.x, 20);
  EXPECT_EQ(down.image.y, 3);
  EXPECT_EQ(down.caption.y, 20);
  // Without images the caption stands near the top.
  EXPECT_EQ(kiv::PlaceToolButtonContent(first, {0, 0}, 30, false).caption.y, 4);
  EXPECT_EQ(kiv::PlaceToolButtonContent(first, {0, 0}, 30, true).caption.y, 5);
  // A button on the second row draws on that row, not over the first.
  auto wrapped = kiv::PlaceToolButtonContent({57, 44, 114, 88}, {16, 16}, 30, false);
  EXPECT_EQ(wrapped.image.x, 76);
  EXPECT_EQ(wrapped.image.y, 46);
  EXPECT_EQ(wrapped.caption.y, 64);
  // A caption wider than the button starts left of it rather than wrapping round.
  EXPECT_EQ(kiv::PlaceToolButtonContent(first, {0, 0}, 61, false).caption.x, -2);
}

// A bar of three buttons (the last a check button) with red, green and blue images and
// captions, on a window of the style.
struct BarSet {
  explicit BarSet(TkivUIStyle style) {
    form.skin->SetUIStyle(style);
    form.SetBounds(40, 40, 240, 60);
    images = new ui::TCustomImageList(&form, 16, 16);
    for (ui::TColor color : {ui::clRed, ui::clGreen, ui::clBlue}) {
      ui::TBitmap picture(16, 16);
      picture.Canvas().Brush().SetColor(color);
      picture.Canvas().FillRect({0, 0, 16, 16});
      images->Add(picture);
    }
    bar = new kiv::TkivToolBar(&form);
    bar->SetBounds(0, 0, 240, 60);
    bar->SetShowCaptions(true);
    bar->SetImages(images);
    bar->SetButtonWidth(57);
    bar->SetButtonHeight(44);
    rip = AddButton("Rip", 0);
    play = AddButton("Play", 1);
    mp3 = AddButton("MP3", 2);
    mp3->SetStyle(ui::tbsCheck);
    bar->SetParent(&form);
    form.Show();
    testkit::Pump();
  }

  ui::TToolButton* AddButton(const char* caption, int image) {
    auto* button = new ui::TToolButton(&form);
    button->SetCaption(caption);
    button->SetImageIndex(image);
    button->SetParent(bar);
    return button;
  }

  std::unique_ptr<ui::TBitmap> Shot() {
    RedrawWindow(bar->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    return testkit::Capture(*bar);
  }

  skintest::SkinnedForm form;
  ui::TCustomImageList* images = nullptr;
  kiv::TkivToolBar* bar = nullptr;
  ui::TToolButton *rip = nullptr, *play = nullptr, *mp3 = nullptr;
};

class ToolBarWindow : public ::testing::Test, public BarSet {
 protected:
  ToolBarWindow() : BarSet(TkivUIStyle::DeepBlue) {}
};

TEST_F(ToolBarWindow, TakesTheStyleColoursAndCustomKeepsThem) {
  EXPECT_TRUE(bar->Flat());
  EXPECT_EQ(bar->UIStyle(), TkivUIStyle::DeepBlue);
  EXPECT_EQ(bar->ButtonBorderColor(), kiv::GetThemeColor(TkivUIStyle::DeepBlue, 80));
  EXPECT_EQ(bar->ButtonColor(), kiv::GetThemeColor(TkivUIStyle::DeepBlue, 81));
  EXPECT_EQ(bar->ButtonDownColor(), kiv::GetThemeColor(TkivUIStyle::DeepBlue, 82));
  EXPECT_EQ(bar->Color(), kiv::GetThemeColor(TkivUIStyle::DeepBlue, 83));
  EXPECT_FALSE(bar->Transparent());
  kiv::ApplyStyleToChildren(form, TkivUIStyle::MacOS);
  EXPECT_EQ(bar->UIStyle(), TkivUIStyle::MacOS);
  EXPECT_TRUE(bar->Transparent());
  bar->SetButtonColor(ui::clYellow);
  bar->SetUIStyle(TkivUIStyle::Custom);
  EXPECT_EQ(bar->UIStyle(), TkivUIStyle::Custom);
  EXPECT_EQ(bar->ButtonColor(), ui::clYellow);
  EXPECT_TRUE(bar->Transparent());
}

TEST_F(ToolBarWindow, HotPressedAndCheckedButtonsAreFilledFramedAndCarryTheirImage) {
  bar->SetUIStyle(TkivUIStyle::Custom);
  bar->SetColor(ui::clWhite);
  bar->SetButtonColor(ui::clYellow);
  bar->SetButtonDownColor(ui::clAqua);
  bar->SetButtonBorderColor(ui::clNavy);
  mp3->SetDown(true);
  testkit::MouseMove(*rip, 5, 5);
  testkit::Pump();
  auto shot = Shot();
  testkit::SavePicture(*shot, "toolbar_hot");
  auto places = [&](ui::TToolButton* b, bool down) {
    return kiv::PlaceToolButtonContent(b->BoundsRect(), {16, 16}, 0, down);
  };
  // The hot button: framed, filled in ButtonColor, its image at rest.
  EXPECT_EQ(shot->Pixel(rip->Left(), rip->Top() + 10), ui::clNavy);
  EXPECT_EQ(shot->Pixel(rip->Left() + 2, rip->Top() + 30), ui::clYellow);
  EXPECT_EQ(shot->Pixel(places(rip, false).image.x, places(rip, false).image.y), ui::clRed);
  // The checked one that is not hot: ButtonColor too, with its blue image.
  EXPECT_EQ(shot->Pixel(mp3->Left() + 2, mp3->Top() + 30), ui::clYellow);
  EXPECT_EQ(shot->Pixel(places(mp3, false).image.x + 8, places(mp3, false).image.y + 8), ui::clBlue);
  // A plain button is left to the bar's drawing: no fill of ours.
  EXPECT_NE(shot->Pixel(play->Left() + 2, play->Top() + 30), ui::clYellow);

  // Held down under the pointer: the down fill, the image one pixel right and down.
  testkit::MouseDown(*rip, 5, 5);
  testkit::Pump();
  shot = Shot();
  testkit::SavePicture(*shot, "toolbar_down");
  EXPECT_EQ(shot->Pixel(rip->Left() + 2, rip->Top() + 30), ui::clAqua);
  EXPECT_EQ(shot->Pixel(places(rip, true).image.x + 15, places(rip, true).image.y + 15), ui::clRed);
  EXPECT_NE(shot->Pixel(places(rip, true).image.x, places(rip, true).image.y - 1), ui::clRed);
  // Dragged off while held: no longer drawn down.
  testkit::MouseMove(*play, 5, 30);
  testkit::Pump();
  shot = Shot();
  EXPECT_NE(shot->Pixel(rip->Left() + 2, rip->Top() + 30), ui::clAqua);
  testkit::MouseUp(*play, 5, 30);
  testkit::Pump();

  // On a bar too narrow for one row the checked button wraps and draws on its own row.
  form.SetHeight(110);
  bar->SetBounds(0, 0, 130, 100);
  testkit::Pump();
  ASSERT_GT(mp3->Top(), 0);
  shot = Shot();
  const auto p = places(mp3, false);
  EXPECT_EQ(shot->Pixel(p.image.x + 8, p.image.y + 8), ui::clBlue);
  EXPECT_EQ(shot->Pixel(mp3->Left() + 2, mp3->Top() + 30), ui::clYellow);
}

TEST(ToolBarCaptures, HotAndCheckedButtonsInEveryStyle) {
  for (const auto& st : skintest::kThemeStyles) {
    BarSet set(st.style);
    set.mp3->SetDown(true);
    testkit::MouseMove(*set.rip, 5, 5);
    testkit::Pump();
    set.Shot();
    testkit::CaptureAndSave(set.form, std::string("toolbar_") + st.name);
    EXPECT_EQ(set.bar->UIStyle(), st.style);
  }
}

}  // namespace
