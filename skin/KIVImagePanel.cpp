#include "KIVImagePanel.h"

#include "Bitmap.h"
#include "KIVPublic.h"

namespace kiv {

TkivCustomPanel::TkivCustomPanel(ui::TComponent* AOwner) : TCustomPanel(AOwner) {
  picture_.OnChange = [this] { PictureChanged(); };
  SetBevelInner(ui::bvNone);
  SetBevelOuter(ui::bvNone);
}

void TkivCustomPanel::SetPicture(const ui::TPicture& value) {
  picture_.Assign(value);
  PaintBackgroundColor();
  Invalidate();
}

void TkivCustomPanel::SetTransparent(bool value) {
  transparent_ = value;
  if (picture_.HasGraphic() && picture_.Graphic()->Transparent() != value)
    picture_.Graphic()->SetTransparent(value);
  Invalidate();
}

void TkivCustomPanel::SetAutoSize(bool value) {
  autoSize_ = value;
  if (picture_.HasGraphic()) FitToPicture();
}

void TkivCustomPanel::SetDrawStyle(TkivDrawStyle value) {
  drawStyle_ = value;
  PaintBackgroundColor();
  Invalidate();
}

void TkivCustomPanel::ApplyFormPanelStyle(TkivUIStyle style) { ApplyStyleToChildren(*this, style); }

void TkivCustomPanel::PictureChanged() {
  if (picture_.HasGraphic()) {
    if (autoSize_) FitToPicture();
    picture_.Graphic()->SetTransparent(transparent_);
  }
  PaintBackgroundColor();
  Invalidate();
}

// The panel is never hosted in a foreign window here, so the brush is all there is to set.
void TkivCustomPanel::PaintBackgroundColor() { Canvas().Brush().SetColor(Color()); }

void TkivCustomPanel::FitToPicture() {
  const ui::TAlign align = Align();
  const bool keepsWidth = align == ui::alTop || align == ui::alBottom || align == ui::alClient;
  const bool keepsHeight = align == ui::alLeft || align == ui::alRight || align == ui::alClient;
  SetBounds(Left(), Top(), keepsWidth ? Width() : picture_.Width(),
            keepsHeight ? Height() : picture_.Height());
}

void TkivCustomPanel::WndProc(ui::TMessage& Message) {
  if (Message.Msg == ui::CM_TEXTCHANGED) {
    TCustomPanel::WndProc(Message);
    TextChanged();
    return Invalidate();
  }
  TCustomPanel::WndProc(Message);
}

void TkivCustomPanel::Resize() {
  TCustomPanel::Resize();
  Invalidate();
}

void TkivCustomPanel::Paint() {
  const RECT client = ClientRect();
  ui::TBitmap buffer(client.right, client.bottom);
  ui::TCanvas& canvas = buffer.Canvas();
  if (transparent_) {
    PaintParentBackground(canvas, *this);
  } else {
    // Also under a plain picture smaller than the panel, which leaves the rest undrawn.
    canvas.Brush().SetColor(Color());
    canvas.FillRect(client);
  }
  if (picture_.HasGraphic()) {
    switch (drawStyle_) {
      case kivStretch: canvas.StretchDraw(client, *picture_.Graphic()); break;
      case kivTile: TileBitmap(canvas, *picture_.Graphic(), client); break;
      case kivNormal: canvas.Draw(0, 0, *picture_.Graphic()); break;
    }
  }
  const std::string text = Text();
  if (text.find_first_not_of(' ') != std::string::npos) {
    canvas.Brush().SetStyle(ui::bsClear);
    canvas.Font().Assign(Font());
    const UINT align = Alignment() == ui::taLeftJustify    ? DT_LEFT
                       : Alignment() == ui::taRightJustify ? DT_RIGHT
                                                           : DT_CENTER;
    RECT r = client;
    canvas.DrawText(text, r, DT_SINGLELINE | DT_VCENTER | align);
  }
  Canvas().Draw(0, 0, buffer);
}

}  // namespace kiv
