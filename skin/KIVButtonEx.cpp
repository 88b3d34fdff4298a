// The two-state controls of unit KIVButton: check boxes and radio buttons.
#include <cstdlib>

#include "ImageList.h"
#include "KIVButton.h"

namespace kiv {

namespace {

// Check box, unchecked, normal: the picture that gives the box's size.
constexpr int kCheckBoxSizeEntry = 30;
constexpr int kFirstCheckBoxEntry = 27;
constexpr int kFirstRadioButtonEntry = 35;
constexpr ui::TColor kGrayTextColor = 0x808080;

}  // namespace

// --- TkivCustomButtonEx ---

TkivCustomButtonEx::TkivCustomButtonEx(ui::TComponent* AOwner) : TkivCustomButton(AOwner) {
  SetParentColor(true);
  SetTabStop(true);
  SetWidth(93);
}

void TkivCustomButtonEx::AfterConstruction() {
  TkivCustomButton::AfterConstruction();
  SetUIStyle(GetOwnerFormStyle(Owner()));
}

void TkivCustomButtonEx::SetChecked(bool value) {
  if (value == checked_) return;
  checked_ = value;
  CheckedChanged();
  Invalidate();
}

void TkivCustomButtonEx::UpdateAutoSize() {
  if (!AutoSize()) return;
  const SIZE fit = FitBoxAndCaption({GetBoxWidth(), GetBoxHeight()}, std::abs(Font().Height()),
                                    LineExtent(Font(), Caption()).cx);
  SetClientSize(fit.cx, fit.cy);
}

void TkivCustomButtonEx::CaptionChanged() {
  UpdateAutoSize();
  Invalidate();
}

void TkivCustomButtonEx::FontChanged() {
  TkivCustomButton::FontChanged();
  UpdateAutoSize();
  Invalidate();
}

void TkivCustomButtonEx::StyleChanged() { ApplyThemePictures(UIStyle()); }

void TkivCustomButtonEx::Resize() {
  TkivCustomButton::Resize();
  UpdateAutoSize();
  Invalidate();
}

void TkivCustomButtonEx::DrawPicture(ui::TCanvas& canvas, ui::TBitmap& picture) {
  if (picture.Empty()) return;
  ui::TCustomImageList images(nullptr, picture.Width(), picture.Height());
  if (PictureTransparent()) images.AddMasked(picture, picture.Pixel(0, 0));
  else images.Add(picture);
  images.Draw(canvas, 1, (ClientHeight() - GetBoxHeight()) / 2, 0, true);
}

void TkivCustomButtonEx::DrawCaption(ui::TCanvas& canvas, const std::string& caption) {
  const int y = (ClientHeight() - (std::abs(Font().Height()) + 2)) / 2;
  canvas.Font().Assign(Font());
  if (!Enabled()) canvas.Font().SetColor(kGrayTextColor);
  canvas.Brush().SetStyle(ui::bsClear);
  captionRect_ = {GetBoxWidth() + 4, y, Width(), Height()};
  RECT r = captionRect_;
  canvas.DrawText(caption, r, DT_SINGLELINE | DT_LEFT);
}

void TkivCustomButtonEx::DrawFocus(ui::TCanvas& canvas) {
  RECT r = captionRect_;
  --r.left;
  canvas.Brush().SetStyle(ui::bsSolid);
  DrawFocusRect(canvas.Handle(), &r);
}

void TkivCustomButtonEx::Click() {
  if (CanFocus()) SetFocus();
  ActivateCheck();
  TkivCustomButton::Click();
}

// --- TkivCheckBox ---

TkivCheckBox::TkivCheckBox(ui::TComponent* AOwner) : TkivCustomButtonEx(AOwner) {
  SetPictureTransparent(false);
  SetCaption("kivCheckBox");
  SetHeight(17);
}

int TkivCheckBox::FirstThemeEntry() const { return kFirstCheckBoxEntry; }

void TkivCheckBox::TransparentChanged() {
  SetPictureTransparent(false);
  Invalidate();
}

void TkivCheckBox::EnabledChanged() { ApplyThemePictures(UIStyle()); }

void TkivCheckBox::StyleChanged() {
  TkivCustomButtonEx::StyleChanged();
  switch (UIStyle()) {
    case TkivUIStyle::MacOS:
    case TkivUIStyle::Protein:
      return SetTransparent(true);
    case TkivUIStyle::Custom:
      return;
    default:
      return SetTransparent(false);
  }
}

// Entries, from the first: disabled checked, disabled unchecked, then checked and unchecked
// for normal, mouse on and pressed.
void TkivCheckBox::ApplyThemePictures(TkivUIStyle style) {
  // A Custom control keeps the pictures set by hand.
  if (style == TkivUIStyle::Custom) return;
  const int first = FirstThemeEntry() + (Checked() ? 0 : 1);
  SetResHandle(nullptr);
  SetPicNormalResName(GetThemeString(style, first + (Enabled() ? 2 : 0)));
  SetPicMouseOnResName(GetThemeString(style, first + 4));
  SetPicMouseDownResName(GetThemeString(style, first + 6));
}

void TkivCheckBox::ActivateCheck() {
  SetChecked(!Checked());
  Toggled();
}

void TkivCheckBox::CheckedChanged() { ApplyThemePictures(UIStyle()); }

// The styled box is as large as the style's unchecked box; a Custom one as its own picture.
SIZE TkivCheckBox::BoxSize() {
  ui::TBitmap box;
  const bool loaded =
      UIStyle() == TkivUIStyle::Custom
          ? LoadResourcePicture(TkivCustomButton::PicNormalResName(), box)
          : box.LoadFromResourceName(nullptr, GetThemeString(UIStyle(), kCheckBoxSizeEntry).c_str());
  return loaded ? SIZE{box.Width(), box.Height()} : SIZE{0, 0};
}

// --- TkivRadioButton ---

TkivRadioButton::TkivRadioButton(ui::TComponent* AOwner) : TkivCheckBox(AOwner) {
  SetPictureTransparent(true);
  SetCaption("kivRadioButton");
  SetHeight(17);
}

int TkivRadioButton::FirstThemeEntry() const { return kFirstRadioButtonEntry; }

void TkivRadioButton::TransparentChanged() {
  SetPictureTransparent(true);
  Invalidate();
}

void TkivRadioButton::ApplyThemePictures(TkivUIStyle style) {
  TkivCheckBox::ApplyThemePictures(style);
  Invalidate();
}

void TkivRadioButton::ActivateCheck() {
  if (!Checked()) SetChecked(true);
}

void TkivRadioButton::CheckedChanged() {
  if (Checked() && Parent()) {
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
      auto* sibling = dynamic_cast<TkivRadioButton*>(Parent()->Controls(i));
      if (sibling && sibling != this && sibling->GroupIndex() == groupIndex_)
        sibling->SetChecked(false);
    }
  }
  ApplyThemePictures(UIStyle());
}

}  // namespace kiv
