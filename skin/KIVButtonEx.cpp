// The two-state controls of unit KIVButton: check boxes and radio buttons.
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "ImageList.h"
#include "KIVButton.h"

namespace kiv {

namespace {

// Check box, unchecked, normal: the picture that gives the box's size.
constexpr int kCheckBoxSizeEntry = 30;
constexpr int kFirstCheckBoxEntry = 27;
constexpr int kFirstRadioButtonEntry = 35;
constexpr ui::TColor kGrayTextColor = 0x808080;

// The radio buttons directly on parent with that group index, in tab order.
std::vector<TkivRadioButton*> RadioGroup(const ui::TWinControl* parent, int groupIndex) {
  std::vector<TkivRadioButton*> group;
  if (!parent) return group;
  for (int i = 0; i < parent->ControlCount(); ++i) {
    auto* radio = dynamic_cast<TkivRadioButton*>(parent->Controls(i));
    if (radio && radio->GroupIndex() == groupIndex) group.push_back(radio);
  }
  std::stable_sort(group.begin(), group.end(),
                   [](const TkivRadioButton* a, const TkivRadioButton* b) { return a->TabOrder() < b->TabOrder(); });
  return group;
}

// The group's one Tab stop: its checked button, or its first while none is checked.
void UpdateGroupTabStop(const ui::TWinControl* parent, int groupIndex) {
  const std::vector<TkivRadioButton*> group = RadioGroup(parent, groupIndex);
  if (group.empty()) return;
  auto checked = std::find_if(group.begin(), group.end(), [](const TkivRadioButton* r) { return r->Checked(); });
  const TkivRadioButton* stop = checked != group.end() ? *checked : group.front();
  for (TkivRadioButton* radio : group) radio->SetTabStop(radio == stop);
}

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
  if (Checked())
    for (TkivRadioButton* sibling : RadioGroup(Parent(), groupIndex_))
      if (sibling != this) sibling->SetChecked(false);
  UpdateGroupTabStop(Parent(), groupIndex_);
  ApplyThemePictures(UIStyle());
}

void TkivRadioButton::SetParent(ui::TWinControl* AParent) {
  ui::TWinControl* old = Parent();
  TkivCheckBox::SetParent(AParent);
  UpdateGroupTabStop(old, groupIndex_);
  UpdateGroupTabStop(Parent(), groupIndex_);
}

void TkivRadioButton::SetGroupIndex(int value) {
  const int old = groupIndex_;
  groupIndex_ = value;
  UpdateGroupTabStop(Parent(), old);
  UpdateGroupTabStop(Parent(), value);
}

void TkivRadioButton::WndProc(ui::TMessage& Message) {
  if (Message.Msg == WM_GETDLGCODE) {
    Message.Result = DLGC_WANTARROWS;
    return;
  }
  TkivCheckBox::WndProc(Message);
}

void TkivRadioButton::KeyDown(WORD& Key, ui::TShiftState Shift) {
  TkivCheckBox::KeyDown(Key, Shift);
  int step;
  switch (Key) {
    case VK_LEFT:
    case VK_UP: step = -1; break;
    case VK_RIGHT:
    case VK_DOWN: step = 1; break;
    default: return;
  }
  const std::vector<TkivRadioButton*> group = RadioGroup(Parent(), groupIndex_);
  const int count = static_cast<int>(group.size());
  const int at = static_cast<int>(std::find(group.begin(), group.end(), this) - group.begin());
  // Buttons that cannot take the focus (disabled, hidden) are passed over.
  for (int i = 1; i < count; ++i) {
    TkivRadioButton* next = group[((at + step * i) % count + count) % count];
    if (next->CanFocus()) return next->Click();
  }
}

}  // namespace kiv
