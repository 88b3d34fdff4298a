#include "Image.h"

namespace ui {

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetBounds(0, 0, 105, 105);
  picture_.OnChange = [this] { PictureChanged(); };
}

void TImage::SetStretch(bool value) {
  if (value == stretch_) return;
  stretch_ = value;
  Invalidate();
}

void TImage::SetCenter(bool value) {
  if (value == center_) return;
  center_ = value;
  Invalidate();
}

void TImage::SetTransparent(bool value) {
  if (value == transparent_) return;
  transparent_ = value;
  PictureChanged();
}

void TImage::SetAutoSize(bool value) {
  if (value == autoSize_) return;
  autoSize_ = value;
  PictureChanged();
}

void TImage::PictureChanged() {
  if (TGraphic* graphic = picture_.Graphic()) {
    // Handing the picture its transparency tells this handler again; by then it is equal.
    if (graphic->Transparent() != transparent_) return graphic->SetTransparent(transparent_);
    if (autoSize_ && picture_.HasGraphic()) SetBounds(Left(), Top(), picture_.Width(), picture_.Height());
  }
  Invalidate();
}

RECT TImage::DestRect() const {
  const RECT client = ClientRect();
  if (stretch_) return client;
  const int w = picture_.Width(), h = picture_.Height();
  if (!center_) return {0, 0, w, h};
  const int x = (client.right - w) / 2, y = (client.bottom - h) / 2;
  return {x, y, x + w, y + h};
}

void TImage::Paint() {
  if (picture_.HasGraphic()) Canvas().StretchDraw(DestRect(), *picture_.Graphic());
}

}  // namespace ui
