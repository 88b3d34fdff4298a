#include "KIVMainMenu.h"

#include "Form.h"
#include "KIVForm.h"
#include "KIVMenu.h"
#include "KIVPublic.h"

namespace kiv {

namespace {

constexpr int kFormBorderColor = 2;
constexpr int kFormColor = 3;
constexpr int kSelectedBorder = 11;
constexpr int kSelectedFill = 12;
constexpr int kSelectedFont = 13;
constexpr int kMenuBackground = 15;
constexpr int kMenuFont = 16;
constexpr int kSideBar = 17;
constexpr int kSeparator = 18;
constexpr int kItemHeight = 20;
constexpr int kSeparatorHeight = 21;
constexpr int kSideBarWidth = 22;
constexpr int kCheckMark = 23;
constexpr ui::TColor kDisabledText = 0x808080;

// A MacOS menu picture cut to its top rows and stretched over the rectangle.
void StretchMacPicture(ui::TCanvas& canvas, const char* name, int rows, const RECT& rect) {
  ui::TBitmap picture;
  LoadSkinBitmap(picture, name);
  picture.SetHeight(rows);
  canvas.StretchDraw(rect, picture);
}

}  // namespace

bool IsMenuSeparator(const std::string& caption) { return caption == "-"; }

TkivMainMenu::TkivMainMenu(ui::TComponent* AOwner) : TMainMenu(AOwner) {
  ui::TBitmap mark;
  LoadSkinBitmap(mark, GetThemeString(TkivUIStyle::DeepBlue, kCheckMark));
  checkMark_ = new ui::TCustomImageList(this, mark.Width(), mark.Height());
  checkMark_->AddMasked(mark, ui::clWhite);
  TMainMenu::SetImages(checkMark_);
  SetUIStyle(GetOwnerFormStyle(AOwner));
  if (auto* form = dynamic_cast<ui::TForm*>(AOwner)) {
    form->SetMenu(nullptr);
    for (int i = 0; i < form->ControlCount(); ++i)
      if (auto* skin = dynamic_cast<TkivForm*>(form->Controls(i))) {
        skin->SetMenu(this);
        break;
      }
  }
}

ui::TCustomImageList* TkivMainMenu::Images() const {
  ui::TCustomImageList* images = TMainMenu::Images();
  return images == checkMark_ ? nullptr : images;
}

void TkivMainMenu::SetImages(ui::TCustomImageList* value) { TMainMenu::SetImages(value ? value : checkMark_); }

void TkivMainMenu::SetUIStyle(TkivUIStyle value) {
  uiStyle_ = value;
  if (value == TkivUIStyle::Custom) return;
  menuItemHeight_ = GetThemeInteger(value, kItemHeight);
  separatorHeight_ = GetThemeInteger(value, kSeparatorHeight);
  barColor_ = GetThemeColor(value, kSideBar);
  barWidth_ = GetThemeInteger(value, kSideBarWidth);
  color_ = GetThemeColor(value, kMenuBackground);
  separatorColor_ = GetThemeColor(value, kSeparator);
  selectedBorderColor_ = GetThemeColor(value, kSelectedBorder);
  selectedColor_ = GetThemeColor(value, kSelectedFill);
  selectedFontColor_ = GetThemeColor(value, kSelectedFont);
  fontColor_ = GetThemeColor(value, kMenuFont);
  borderColor_ = GetThemeColor(value, kFormBorderColor);
}

void TkivMainMenu::SetMenuItemHeight(int value) {
  if (uiStyle_ != TkivUIStyle::MacOS) menuItemHeight_ = value;
}

void TkivMainMenu::SetSeparatorHeight(int value) {
  if (uiStyle_ != TkivUIStyle::MacOS) separatorHeight_ = value;
}

void TkivMainMenu::SetUseSystemFont(bool value) {
  useSystemFont_ = value;
  if (formSkin_) formSkin_->UpdateMenuBarFont();
}

void TkivMainMenu::Loaded() {
  TMainMenu::Loaded();
  for (ui::TMenuItem* item : AllItems()) {
    item->OnMeasureItem = [this](ui::TMenuItem* sender, ui::TCanvas& canvas, int& width, int& height) {
      MeasureItem(sender, canvas, width, height);
    };
    item->OnDrawItem = [this](ui::TMenuItem* sender, ui::TCanvas& canvas, const RECT& rect, bool selected) {
      DrawItem(sender, canvas, rect, selected);
    };
  }
  if (formSkin_) formSkin_->RebuildMenuBar();
}

void TkivMainMenu::MenuChanged(ui::TMenuItem* Source, bool Rebuild) {
  TMainMenu::MenuChanged(Source, Rebuild);
  if (formSkin_ && dynamic_cast<ui::TForm*>(Owner())) formSkin_->UpdateMenuBarButtons();
}

void TkivMainMenu::ApplyFont(ui::TFont& font) const {
  if (useSystemFont_ && SetSystemMenuFont(font)) return;
  font.SetName(fontName_);
  font.SetSize(fontSize_);
  font.SetCharset(fontCharset_);
}

void TkivMainMenu::MeasureItem(ui::TMenuItem* Sender, ui::TCanvas& ACanvas, int& Width, int& Height) {
  ApplyFont(ACanvas.Font());
  const bool separator = IsMenuSeparator(Sender->Caption());
  Height = separator ? separatorHeight_ : menuItemHeight_;
  Width = ACanvas.TextWidth(Sender->Caption()) + ACanvas.TextWidth(Sender->ShortCutText()) + barWidth_ + 40;
}

bool TkivMainMenu::HasImage(const ui::TMenuItem& item) const {
  ui::TCustomImageList* images = Images();
  return item.ImageIndex() != -1 && images && item.ImageIndex() < images->Count();
}

void TkivMainMenu::DrawItem(ui::TMenuItem* Sender, ui::TCanvas& ACanvas, const RECT& ARect, bool Selected) {
  const ui::TMenuItem& item = *Sender;
  const int l = ARect.left, t = ARect.top, r = ARect.right, b = ARect.bottom;
  const bool mac = uiStyle_ == TkivUIStyle::MacOS;
  if (flatMenu_)
    if (HWND menuWindow = WindowFromDC(ACanvas.Handle()))
      DrawFlatMenuFrame(menuWindow, borderColor_, GetThemeColor(uiStyle_, kFormColor));
  auto plainBackground = [&] {
    if (barWidth_ > 0) {
      ACanvas.Brush().SetColor(barColor_);
      ACanvas.FillRect({l, t, l + barWidth_, b});
    }
    ACanvas.Brush().SetColor(color_);
    ACanvas.FillRect({l + barWidth_, t, r, b});
  };
  if (IsMenuSeparator(item.Caption())) {
    if (mac) return StretchMacPicture(ACanvas, "MACOS_MENU_BAR", 12, ARect);
    plainBackground();
    ACanvas.Pen().SetColor(separatorColor_);
    ACanvas.Pen().SetWidth(1);
    ACanvas.MoveTo(l + barWidth_ + 4, t + 2);
    ACanvas.LineTo(r - 2, t + 2);
    return;
  }
  if (Selected && item.Enabled()) {
    if (mac) {
      StretchMacPicture(ACanvas, "MACOS_MENU_SELECT", 20, ARect);
    } else {
      ACanvas.Brush().SetColor(selectedColor_);
      ACanvas.FillRect(ARect);
      ACanvas.Brush().SetColor(selectedBorderColor_);
      ACanvas.FrameRect(ARect);
    }
  } else if (mac) {
    StretchMacPicture(ACanvas, "MACOS_MENU_BAR", 20, ARect);
  } else {
    plainBackground();
  }
  ApplyFont(ACanvas.Font());
  ACanvas.Brush().SetStyle(ui::bsClear);
  ACanvas.Font().SetColor(!item.Enabled() ? kDisabledText : Selected ? selectedFontColor_ : fontColor_);
  if (item.Default()) ACanvas.Font().SetStyle(ACanvas.Font().Style() | ui::fsBold);
  RECT text{l + barWidth_ + 4, t + 4, r, b};
  ACanvas.DrawText(item.Caption(), text, DT_SINGLELINE);
  const std::string shortCut = item.ShortCutText();
  if (!shortCut.empty()) ACanvas.TextOut(r - ACanvas.TextWidth(shortCut) - 16, t + 4, shortCut);
  const bool image = HasImage(item);
  if (item.Checked()) {
    if (image) {
      ACanvas.Brush().SetStyle(ui::bsSolid);
      ACanvas.Brush().SetColor(ui::clBlack);
      ACanvas.FrameRect({l + 2, t + 1, l + 21, t + 20});
      ACanvas.Brush().SetColor(selectedColor_);
      ACanvas.FillRect({l + 3, t + 2, l + 20, t + 19});
    } else {
      checkMark_->Draw(ACanvas, l + 4, t + 3, 0, item.Enabled());
    }
  }
  if (image) Images()->Draw(ACanvas, l + 4, t + 3, item.ImageIndex(), item.Enabled());
}

}  // namespace kiv
