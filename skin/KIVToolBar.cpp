#include "KIVToolBar.h"

#include "KIVPublic.h"

namespace kiv {

namespace {

constexpr int kToolButtonBorderColor = 80;
constexpr int kToolButtonColor = 81;
constexpr int kToolButtonDownColor = 82;
constexpr int kToolBarColor = 83;

}  // namespace

TkivToolButtonLook ToolButtonLook(ui::TCustomDrawState state) {
  if (state & ui::cdsHot)
    return (state & ui::cdsSelected) ? TkivToolButtonLook::Down : TkivToolButtonLook::Normal;
  if (state & (ui::cdsSelected | ui::cdsChecked)) return TkivToolButtonLook::Normal;
  return TkivToolButtonLook::Default;
}

TkivToolButtonPlaces PlaceToolButtonContent(const RECT& button, SIZE image, int captionWidth,
                                           bool down) {
  const int width = button.right - button.left;
  const bool hasImage = image.cx > 0 || image.cy > 0;
  TkivToolButtonPlaces places{};
  // A pressed button shows its image one pixel right of and below where it rests.
  places.image = {button.left + (width - image.cx) / 2 - (down ? 0 : 1),
                  button.top + (down ? 3 : 2)};
  places.caption = {button.left + (width - captionWidth) / 2,
                    button.top + (hasImage ? image.cy + 4 : (down ? 5 : 4))};
  return places;
}

TkivToolBar::TkivToolBar(ui::TComponent* AOwner) : TToolBar(AOwner) {
  OnCustomDrawButton = [this](ui::TToolBar*, ui::TToolButton* button, ui::TCustomDrawState state,
                              bool& defaultDraw) {
    if (button) PaintButton(*button, state, defaultDraw);
  };
  OnCustomDraw = [this](ui::TToolBar*, const RECT&, bool& defaultDraw) { PaintBar(defaultDraw); };
  SetFlat(true);
  SetTransparent(false);
  SetUIStyle(GetOwnerFormStyle(AOwner));
}

void TkivToolBar::SetUIStyle(TkivUIStyle style) {
  style_ = style;
  if (style == TkivUIStyle::Custom) return;
  buttonBorderColor_ = GetThemeColor(style, kToolButtonBorderColor);
  buttonColor_ = GetThemeColor(style, kToolButtonColor);
  buttonDownColor_ = GetThemeColor(style, kToolButtonDownColor);
  SetColor(GetThemeColor(style, kToolBarColor));
  SetTransparent(style == TkivUIStyle::MacOS);
  Invalidate();
}

void TkivToolBar::SetButtonColor(TColor color) { SetButtonColorField(buttonColor_, color); }

void TkivToolBar::SetButtonBorderColor(TColor color) {
  SetButtonColorField(buttonBorderColor_, color);
}

void TkivToolBar::SetButtonDownColor(TColor color) { SetButtonColorField(buttonDownColor_, color); }

void TkivToolBar::SetButtonColorField(TColor& field, TColor color) {
  field = color;
  Invalidate();
}

void TkivToolBar::PaintBar(bool&) {
  // The bar's own drawing goes on over the parent's picture.
  if (Transparent()) PaintParentBackground(Canvas(), *this);
}

void TkivToolBar::PaintButton(ui::TToolButton& button, ui::TCustomDrawState state,
                              bool& DefaultDraw) {
  const RECT r = button.BoundsRect();
  // Some systems (Wine) report a button held down under the pointer as pressed but no longer
  // hot; it is hot all the same, and is drawn down as everywhere else.
  POINT pointer;
  if ((state & ui::cdsSelected) && GetCursorPos(&pointer) && ::ScreenToClient(Handle(), &pointer) &&
      PtInRect(&r, pointer))
    state |= ui::cdsHot;
  const TkivToolButtonLook look = ToolButtonLook(state);
  if (look == TkivToolButtonLook::Default) return;
  DefaultDraw = false;
  const bool down = look == TkivToolButtonLook::Down;
  ui::TCanvas& canvas = Canvas();
  canvas.Brush().SetStyle(ui::bsSolid);
  canvas.Brush().SetColor(down ? buttonDownColor_ : buttonColor_);
  canvas.Pen().SetColor(buttonBorderColor_);
  canvas.Rectangle(r);
  const ui::TCustomImageList* images = HotImages() ? HotImages() : Images();
  const std::string caption = button.Caption();
  const SIZE imageSize = images ? SIZE{images->Width(), images->Height()} : SIZE{0, 0};
  const TkivToolButtonPlaces places =
      PlaceToolButtonContent(r, imageSize, canvas.TextWidth(caption), down);
  if (images) images->Draw(canvas, places.image.x, places.image.y, button.ImageIndex(), true);
  if (ShowCaptions()) canvas.TextOut(places.caption.x, places.caption.y, caption);
}

}  // namespace kiv
