#include "KIVComboBox.h"

#include "Bitmap.h"

namespace kiv {

namespace {

constexpr int kControlBorderColor = 8;
constexpr int kComboButtonColor = 74;
constexpr TColor kShadowWhite = 0x00FFFFFF;
constexpr TColor kDisabledGrey = 0x00808080;

void FillTriangle(ui::TCanvas& canvas, POINT origin, TColor color) {
  canvas.Brush().SetColor(color);
  canvas.Pen().SetColor(color);
  const auto triangle = ComboArrowTriangle(origin);
  canvas.Polygon({triangle.begin(), triangle.end()});
}

}  // namespace

POINT ComboArrowOrigin(const RECT& button) {
  return {button.left + (button.right - button.left) / 2 - 4,
          button.top + (button.bottom - button.top) / 2};
}

std::array<POINT, 3> ComboArrowTriangle(POINT origin) {
  return {POINT{origin.x, origin.y}, POINT{origin.x + 6, origin.y},
          POINT{origin.x + 3, origin.y + 3}};
}

TkivCustomComboBox::TkivCustomComboBox(ui::TComponent* AOwner) : TkivFramed(AOwner, 0) {
  SetUIStyle(GetOwnerFormStyle(AOwner));
}

void TkivCustomComboBox::SetUIStyle(TkivUIStyle style) {
  style_ = style;
  buttonColor_ = GetThemeColor(style, kComboButtonColor);
  arrowColor_ = GetThemeColor(style, kControlBorderColor);
  SetBorderColor(arrowColor_);
}

void TkivCustomComboBox::SetArrowColor(TColor color) {
  arrowColor_ = color;
  Invalidate();
}

void TkivCustomComboBox::SetButtonColor(TColor color) {
  buttonColor_ = color;
  Invalidate();
}

void TkivCustomComboBox::WndProc(ui::TMessage& Message) {
  if (Message.Msg == WM_PAINT) {
    // The button goes between the native painting and the frame.
    ui::TCustomComboBox::WndProc(Message);
    DrawButton();
    DrawFrame();
    return;
  }
  TkivFramed::WndProc(Message);
  // The arrow takes its disabled look at once.
  if (Message.Msg == ui::CM_ENABLEDCHANGED) Invalidate();
}

void TkivCustomComboBox::DrawButton() {
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  if (!GetComboBoxInfo(Handle(), &info)) return;
  const RECT& button = info.rcButton;
  if (button.right <= button.left || button.bottom <= button.top) return;  // a simple combo box
  com::window_dc dc = com::window_dc::client(Handle());
  if (!dc) return;
  CanvasOn lent(*this, dc.get());
  ui::TCanvas& canvas = Canvas();
  if (style_ == TkivUIStyle::MacOS) {
    ui::TBitmap picture;
    LoadSkinBitmap(picture, "MACOS_COMBOBOX_BUTTON");
    canvas.StretchDraw(button, picture);
  } else {
    canvas.Brush().SetColor(buttonColor_);
    canvas.FillRect(button);
  }
  const POINT origin = ComboArrowOrigin(button);
  if (Enabled()) {
    FillTriangle(canvas, origin, arrowColor_);
  } else {
    FillTriangle(canvas, {origin.x + 1, origin.y + 1}, kShadowWhite);
    FillTriangle(canvas, origin, kDisabledGrey);
  }
}

}  // namespace kiv
