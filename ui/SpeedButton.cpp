#include "SpeedButton.h"

#include "WinControl.h"

namespace ui {

TSpeedButton::TSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetBounds(0, 0, 23, 22);
  SetColor(clBtnFace);
  // A double click is two clicks: a toggling button goes down and up again.
  SetControlStyle(ControlStyle() & ~csDoubleClicks);
  glyph_.SetTransparent(true);
  glyph_.OnChange = [this] { Invalidate(); };
}

void TSpeedButton::SetFlat(bool value) {
  if (value == flat_) return;
  flat_ = value;
  Invalidate();
}

void TSpeedButton::SetGlyph(const TBitmap& value) {
  glyph_.Assign(value);
  glyph_.SetTransparent(true);
}

void TSpeedButton::SetGroupIndex(int value) {
  if (value == groupIndex_) return;
  groupIndex_ = value;
  if (groupIndex_ == 0) SetDown(false);
  GroupChanged();
}

void TSpeedButton::SetAllowAllUp(bool value) {
  if (value == allowAllUp_) return;
  allowAllUp_ = value;
  GroupChanged();
}

void TSpeedButton::SetDown(bool value) {
  if (groupIndex_ == 0) value = false;
  if (value == down_) return;
  // The last button of a group that may not be all up stays down.
  if (!value && !allowAllUp_) {
    bool otherDown = false;
    if (Parent())
      for (int i = 0; i < Parent()->ControlCount(); ++i) {
        auto* other = dynamic_cast<TSpeedButton*>(Parent()->Controls(i));
        if (other && other != this && other->groupIndex_ == groupIndex_ && other->down_) otherDown = true;
      }
    if (!otherDown) return;
  }
  down_ = value;
  Invalidate();
  if (down_) GroupChanged();
}

// Tells the other buttons of the group this one's state: one down lets the others up, and
// they all share its AllowAllUp.
void TSpeedButton::GroupChanged() {
  if (groupIndex_ == 0 || !Parent()) return;
  for (int i = 0; i < Parent()->ControlCount(); ++i) {
    auto* other = dynamic_cast<TSpeedButton*>(Parent()->Controls(i));
    if (!other || other == this || other->groupIndex_ != groupIndex_) continue;
    other->allowAllUp_ = allowAllUp_;
    if (down_ && other->down_) {
      other->down_ = false;
      other->Invalidate();
    }
  }
}

void TSpeedButton::SetPressed(bool value) {
  if (value == pressed_) return;
  pressed_ = value;
  Invalidate();
}

void TSpeedButton::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
      hot_ = Message.Msg == CM_MOUSEENTER;
      if (flat_) Invalidate();
      break;
    case CM_ENABLEDCHANGED:
      if (!Enabled()) {
        pressed_ = holding_ = hot_ = false;
      }
      break;
    default:
      break;
  }
  TGraphicControl::WndProc(Message);
}

void TSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || !Enabled()) return;
  holding_ = true;
  SetPressed(true);
}

void TSpeedButton::MouseMove(TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseMove(Shift, X, Y);
  if (!holding_) return;
  const RECT client = ClientRect();
  SetPressed(PtInRect(&client, POINT{X, Y}) != FALSE);
}

void TSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft) {
    holding_ = false;
    SetPressed(false);
  }
  TGraphicControl::MouseUp(Button, Shift, X, Y);
}

void TSpeedButton::Click() {
  if (groupIndex_ != 0) SetDown(!down_ || !allowAllUp_);
  TGraphicControl::Click();
}

void TSpeedButton::DrawFace(TCanvas& canvas, RECT& rect) {
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(Color());
  canvas.FillRect(rect);
  const bool sunk = pressed_ || down_;
  // A flat button at rest has no edge; a down one that is not pressed shows a checked face.
  if (flat_ && !sunk && !(hot_ && Enabled())) return;
  if (sunk) Frame3D(canvas, rect, clBtnShadow, clBtnHighlight, 1);
  else if (flat_) Frame3D(canvas, rect, clBtnHighlight, clBtnShadow, 1);
  else {
    Frame3D(canvas, rect, clBtnHighlight, cl3DDkShadow, 1);
    Frame3D(canvas, rect, Color(), clBtnShadow, 1);
  }
}

void TSpeedButton::DrawContents(TCanvas& canvas, const RECT& rect) {
  const std::string caption = Caption();
  const SIZE text = caption.empty() ? SIZE{0, 0} : canvas.TextExtent(caption);
  const int gw = glyph_.Width(), gh = glyph_.Height();
  const int spacing = gw > 0 && !caption.empty() ? 4 : 0;
  // Glyph left of the caption, the pair centred; a pressed face moves them one pixel.
  const int shift = pressed_ || (down_ && !flat_) ? 1 : 0;
  const int total = gw + spacing + text.cx;
  int x = rect.left + (rect.right - rect.left - total) / 2 + shift;
  const int cy = rect.top + (rect.bottom - rect.top) / 2 + shift;
  if (gw > 0) {
    if (Enabled()) {
      canvas.Draw(x, cy - gh / 2, glyph_);
    } else {
      // A disabled glyph shows as its shape in the shadow colour.
      TBitmap grey;
      grey.Assign(glyph_);
      const TColor key = ColorToRGB(glyph_.TransparentColor());
      const TColor shade = ColorToRGB(clBtnShadow);
      for (int y = 0; y < grey.Height(); ++y)
        for (int gx = 0; gx < grey.Width(); ++gx)
          if (grey.Pixel(gx, y) != key) grey.SetPixel(gx, y, shade);
      grey.SetTransparentColor(key);
      grey.SetTransparent(true);
      canvas.Draw(x, cy - gh / 2, grey);
    }
    x += gw + spacing;
  }
  if (caption.empty()) return;
  canvas.Brush().SetStyle(bsClear);
  canvas.Font().SetColor(Enabled() ? Font().Color() : clGrayText);
  canvas.TextOut(x, cy - text.cy / 2, caption);
}

void TSpeedButton::Paint() {
  TCanvas& canvas = Canvas();
  RECT rect = ClientRect();
  DrawFace(canvas, rect);
  DrawContents(canvas, rect);
}

}  // namespace ui
