// The push buttons without a display: glyph and caption placement, the theme pictures and
// style adjustments each style writes, values stored after the style, and what a paint puts
// into an off-screen picture in a few states.
#include <gtest/gtest.h>

#include <memory>

#include "Form.h"
#include "KIVButton.h"
#include "SkinTestForm.h"

using kiv::TkivButton;
using kiv::TkivUIStyle;
using ui::TBitmap;
using ui::TColor;

namespace {

TEST(GlyphPlacement, EachLayoutPutsGlyphAndCaptionSideBySideAroundTheCentre) {
  const SIZE control{80, 27}, text{30, 13}, glyph{16, 16};
  auto p = kiv::PlaceGlyph(kiv::blGlyphLeft, control, text, glyph, 4);
  EXPECT_EQ(p.glyph.x, (80 - 50) / 2);
  EXPECT_EQ(p.glyph.y, (27 - 16) / 2);
  EXPECT_EQ(p.caption.x, 15 + 16 + 4);
  EXPECT_EQ(p.caption.y, (27 - 13) / 2);
  p = kiv::PlaceGlyph(kiv::blGlyphRight, control, text, glyph, 4);
  EXPECT_EQ(p.glyph.x, (80 + 30 + 4 - 16) / 2);
  EXPECT_EQ(p.caption.x, 49 - 30 - 4);
  p = kiv::PlaceGlyph(kiv::blGlyphTop, {80, 60}, text, glyph, 4);
  EXPECT_EQ(p.glyph.x, 32);
  EXPECT_EQ(p.glyph.y, (60 - 33) / 2);
  EXPECT_EQ(p.caption.x, 25);
  EXPECT_EQ(p.caption.y, 13 + 16 + 4);
  p = kiv::PlaceGlyph(kiv::blGlyphBottom, {80, 60}, text, glyph, 4);
  EXPECT_EQ(p.glyph.y, (60 + 13 + 4 - 16) / 2);
  EXPECT_EQ(p.caption.y, 30 - 13 - 4);
  // Halves round toward zero, also below zero: a caption wider than the button.
  p = kiv::PlaceGlyph(kiv::blGlyphLeft, {20, 27}, {31, 13}, glyph, 4);
  EXPECT_EQ(p.glyph.x, -15);
}

TEST(BoxAndCaptionFit, BoxPlusTextPlusEightByTheTallerOfFontAndBoxPlusFour) {
  EXPECT_EQ(kiv::FitBoxAndCaption({13, 13}, 11, 50).cx, 71);
  EXPECT_EQ(kiv::FitBoxAndCaption({13, 13}, 11, 50).cy, 17);
  EXPECT_EQ(kiv::FitBoxAndCaption({13, 13}, 16, 50).cy, 22);
}

class ButtonStyles : public ::testing::Test {
 protected:
  skintest::SkinnedForm window;
  TkivButton* Make(TkivUIStyle formStyle) {
    window.skin->SetUIStyle(formStyle);
    return new TkivButton(&window);
  }
};

TEST_F(ButtonStyles, AButtonTakesTheFormSkinsStyleAndItsThreePictures) {
  for (TkivUIStyle style : {TkivUIStyle::MacOS, TkivUIStyle::WinXP, TkivUIStyle::DeepBlue,
                            TkivUIStyle::Protein, TkivUIStyle::BlueGlass}) {
    TkivButton* button = Make(style);
    EXPECT_EQ(button->UIStyle(), style);
    const std::string prefix = kiv::GetThemeString(style, 24).substr(0, kiv::GetThemeString(style, 24).find('_'));
    EXPECT_EQ(button->TkivCustomButton::PicNormalResName(), prefix + "_BUTTON_NORMAL");
    EXPECT_EQ(button->TkivCustomButton::PicMouseOnResName(), prefix + "_BUTTON_MOUSEON");
    EXPECT_EQ(button->TkivCustomButton::PicMouseDownResName(), prefix + "_BUTTON_MOUSEDOWN");
    // A styled button keeps no names of its own, nor a module.
    EXPECT_EQ(button->PicNormalResName(), "");
    EXPECT_EQ(button->ResHandle(), nullptr);
    EXPECT_EQ(button->Height(), style == TkivUIStyle::MacOS ? 23 : 27);
    EXPECT_EQ(button->Width(), 80);
    EXPECT_EQ(button->Transparent(), style == TkivUIStyle::BlueGlass);
    EXPECT_TRUE(button->TabStop());
  }
}

TEST_F(ButtonStyles, AButtonOnAWindowWithoutFormSkinIsDeepBlue) {
  ui::TForm bare(nullptr);
  TkivButton button(&bare);
  EXPECT_EQ(button.UIStyle(), TkivUIStyle::DeepBlue);
}

TEST_F(ButtonStyles, AnAquaButtonIs23HighAndRefusesOtherHeights) {
  TkivButton* button = Make(TkivUIStyle::MacOS);
  button->SetBounds(0, 0, 100, 30);
  EXPECT_EQ(button->Height(), 23);
  EXPECT_EQ(button->Width(), 80);
  button->SetUIStyle(TkivUIStyle::WinXP);
  button->SetHeight(30);
  EXPECT_EQ(button->Height(), 30);
}

TEST_F(ButtonStyles, WritingAPictureNameTurnsTheButtonCustomAndOpaque) {
  TkivButton* button = Make(TkivUIStyle::BlueGlass);
  button->SetPicNormalResName("MY_BUTTON");
  EXPECT_EQ(button->UIStyle(), TkivUIStyle::Custom);
  EXPECT_FALSE(button->Transparent());
  EXPECT_EQ(button->PicNormalResName(), "MY_BUTTON");
  // Custom keeps what was set by hand: no theme names, no auto size on a push button.
  EXPECT_EQ(button->TkivCustomButton::PicMouseOnResName(), "BLUEGLASS_BUTTON_MOUSEON");
  EXPECT_FALSE(button->AutoSize());
}

TEST_F(ButtonStyles, AValueStoredAfterTheStyleWins) {
  ui::TLayoutLoading loading(window);
  TkivButton* button = Make(TkivUIStyle::DeepBlue);
  button->SetUIStyle(TkivUIStyle::BlueGlass);
  button->SetTransparent(false);
  button->SetHeight(31);
  EXPECT_FALSE(button->Transparent());
  EXPECT_EQ(button->Height(), 31);
}

TEST_F(ButtonStyles, TheStylePushReachesButtonsButNotCustomOnes) {
  TkivButton* styled = Make(TkivUIStyle::DeepBlue);
  TkivButton* custom = Make(TkivUIStyle::DeepBlue);
  styled->SetParent(&window);
  custom->SetParent(&window);
  custom->SetUIStyle(TkivUIStyle::Custom);
  kiv::ApplyStyleToChildren(window, TkivUIStyle::Protein);
  EXPECT_EQ(styled->UIStyle(), TkivUIStyle::Protein);
  EXPECT_EQ(custom->UIStyle(), TkivUIStyle::Custom);
}

// --- Painting into an off-screen picture ---

class ButtonPaint : public ButtonStyles {
 protected:
  std::unique_ptr<TBitmap> Paint(kiv::TkivCustomButton& button) {
    auto bitmap = std::make_unique<TBitmap>(button.Width(), button.Height());
    button.Perform(WM_PAINT, reinterpret_cast<WPARAM>(bitmap->MemoryDc()));
    return bitmap;
  }
  static int Count(const TBitmap& bitmap, TColor color) {
    int n = 0;
    for (int y = 0; y < bitmap.Height(); ++y)
      for (int x = 0; x < bitmap.Width(); ++x) n += bitmap.Pixel(x, y) == color;
    return n;
  }
};

TEST_F(ButtonPaint, ADisabledCaptionIsDrawnGreyOverAWhiteShadow) {
  TkivButton* button = Make(TkivUIStyle::WinXP);
  button->SetCaption("Rip Now");
  button->Font().SetColor(ui::clBlack);
  auto enabled = Paint(*button);
  EXPECT_GT(Count(*enabled, ui::clBlack), 20);
  button->SetEnabled(false);
  auto disabled = Paint(*button);
  EXPECT_EQ(Count(*disabled, ui::clBlack), 0);
  EXPECT_GT(Count(*disabled, RGB(128, 128, 128)), 20);
  EXPECT_GT(Count(*disabled, ui::clWhite), Count(*enabled, ui::clWhite) + 20);
}

TEST_F(ButtonPaint, ACaptionOfBlanksDrawsNoText) {
  TkivButton* button = Make(TkivUIStyle::WinXP);
  button->Font().SetColor(ui::clRed);
  button->SetCaption("   ");
  EXPECT_EQ(Count(*Paint(*button), ui::clRed), 0);
}

TEST_F(ButtonPaint, AMissingPictureLeavesTheButtonInItsColour) {
  TkivButton* button = Make(TkivUIStyle::DeepBlue);
  button->SetPicNormalResName("NO_SUCH_PICTURE");
  button->SetColor(RGB(10, 200, 30));
  auto picture = Paint(*button);
  EXPECT_EQ(Count(*picture, RGB(10, 200, 30)), 80 * 27);
}

TEST_F(ButtonPaint, ATwoImageGlyphShowsItsSecondImageWhenDisabled) {
  TkivButton* button = Make(TkivUIStyle::DeepBlue);
  button->SetCaption("");
  TBitmap glyph(32, 16);
  glyph.Canvas().Brush().SetColor(ui::clWhite);  // the mask colour, at (0, 0)
  glyph.Canvas().FillRect({0, 0, 32, 16});
  glyph.Canvas().Brush().SetColor(ui::clRed);
  glyph.Canvas().FillRect({2, 2, 14, 14});
  glyph.Canvas().Brush().SetColor(ui::clLime);
  glyph.Canvas().FillRect({18, 2, 30, 14});
  button->SetGlyph(glyph);
  auto enabled = Paint(*button);
  EXPECT_EQ(Count(*enabled, ui::clRed), 144);
  EXPECT_EQ(Count(*enabled, ui::clLime), 0);
  button->SetEnabled(false);
  auto disabled = Paint(*button);
  EXPECT_EQ(Count(*disabled, ui::clRed), 0);
  EXPECT_EQ(Count(*disabled, ui::clLime), 144);
  // The white around the glyph (left at 30) is left out.
  EXPECT_NE(enabled->Pixel(30, 13), ui::clWhite);
  EXPECT_EQ(disabled->Pixel(30, 13), enabled->Pixel(30, 13));
}

// The leftmost column holding a pixel of the colour, -1 when there is none.
int LeftmostOf(const TBitmap& bitmap, TColor color) {
  for (int x = 0; x < bitmap.Width(); ++x)
    for (int y = 0; y < bitmap.Height(); ++y)
      if (bitmap.Pixel(x, y) == color) return x;
  return -1;
}

TEST_F(ButtonPaint, LayoutAndSpacingPutTheGlyphBesideTheCaption) {
  TkivButton* button = Make(TkivUIStyle::DeepBlue);
  button->SetWidth(120);
  button->SetCaption("Play");
  TBitmap glyph(16, 16);  // a red square on the white that is its mask colour
  glyph.Canvas().Brush().SetColor(ui::clWhite);
  glyph.Canvas().FillRect({0, 0, 16, 16});
  glyph.Canvas().Brush().SetColor(ui::clRed);
  glyph.Canvas().FillRect({2, 2, 14, 14});
  button->SetGlyph(glyph);
  const int left = LeftmostOf(*Paint(*button), ui::clRed);
  ASSERT_GE(left, 0);
  button->SetSpacing(24);
  EXPECT_EQ(LeftmostOf(*Paint(*button), ui::clRed), left - 10) << "glyph and caption part around the centre";
  button->SetLayout(kiv::blGlyphRight);
  const int right = LeftmostOf(*Paint(*button), ui::clRed);
  EXPECT_GT(right, left - 10 + 16 + 24) << "the glyph goes after the caption and the spacing";
  button->SetSpacing(4);
  EXPECT_EQ(LeftmostOf(*Paint(*button), ui::clRed), right - 10);
}

TEST_F(ButtonPaint, AnImageButtonShowsItsDisabledPictureOrElseItsNormalOne) {
  auto* button = new kiv::TkivImageButton(&window);
  button->SetBounds(0, 0, 20, 20);
  auto fill = [](ui::TPicture& picture, TColor color) {
    TBitmap bitmap(20, 20);
    bitmap.Canvas().Brush().SetColor(color);
    bitmap.Canvas().FillRect({0, 0, 20, 20});
    bitmap.SetPixel(0, 0, ui::clWhite);  // the transparent colour
    picture.SetGraphic(&bitmap);
  };
  ui::TPicture normal, disabled;
  fill(normal, ui::clRed);
  fill(disabled, ui::clGray);
  button->SetPicNormal(normal);
  button->SetEnabled(false);
  EXPECT_EQ(Paint(*button)->Pixel(10, 10), ui::clRed) << "no disabled picture: the normal one";
  button->SetPicDisabled(disabled);
  EXPECT_EQ(Paint(*button)->Pixel(10, 10), ui::clGray);
  button->SetEnabled(true);
  EXPECT_EQ(Paint(*button)->Pixel(10, 10), ui::clRed);
}

}  // namespace
