// The owner-drawn main menu: what each style writes, its image list, measuring, the pixels of
// its items drawn selected, disabled and checked, and its link to the form skin.
#include <gtest/gtest.h>

#include <memory>

#include "KIVForm.h"
#include "KIVMainMenu.h"
#include "KIVMenu.h"
#include "KIVPublic.h"

namespace {

using namespace kiv;

struct SkinnedMenu {
  SkinnedMenu() {
    ui::TLayoutLoading loading(form);
    skin = new TkivForm(&form);
    menu = new TkivMainMenu(&form);
    file = Add(menu->Items(), "&File");
    open = Add(*file, "&Open");
    open->SetShortCut(ui::ShortCut('O', ui::ssCtrl));
    separator = Add(*file, "-");
    dashes = Add(*file, "--");
  }
  ui::TMenuItem* Add(ui::TMenuItem& parent, const char* caption) {
    auto* item = new ui::TMenuItem(&form);
    item->SetCaption(caption);
    parent.Add(item);
    return item;
  }
  // Draws the item into a fresh white picture, 120 x 24, at (0, 0, 120, 21).
  std::unique_ptr<ui::TBitmap> Draw(ui::TMenuItem* item, bool selected) {
    auto picture = std::make_unique<ui::TBitmap>(120, 24);
    picture->Canvas().Brush().SetColor(ui::clWhite);
    picture->Canvas().FillRect({0, 0, 120, 24});
    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_MENU;
    draw.itemState = selected ? ODS_SELECTED : 0;
    draw.hDC = picture->MemoryDc();
    draw.rcItem = {0, 0, 120, 21};
    draw.itemData = item->Command();
    ui::TMessage message{WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw), 0};
    EXPECT_TRUE(ui::DispatchMenuMessage(message));
    return picture;
  }
  SIZE Measure(ui::TMenuItem* item) {
    MEASUREITEMSTRUCT measure{ODT_MENU, 0, item->Command(), 0, 0, item->Command()};
    ui::TMessage message{WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure), 0};
    EXPECT_TRUE(ui::DispatchMenuMessage(message));
    return {static_cast<LONG>(measure.itemWidth), static_cast<LONG>(measure.itemHeight)};
  }
  ui::TForm form{nullptr};
  TkivForm* skin;
  TkivMainMenu* menu;
  ui::TMenuItem *file, *open, *separator, *dashes;
};

bool HasPixel(const ui::TBitmap& picture, const RECT& area, ui::TColor color) {
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x)
      if (picture.Pixel(x, y) == ui::ColorToRGB(color)) return true;
  return false;
}

TEST(MainMenuStyles, EachStyleWritesItsColoursAndSizes) {
  for (TkivUIStyle style : {TkivUIStyle::MacOS, TkivUIStyle::WinXP, TkivUIStyle::DeepBlue,
                            TkivUIStyle::Protein, TkivUIStyle::BlueGlass}) {
    SCOPED_TRACE(static_cast<int>(style));
    SkinnedMenu m;
    m.menu->SetUIStyle(style);
    EXPECT_EQ(m.menu->MenuItemHeight(), GetThemeInteger(style, 20));
    EXPECT_EQ(m.menu->SeparatorHeight(), GetThemeInteger(style, 21));
    EXPECT_EQ(m.menu->BarWidth(), GetThemeInteger(style, 22));
    EXPECT_EQ(m.menu->BarColor(), GetThemeColor(style, 17));
    EXPECT_EQ(m.menu->Color(), GetThemeColor(style, 15));
    EXPECT_EQ(m.menu->SeparatorColor(), GetThemeColor(style, 18));
    EXPECT_EQ(m.menu->SelectedBorderColor(), GetThemeColor(style, 11));
    EXPECT_EQ(m.menu->SelectedColor(), GetThemeColor(style, 12));
    EXPECT_EQ(m.menu->SelectedFontColor(), GetThemeColor(style, 13));
    EXPECT_EQ(m.menu->FontColor(), GetThemeColor(style, 16));
    EXPECT_EQ(m.menu->BorderColor(), GetThemeColor(style, 2));
  }
  SkinnedMenu m;
  m.menu->SetUIStyle(TkivUIStyle::MacOS);
  m.menu->SetMenuItemHeight(30);
  m.menu->SetSeparatorHeight(9);
  EXPECT_EQ(m.menu->MenuItemHeight(), 20);
  EXPECT_EQ(m.menu->SeparatorHeight(), 12);
  m.menu->SetUIStyle(TkivUIStyle::WinXP);
  m.menu->SetMenuItemHeight(30);
  m.menu->SetColor(ui::clYellow);
  m.menu->SetUIStyle(TkivUIStyle::Custom);
  EXPECT_EQ(m.menu->MenuItemHeight(), 30);
  EXPECT_EQ(m.menu->Color(), ui::clYellow);
}

TEST(MainMenuLink, AttachesToTheFormSkinAndFollowsItsStyle) {
  SkinnedMenu m;
  EXPECT_EQ(m.skin->Menu(), m.menu);
  EXPECT_EQ(m.menu->FormSkin(), m.skin);
  EXPECT_EQ(m.form.Menu(), nullptr);
  EXPECT_TRUE(m.menu->OwnerDraw());
  m.skin->SetUIStyle(TkivUIStyle::BlueGlass);
  EXPECT_EQ(m.menu->UIStyle(), TkivUIStyle::BlueGlass);
  m.menu->SetUIStyle(TkivUIStyle::Custom);
  m.skin->SetUIStyle(TkivUIStyle::WinXP);
  EXPECT_EQ(m.menu->UIStyle(), TkivUIStyle::Custom);
  delete m.skin;
  EXPECT_EQ(m.menu->FormSkin(), nullptr);
}

TEST(MainMenuImages, NoneStandsForTheOwnCheckMark) {
  SkinnedMenu m;
  EXPECT_EQ(m.menu->Images(), nullptr);
  ui::TCustomImageList images(nullptr);
  m.menu->SetImages(&images);
  EXPECT_EQ(m.menu->Images(), &images);
  m.menu->SetImages(nullptr);
  EXPECT_EQ(m.menu->Images(), nullptr);
}

TEST(MainMenuMeasuring, SeparatorsAreExactlyADashAndWidthsHoldCaptionAndShortCut) {
  SkinnedMenu m;
  m.menu->SetUIStyle(TkivUIStyle::WinXP);
  EXPECT_EQ(m.Measure(m.separator).cy, 5);
  EXPECT_EQ(m.Measure(m.dashes).cy, 21);
  ui::TBitmap scratch(1, 1);
  m.menu->ApplyFont(scratch.Canvas().Font());
  const int expected = scratch.Canvas().TextWidth("&Open") + scratch.Canvas().TextWidth("Ctrl+O") + 26 + 40;
  EXPECT_EQ(m.Measure(m.open).cx, expected);
}

TEST(MainMenuDrawing, SelectedDisabledAndCheckedItemsLookAsTheyShould) {
  SkinnedMenu m;
  m.menu->SetUIStyle(TkivUIStyle::WinXP);
  const ui::TColor side = m.menu->BarColor(), fill = m.menu->SelectedColor();

  auto selected = m.Draw(m.open, true);
  EXPECT_EQ(selected->Pixel(0, 0), ui::ColorToRGB(m.menu->SelectedBorderColor()));
  EXPECT_EQ(selected->Pixel(60, 1), ui::ColorToRGB(fill));
  EXPECT_EQ(selected->Pixel(2, 10), ui::ColorToRGB(fill));

  auto plain = m.Draw(m.open, false);
  EXPECT_EQ(plain->Pixel(2, 10), ui::ColorToRGB(side));
  EXPECT_EQ(plain->Pixel(100, 1), ui::ColorToRGB(m.menu->Color()));
  EXPECT_TRUE(HasPixel(*plain, {30, 4, 60, 18}, m.menu->FontColor()));

  m.open->SetEnabled(false);
  auto disabled = m.Draw(m.open, true);
  EXPECT_EQ(disabled->Pixel(2, 10), ui::ColorToRGB(side));
  EXPECT_TRUE(HasPixel(*disabled, {30, 4, 60, 18}, 0x808080));
  EXPECT_FALSE(HasPixel(*disabled, {30, 4, 60, 18}, m.menu->FontColor()));

  auto separator = m.Draw(m.separator, false);
  EXPECT_EQ(separator->Pixel(40, 2), ui::ColorToRGB(m.menu->SeparatorColor()));
  EXPECT_EQ(separator->Pixel(40, 5), ui::ColorToRGB(m.menu->Color()));

  m.open->SetEnabled(true);
  m.open->SetChecked(true);
  ui::TBitmap mark;
  LoadSkinBitmap(mark, "MENU_CHECKED");
  auto checked = m.Draw(m.open, false);
  bool markShown = false;
  for (int y = 0; y < mark.Height(); ++y)
    for (int x = 0; x < mark.Width(); ++x)
      if (mark.Pixel(x, y) != ui::clWhite && checked->Pixel(4 + x, 3 + y) == mark.Pixel(x, y)) markShown = true;
  EXPECT_TRUE(markShown);

  ui::TCustomImageList images(nullptr, 16, 16);
  ui::TBitmap icon(16, 16);
  icon.Canvas().Brush().SetColor(ui::clLime);
  icon.Canvas().FillRect({0, 0, 16, 16});
  images.Add(icon);
  m.menu->SetImages(&images);
  m.open->SetImageIndex(0);
  auto withImage = m.Draw(m.open, false);
  EXPECT_EQ(withImage->Pixel(2, 1), ui::clBlack);
  EXPECT_EQ(withImage->Pixel(3, 2), ui::ColorToRGB(fill));
  EXPECT_EQ(withImage->Pixel(10, 10), ui::clLime);
  m.menu->SetImages(nullptr);
}

TEST(MainMenuFont, TheSystemMenuFontIsAskedForInTheSizeEveryWindowsTakes) {
  ui::TFont font;
  font.SetName("Courier New");
  font.SetColor(ui::clRed);
  ASSERT_TRUE(SetSystemMenuFont(font));
  LOGFONTA expected;
  ASSERT_TRUE(ui::SystemMenuFont(expected));
  EXPECT_EQ(font.Name(), expected.lfFaceName);
  EXPECT_EQ(font.Color(), ui::clMenuText);
}

TEST(MainMenuFont, WithoutTheSystemFontItemsTakeTheMenusOwnFont) {
  SkinnedMenu m;
  const SIZE system = m.Measure(m.open);
  m.menu->SetFontName("Courier New");
  m.menu->SetFontSize(28);
  EXPECT_EQ(m.Measure(m.open).cx, system.cx) << "the system menu font is still the one used";
  m.menu->SetUseSystemFont(false);
  EXPECT_GT(m.Measure(m.open).cx, system.cx + 40);
  m.menu->SetUseSystemFont(true);
  EXPECT_EQ(m.Measure(m.open).cx, system.cx);
}

}  // namespace
