// Check boxes and radio buttons without a display: the pictures each style and state writes,
// hand-set pictures kept in Custom, transparency by style, fitting to box and caption, the
// radio group, and what a disabled box paints.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "KIVButton.h"
#include "SkinTestForm.h"

using kiv::TkivCheckBox;
using kiv::TkivRadioButton;
using kiv::TkivUIStyle;

namespace {

constexpr TkivUIStyle kStyles[] = {TkivUIStyle::MacOS, TkivUIStyle::WinXP, TkivUIStyle::DeepBlue,
                                   TkivUIStyle::Protein, TkivUIStyle::BlueGlass};

class TwoState : public ::testing::Test {
 protected:
  template <typename T>
  T* Make(TkivUIStyle formStyle) {
    window.skin->SetUIStyle(formStyle);
    T* control = ui::Create<T>(&window);
    control->SetParent(&window);
    return control;
  }
  static std::string Normal(kiv::TkivCustomButton& c) { return c.TkivCustomButton::PicNormalResName(); }

  skintest::SkinnedForm window;
};

TEST_F(TwoState, ThePicturesFollowStyleCheckedAndEnabled) {
  for (TkivUIStyle style : kStyles) {
    const std::string xp = style == TkivUIStyle::WinXP ? "NORMAL_" : "";
    const std::string prefix = kiv::GetThemeString(style, 24).substr(0, kiv::GetThemeString(style, 24).find('_') + 1);
    auto* box = Make<TkivCheckBox>(style);
    EXPECT_EQ(box->UIStyle(), style);
    EXPECT_EQ(Normal(*box), prefix + "CHECKBOX_" + xp + "UNCHECK");
    box->SetChecked(true);
    EXPECT_EQ(Normal(*box), prefix + "CHECKBOX_" + xp + "CHECK");
    EXPECT_EQ(box->PicMouseDownResName(),
              prefix + (style == TkivUIStyle::WinXP ? "CHECKBOX_MOUSEDOWN_CHECK" : "CHECKBOX_CHECK"));
    box->SetEnabled(false);
    EXPECT_EQ(Normal(*box), prefix + "CHECKBOX_DISABLE_CHECK");
    auto* radio = Make<TkivRadioButton>(style);
    EXPECT_EQ(Normal(*radio), prefix + "RADIOBUTTON_" + xp + "UNCHECK");
    radio->SetEnabled(false);
    EXPECT_EQ(Normal(*radio), prefix + "RADIOBUTTON_DISABLE_UNCHECK");
    EXPECT_EQ(box->Caption(), "kivCheckBox");
    EXPECT_EQ(radio->Caption(), "kivRadioButton");
    EXPECT_EQ(radio->Width(), 93);
    EXPECT_EQ(radio->Height(), 17);
  }
}

TEST_F(TwoState, TransparentInAquaAndProteinOnly) {
  for (TkivUIStyle style : kStyles) {
    auto* box = Make<TkivCheckBox>(style);
    EXPECT_EQ(box->Transparent(), style == TkivUIStyle::MacOS || style == TkivUIStyle::Protein);
    box->SetUIStyle(TkivUIStyle::Custom);
    EXPECT_EQ(box->Transparent(), style == TkivUIStyle::MacOS || style == TkivUIStyle::Protein);
  }
}

TEST_F(TwoState, ACustomControlKeepsThePicturesSetByHand) {
  auto* box = Make<TkivCheckBox>(TkivUIStyle::DeepBlue);
  box->SetUIStyle(TkivUIStyle::Custom);
  box->SetPicNormalResName("MY_BOX");
  box->SetPicMouseOnResName("MY_BOX_HOT");
  box->SetChecked(true);
  box->SetEnabled(false);
  box->SetUIStyle(TkivUIStyle::Custom);
  EXPECT_EQ(Normal(*box), "MY_BOX");
  EXPECT_EQ(box->PicMouseOnResName(), "MY_BOX_HOT");
  // And the push leaves it alone.
  kiv::ApplyStyleToChildren(window, TkivUIStyle::WinXP);
  EXPECT_EQ(box->UIStyle(), TkivUIStyle::Custom);
  EXPECT_EQ(Normal(*box), "MY_BOX");
}

TEST_F(TwoState, AutoSizeFitsBoxAndCaptionAndFollowsCaptionAndFont) {
  auto* box = Make<TkivCheckBox>(TkivUIStyle::WinXP);
  box->SetAutoSize(true);
  box->SetCaption("Use CDDB");
  const int boxWidth = 13;  // the WinXP box picture
  EXPECT_EQ(box->Width(), boxWidth + kiv::LineExtent(box->Font(), "Use CDDB").cx + 8);
  EXPECT_EQ(box->Height(), std::max(std::abs(box->Font().Height()) + 2, 13) + 4);
  box->Font().SetHeight(-20);
  EXPECT_EQ(box->Height(), 26);
  EXPECT_EQ(box->Width(), boxWidth + kiv::LineExtent(box->Font(), "Use CDDB").cx + 8);
}

TEST_F(TwoState, CheckingARadioButtonClearsItsGroupOnItsParentOnly) {
  auto* a = Make<TkivRadioButton>(TkivUIStyle::DeepBlue);
  auto* b = Make<TkivRadioButton>(TkivUIStyle::DeepBlue);
  auto* other = Make<TkivRadioButton>(TkivUIStyle::DeepBlue);
  other->SetGroupIndex(1);
  auto* panel = new ui::TWinControl(&window);
  panel->SetParent(&window);
  auto* elsewhere = Make<TkivRadioButton>(TkivUIStyle::DeepBlue);
  elsewhere->SetParent(panel);
  int clicks = 0;
  for (auto* r : {a, b, other, elsewhere}) {
    r->SetChecked(true);
    r->OnClick = [&](ui::TComponent*) { ++clicks; };
  }
  EXPECT_FALSE(a->Checked());
  EXPECT_TRUE(b->Checked());
  EXPECT_TRUE(other->Checked());
  EXPECT_TRUE(elsewhere->Checked());
  a->SetChecked(true);
  EXPECT_FALSE(b->Checked());
  EXPECT_TRUE(other->Checked());
  EXPECT_EQ(Normal(*b), "DEEPBLUE_RADIOBUTTON_UNCHECK");
  EXPECT_EQ(clicks, 0);
}

TEST_F(TwoState, ADisabledBoxShowsAGreyCaptionWithoutShadow) {
  auto* box = Make<TkivCheckBox>(TkivUIStyle::WinXP);
  box->SetColor(ui::clWhite);
  box->SetCaption("Normalize");
  box->Font().SetColor(ui::clBlack);
  box->SetEnabled(false);
  ui::TBitmap picture(box->Width(), box->Height());
  box->Perform(WM_PAINT, reinterpret_cast<WPARAM>(picture.MemoryDc()));
  int grey = 0, black = 0;
  for (int y = 0; y < picture.Height(); ++y)
    for (int x = 20; x < picture.Width(); ++x) {
      grey += picture.Pixel(x, y) == RGB(128, 128, 128);
      black += picture.Pixel(x, y) == RGB(0, 0, 0);
    }
  EXPECT_GT(grey, 20);
  EXPECT_EQ(black, 0);
  // The box is the disabled picture, drawn at x 1 and centred.
  ui::TBitmap disabled;
  ASSERT_TRUE(disabled.LoadFromResourceName(nullptr, "WINXP_CHECKBOX_DISABLE_UNCHECK"));
  EXPECT_EQ(picture.Pixel(1 + 6, (17 - 13) / 2 + 6), disabled.Pixel(6, 6));
}

}  // namespace
