#include "KIVProgressBar.h"

#include <algorithm>

#include "Bitmap.h"

namespace kiv {

namespace {

constexpr int kControlBorderColor = 8;
constexpr int kControlFaceColor = 9;
constexpr int kHorizontalPicture = 43;
constexpr int kVerticalPicture = 44;

}  // namespace

std::int64_t ProgressPercent(int min, int max, int position) {
  if (min == max) return 0;
  return (std::int64_t{position} - min) * 100 / (std::int64_t{max} - min);
}

int ProgressFillLength(int min, int max, int position, int span) {
  if (min >= max || position <= min) return 0;
  if (position > max) return span;
  return static_cast<int>(std::int64_t{span} * (std::int64_t{position} - min) /
                          (std::int64_t{max} - min));
}

TkivProgressBar::TkivProgressBar(ui::TComponent* AOwner) : TCustomPanel(AOwner) {
  SetControlStyle(ControlStyle() & ~ui::csAcceptsControls);
  SetBounds(Left(), Top(), 150, kThickness);
  SetText("50%");
  SetColor(ui::clBtnFace);
  SetUIStyle(GetOwnerFormStyle(AOwner));
  UpdateCaption();
}

void TkivProgressBar::SetUIStyle(TkivUIStyle style) {
  style_ = style;
  ApplyTheme();
}

void TkivProgressBar::SetCaptionColor(ui::TColor value) {
  captionColor_ = value;
  Invalidate();
}

void TkivProgressBar::SetShowCaption(bool value) {
  showCaption_ = value;
  Invalidate();
}

void TkivProgressBar::SetSmartShowCaption(bool value) {
  smartShowCaption_ = value;
  Invalidate();
}

void TkivProgressBar::SetMax(int value) {
  max_ = value;
  UpdateCaption();
}

void TkivProgressBar::SetMin(int value) {
  min_ = value;
  UpdateCaption();
}

void TkivProgressBar::SetPosition(int value) {
  position_ = value;
  UpdateCaption();
}

void TkivProgressBar::SetOrientation(TkivProgressBarOrientation value) {
  orientation_ = value;
  ApplyTheme();
  const int length = std::max(Width(), Height());
  if (orientation_ == kivVertical) SetBounds(Left(), Top(), kThickness, length);
  else SetBounds(Left(), Top(), length, kThickness);
}

void TkivProgressBar::SetBorderColor(ui::TColor value) {
  borderColor_ = value;
  Invalidate();
}

void TkivProgressBar::SetColor(ui::TColor value) {
  color_ = value;
  Invalidate();
}

void TkivProgressBar::SetPicture(const ui::TPicture& value) {
  picture_.Assign(value);
  Invalidate();
}

void TkivProgressBar::UpdateCaption() {
  SetText(std::to_string(ProgressPercent(min_, max_, position_)) + "%");
  Invalidate();
}

void TkivProgressBar::ApplyTheme() {
  if (style_ != TkivUIStyle::Custom) {
    const int entry = orientation_ == kivHorizontal ? kHorizontalPicture : kVerticalPicture;
    picture_.Bitmap().LoadFromResourceName(nullptr, GetThemeString(style_, entry).c_str());
    color_ = GetThemeColor(style_, kControlFaceColor);
    borderColor_ = GetThemeColor(style_, kControlBorderColor);
  }
  Invalidate();
}

bool TkivProgressBar::CanResize(int& NewWidth, int& NewHeight) {
  const int thickness = orientation_ == kivHorizontal ? NewHeight : NewWidth;
  return thickness == kThickness && TCustomPanel::CanResize(NewWidth, NewHeight);
}

void TkivProgressBar::Paint() {
  const RECT client = ClientRect();
  const int W = client.right, H = client.bottom;
  const bool horizontal = orientation_ == kivHorizontal;
  // With a picture the bar is as thick as the picture and its frame.
  const bool hasPicture = picture_.HasGraphic();
  const int bufferWidth = hasPicture && !horizontal ? picture_.Width() + 2 : W;
  const int bufferHeight = hasPicture && horizontal ? picture_.Height() + 2 : H;
  ui::TBitmap buffer(bufferWidth, bufferHeight);
  ui::TCanvas& canvas = buffer.Canvas();
  // A new picture starts white, so nothing left over shows where the bar draws nothing.
  canvas.Brush().SetColor(ui::clWhite);
  canvas.FillRect({0, 0, bufferWidth, bufferHeight});
  if (horizontal) {
    const int fill = std::max(ProgressFillLength(min_, max_, position_, W - 1), 1);
    if (hasPicture) canvas.StretchDraw({1, 1, fill, bufferHeight - 1}, *picture_.Graphic());
    canvas.Brush().SetColor(color_);
    canvas.FillRect({fill, 1, W - 1, bufferHeight - 1});
  } else {
    const int top = std::max((H - 1) - ProgressFillLength(min_, max_, position_, H - 1), 1);
    if (hasPicture) {
      // Given bottom to top, the picture grows from the bottom edge up, mirrored.
      ui::TBitmap source(picture_.Width(), picture_.Height());
      source.Canvas().Draw(0, 0, *picture_.Graphic());
      SetStretchBltMode(canvas.Handle(), COLORONCOLOR);
      StretchBlt(canvas.Handle(), 1, H - 2, bufferWidth - 2, (top - 1) - (H - 2), source.MemoryDc(),
                 0, 0, source.Width(), source.Height(), SRCCOPY);
    }
    canvas.Brush().SetColor(color_);
    canvas.FillRect({1, 1, bufferWidth - 1, top});
    // A vertical bar has no room for a caption.
    showCaption_ = false;
  }
  if (showCaption_ && !(smartShowCaption_ && position_ == min_)) {
    canvas.Font().SetColor(captionColor_);
    canvas.Brush().SetStyle(ui::bsClear);
    const std::string text = Text();
    const SIZE extent = canvas.TextExtent(text);
    canvas.TextOut((bufferWidth - extent.cx) / 2, (bufferHeight - extent.cy) / 2, text);
  }
  canvas.Brush().SetStyle(ui::bsSolid);
  canvas.Brush().SetColor(borderColor_);
  canvas.FrameRect(client);
  Canvas().Draw(0, 0, buffer);
}

}  // namespace kiv
