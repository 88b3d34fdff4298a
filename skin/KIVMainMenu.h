// Unit KIVMainMenu: a main menu whose items are measured and drawn in the colours of a skin
// style, with a side bar, a highlighted selection, flat separators, greyed disabled items, bold
// default items, its own check mark and optional item images. It attaches itself to its form's
// skin, which shows the top-level items on its own menu bar.
#pragma once

#include <string>

#include "ImageList.h"
#include "KIVThemes.h"
#include "Menus.h"

namespace kiv {

class TkivForm;

class TkivMainMenu : public ui::TMainMenu, public IkivStyled {
  UI_CLASS(TkivMainMenu, ui::TMainMenu)
 public:
  // On a form: takes the form's own menu bar away and attaches to the form's skin.
  explicit TkivMainMenu(ui::TComponent* AOwner);

  // Only a user's image list shows here; none stands for the menu's own check mark.
  ui::TCustomImageList* Images() const override;
  void SetImages(ui::TCustomImageList* value) override;
  // Always owner-drawn.
  bool OwnerDraw() const override { return true; }
  void SetOwnerDraw(bool) override {}

  TkivUIStyle UIStyle() const override { return uiStyle_; }
  void SetUIStyle(TkivUIStyle value) override;
  // Both heights keep the theme's in MacOS style, whose pictures have fixed heights.
  int MenuItemHeight() const { return menuItemHeight_; }
  void SetMenuItemHeight(int value);
  int SeparatorHeight() const { return separatorHeight_; }
  void SetSeparatorHeight(int value);
  bool UseSystemFont() const { return useSystemFont_; }
  void SetUseSystemFont(bool value);

  // Read at the next measuring or drawing.
  TColor BarColor() const { return barColor_; }
  void SetBarColor(TColor value) { barColor_ = value; }
  int BarWidth() const { return barWidth_; }
  void SetBarWidth(int value) { barWidth_ = value; }
  TColor Color() const { return color_; }
  void SetColor(TColor value) { color_ = value; }
  TColor SeparatorColor() const { return separatorColor_; }
  void SetSeparatorColor(TColor value) { separatorColor_ = value; }
  TColor SelectedBorderColor() const { return selectedBorderColor_; }
  void SetSelectedBorderColor(TColor value) { selectedBorderColor_ = value; }
  TColor SelectedColor() const { return selectedColor_; }
  void SetSelectedColor(TColor value) { selectedColor_ = value; }
  TColor SelectedFontColor() const { return selectedFontColor_; }
  void SetSelectedFontColor(TColor value) { selectedFontColor_ = value; }
  TColor FontColor() const { return fontColor_; }
  void SetFontColor(TColor value) { fontColor_ = value; }
  TColor BorderColor() const { return borderColor_; }
  void SetBorderColor(TColor value) { borderColor_ = value; }
  bool FlatMenu() const { return flatMenu_; }
  void SetFlatMenu(bool value) { flatMenu_ = value; }
  const std::string& FontName() const { return fontName_; }
  void SetFontName(const std::string& value) { fontName_ = value; }
  int FontSize() const { return fontSize_; }
  void SetFontSize(int value) { fontSize_ = value; }
  BYTE FontCharset() const { return fontCharset_; }
  void SetFontCharset(BYTE value) { fontCharset_ = value; }

  // The form skin showing this menu; set by the skin's Menu write.
  TkivForm* FormSkin() const { return formSkin_; }
  void SetFormSkin(TkivForm* skin) { formSkin_ = skin; }

  // The menu's font on a canvas: the system's menu font or its own name, size and set.
  void ApplyFont(ui::TFont& font) const;
  void MeasureItem(ui::TMenuItem* Sender, ui::TCanvas& ACanvas, int& Width, int& Height);
  void DrawItem(ui::TMenuItem* Sender, ui::TCanvas& ACanvas, const RECT& ARect, bool Selected);

 protected:
  // Every item of the loaded menu is measured and drawn by the menu.
  void Loaded() override;
  // A changed item shows on the form skin's menu bar.
  void MenuChanged(ui::TMenuItem* Source, bool Rebuild) override;

 private:
  bool HasImage(const ui::TMenuItem& item) const;

  ui::TCustomImageList* checkMark_;
  TkivUIStyle uiStyle_ = TkivUIStyle::DeepBlue;
  int menuItemHeight_ = 21;
  int separatorHeight_ = 21;
  TColor barColor_ = ui::clBtnFace;
  int barWidth_ = 0;
  TColor color_ = ui::clWhite;
  TColor separatorColor_ = 0x808080;
  TColor selectedBorderColor_ = ui::clHighlight;
  TColor selectedColor_ = ui::clHighlight;
  TColor selectedFontColor_ = ui::clWhite;
  TColor fontColor_ = ui::clWhite;
  TColor borderColor_ = ui::clBlack;
  bool flatMenu_ = false;
  std::string fontName_ = "MS Sans Serif";
  int fontSize_ = 8;
  BYTE fontCharset_ = DEFAULT_CHARSET;
  bool useSystemFont_ = true;
  TkivForm* formSkin_ = nullptr;
};

// A menu caption that makes the item a separator: exactly "-".
bool IsMenuSeparator(const std::string& caption);

}  // namespace kiv
