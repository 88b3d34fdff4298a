// Unit KIVTitleBar: the title bar's buttons and picture sections.
#include "Form.h"
#include "KIVPublic.h"
#include "KIVTitleBar.h"

namespace kiv {

namespace {

constexpr int kCloseNormal = 48;
constexpr int kMaxNormal = 51;
constexpr int kMinNormal = 54;
constexpr int kHelpNormal = 57;
constexpr int kControlBoxNormal = 60;
constexpr int kRestoreNormal = 63;
constexpr int kButtonsTransparent = 66;
constexpr int kButtonTop = 69;

}  // namespace

// --- TkivTitleBarButton ---

TkivTitleBarButton::TkivTitleBarButton(Collection& collection) : TCollectionItem(collection) {
  for (ui::TPicture& picture : pictures_) picture.OnChange = [this] { Changed(); };
}

TkivTitleBar& TkivTitleBarButton::Bar() const {
  return static_cast<TkivTitleBar&>(*GetCollection().Owner());
}

void TkivTitleBarButton::SetButtonType(TkivTitleBarBtnType value) {
  if (value == kivControlBox) {
    for (int i = 0; i < GetCollection().Count(); ++i) {
      const TkivTitleBarButton& other = GetCollection().Items(i);
      if (&other != this && other.buttonType_ == kivControlBox)
        return RefuseWrite(Bar(), "Sorry, only one button's ButtonType property can be \"kivControlBox\"");
    }
  }
  buttonType_ = value;
  LoadButtonPictures();
  Changed();
}

void TkivTitleBarButton::SetTransparent(bool value) {
  transparent_ = value;
  Changed();
}

void TkivTitleBarButton::SetTop(int value) {
  top_ = value;
  Changed();
}

void TkivTitleBarButton::SetUIStyle(TkivUIStyle value) {
  uiStyle_ = value;
  LoadButtonPictures();
}

void TkivTitleBarButton::SetControlBoxMenu(ui::TPopupMenu* value) {
  controlBoxMenu_ = value;
  // The bar hears when the menu goes and drops the link.
  if (value) Bar().FreeNotification(value);
}

void TkivTitleBarButton::Assign(const TkivTitleBarButton& source) {
  buttonType_ = source.buttonType_;
  transparent_ = source.transparent_;
  top_ = source.top_;
  uiStyle_ = source.uiStyle_;
  SetControlBoxMenu(source.controlBoxMenu_);
  for (int i = 0; i < 3; ++i) pictures_[i].Assign(source.pictures_[i]);
  Changed();
}

void TkivTitleBarButton::LoadPictures(int firstEntry) {
  for (int i = 0; i < 3; ++i) {
    ui::TBitmap bitmap;
    LoadSkinBitmap(bitmap, GetThemeString(uiStyle_, firstEntry + i));
    pictures_[i].SetGraphic(&bitmap);
  }
}

void TkivTitleBarButton::LoadButtonPictures() {
  if (uiStyle_ == TkivUIStyle::Custom) return;
  transparent_ = GetThemeBoolean(uiStyle_, kButtonsTransparent);
  switch (buttonType_) {
    case kivMax: LoadPictures(kMaxNormal); break;
    case kivMin: LoadPictures(kMinNormal); break;
    case kivClose: LoadPictures(kCloseNormal); break;
    case kivHelp: LoadPictures(kHelpNormal); break;
    case kivControlBox: LoadPictures(kControlBoxNormal); break;
    case kivCustom: return Changed();
  }
  top_ = GetThemeInteger(uiStyle_, kButtonTop);
  if (buttonType_ == kivMax) UpdateMaxButtonPictures();
  Changed();
}

void TkivTitleBarButton::UpdateMaxButtonPictures() {
  if (buttonType_ != kivMax || uiStyle_ == TkivUIStyle::Custom) return;
  LoadPictures(Bar().HostMaximized() ? kRestoreNormal : kMaxNormal);
}

// --- TkivTitleBarSection ---

TkivTitleBarSection::TkivTitleBarSection(Collection& collection) : TCollectionItem(collection) {
  picture_.OnChange = [this] { PictureChanged(); };
}

void TkivTitleBarSection::PictureChanged() {
  if (autoSize_ && picture_.HasGraphic()) width_ = picture_.Width();
  Changed();
}

void TkivTitleBarSection::SetAutoSize(bool value) {
  autoSize_ = value;
  if (picture_.HasGraphic()) width_ = picture_.Width();
  Changed();
}

void TkivTitleBarSection::SetWidth(int value) {
  width_ = value;
  Changed();
}

void TkivTitleBarSection::SetAlign(TkivTitleBarAlign value) {
  if (value == kivClient) {
    for (int i = 0; i < GetCollection().Count(); ++i) {
      const TkivTitleBarSection& other = GetCollection().Items(i);
      if (&other != this && other.align_ == kivClient)
        return RefuseWrite(*GetCollection().Owner(),
                           "Sorry, only one section's Align property can be \"kivClient\"");
    }
    stretch_ = true;
  }
  align_ = value;
  Changed();
}

void TkivTitleBarSection::SetStretch(bool value) {
  stretch_ = value || align_ == kivClient;
  Changed();
}

void TkivTitleBarSection::Assign(const TkivTitleBarSection& source) {
  autoSize_ = source.autoSize_;
  width_ = source.width_;
  align_ = source.align_;
  stretch_ = source.stretch_;
  picture_.Assign(source.picture_);
  Changed();
}

}  // namespace kiv
