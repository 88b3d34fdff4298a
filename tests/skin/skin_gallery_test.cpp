// Every control of the buttons, panels and progress units in every style, on a shown window
// in the style's form colour: a picture of each window is written under the build folder's
// captures (skin_controls_<style>.png) for a person to look at, and a few pixels are checked.
#include <gtest/gtest.h>

#include <memory>

#include "KIVButton.h"
#include "KIVGroupBox.h"
#include "KIVImagePanel.h"
#include "KIVProgressBar.h"
#include "KIVRadioGroup.h"
#include "SkinTestForm.h"
#include "WindowCapture.h"
#include "WindowInput.h"
#include "WindowTestKit.h"

using kiv::TkivUIStyle;

namespace {

const char* StyleName(TkivUIStyle style) {
  switch (style) {
    case TkivUIStyle::MacOS: return "MacOS";
    case TkivUIStyle::WinXP: return "WinXP";
    case TkivUIStyle::DeepBlue: return "DeepBlue";
    case TkivUIStyle::Protein: return "Protein";
    case TkivUIStyle::BlueGlass: return "BlueGlass";
    case TkivUIStyle::Custom: break;
  }
  return "Custom";
}

std::unique_ptr<ui::TBitmap> Glyph() {
  auto glyph = std::make_unique<ui::TBitmap>(16, 16);
  glyph->Canvas().Brush().SetColor(ui::clFuchsia);
  glyph->Canvas().FillRect({0, 0, 16, 16});
  glyph->Canvas().Brush().SetColor(RGB(40, 140, 60));
  glyph->Canvas().Pen().SetColor(RGB(20, 90, 30));
  glyph->Canvas().Ellipse(2, 2, 14, 14);
  return glyph;
}

template <typename T>
T* Place(ui::TWinControl& parent, ui::TComponent& owner, int left, int top, const std::string& caption) {
  T* control = ui::Create<T>(&owner);
  control->SetLeft(left);
  control->SetTop(top);
  control->SetCaption(caption);
  control->SetParent(&parent);
  return control;
}

class Gallery : public ::testing::TestWithParam<TkivUIStyle> {};

TEST_P(Gallery, EveryControlInTheStyle) {
  const TkivUIStyle style = GetParam();
  skintest::SkinnedForm form;
  form.skin->SetUIStyle(style);
  form.SetColor(kiv::GetThemeColor(style, 3));
  form.SetBounds(20, 20, 560, 330);

  auto* plain = Place<kiv::TkivButton>(form, form, 10, 10, "&Rip Now");
  Place<kiv::TkivButton>(form, form, 100, 10, "Disabled")->SetEnabled(false);
  Place<kiv::TkivButton>(form, form, 190, 10, "Cancel");
  auto* glyph = Place<kiv::TkivButton>(form, form, 280, 10, "Play");
  glyph->SetGlyph(*Glyph());
  auto* pressed = Place<kiv::TkivButton>(form, form, 370, 10, "Focused");
  auto* hot = Place<kiv::TkivButton>(form, form, 460, 10, "Mouse on");

  auto* group = Place<kiv::TkivGroupBox>(form, form, 10, 50, "");
  group->SetCaption("Output");
  group->SetBounds(10, 50, 250, 120);
  Place<kiv::TkivCheckBox>(*group, form, 12, 20, "Checked")->SetChecked(true);
  Place<kiv::TkivCheckBox>(*group, form, 12, 42, "Unchecked");
  auto* off = Place<kiv::TkivCheckBox>(*group, form, 12, 64, "Disabled");
  off->SetChecked(true);
  off->SetEnabled(false);
  Place<kiv::TkivRadioButton>(*group, form, 130, 20, "WAV")->SetChecked(true);
  Place<kiv::TkivRadioButton>(*group, form, 130, 42, "MP3");
  Place<kiv::TkivRadioButton>(*group, form, 130, 64, "Ogg")->SetEnabled(false);
  for (int i = 0; i < group->ControlCount(); ++i)
    static_cast<kiv::TkivCustomButtonEx*>(group->Controls(i))->SetAutoSize(true);

  auto* checks = ui::Create<kiv::TkivCheckGroup>(&form);
  checks->SetBounds(270, 50, 270, 120);
  checks->SetParent(&form);
  checks->SetColumns(2);
  checks->Items().SetText("Artist\nAlbum\nTitle\nYear\nGenre");
  checks->Boxes(1)->SetChecked(true);

  auto* now = new kiv::TkivProgressBar(&form);
  now->SetBounds(10, 185, 313, 12);
  now->SetParent(&form);
  now->SetPosition(35);
  auto* total = new kiv::TkivProgressBar(&form);
  total->SetBounds(10, 205, 313, 12);
  total->SetParent(&form);
  total->SetPosition(100);
  auto* vertical = new kiv::TkivProgressBar(&form);
  vertical->SetLeft(340);
  vertical->SetTop(185);
  vertical->SetParent(&form);
  vertical->SetOrientation(kiv::kivVertical);
  vertical->SetHeight(120);
  vertical->SetPosition(70);

  auto* picture = new kiv::TkivImagePanel(&form);
  picture->SetBounds(370, 185, 170, 60);
  picture->SetParent(&form);
  ui::TPicture tile;
  tile.Bitmap().SetSize(8, 8);
  tile.Bitmap().Canvas().Brush().SetColor(RGB(200, 200, 200));
  tile.Bitmap().Canvas().FillRect({0, 0, 8, 8});
  tile.Bitmap().Canvas().Brush().SetColor(ui::clWhite);
  tile.Bitmap().Canvas().FillRect({1, 1, 7, 7});
  picture->SetDrawStyle(kiv::kivTile);
  picture->SetPicture(tile);
  picture->SetCaption("Tiled panel");

  // As the form skin does when its style is set.
  kiv::ApplyStyleToChildren(form, style);
  kiv::ApplyStyleToFormPanels(form, style);
  form.Show();
  // The focused button held down by Space, the mouse over another.
  pressed->SetFocus();
  PostMessageA(pressed->Handle(), WM_KEYDOWN, VK_SPACE, 1);
  testkit::MouseMove(*hot, 10, 10);
  testkit::PumpFor(50);
  ASSERT_TRUE(pressed->Pressed());
  ASSERT_TRUE(hot->MouseOn());
  auto shot = testkit::CaptureAndSave(form, std::string("skin_controls_") + StyleName(style));

  // The styled controls are drawn: the plain button's face differs from the form behind it,
  // and the total bar is filled to its end with its picture, not its empty colour.
  const RECT b = plain->BoundsRect();
  EXPECT_NE(shot->Pixel(b.left + 40, b.top + plain->Height() / 2), form.Color());
  EXPECT_NE(shot->Pixel(10 + 311, 185 + 20 + 6), total->Color());
}

INSTANTIATE_TEST_SUITE_P(Styles, Gallery,
                         ::testing::Values(TkivUIStyle::MacOS, TkivUIStyle::WinXP,
                                           TkivUIStyle::DeepBlue, TkivUIStyle::Protein,
                                           TkivUIStyle::BlueGlass),
                         [](const auto& info) { return std::string(StyleName(info.param)); });

}  // namespace
