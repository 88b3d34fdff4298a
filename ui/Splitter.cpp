#include "Splitter.h"

#include <algorithm>

#include "WinControl.h"

namespace ui {

TSplitter::TSplitter(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetBounds(0, 0, 3, 100);
  SetAlign(alLeft);
  SetParentColor(true);
  SetCursor(crHSplit);
}

void TSplitter::RequestAlign() {
  TGraphicControl::RequestAlign();
  if (Cursor() == crHSplit || Cursor() == crVSplit) SetCursor(Horizontal() ? crHSplit : crVSplit);
}

TControl* TSplitter::FindControl() const {
  if (!Parent()) return nullptr;
  const RECT me = BoundsRect();
  for (int i = 0; i < Parent()->ControlCount(); ++i) {
    TControl* c = Parent()->Controls(i);
    if (c == this || c->Align() != Align() || !c->Visible()) continue;
    const RECT r = c->BoundsRect();
    const bool touches = Align() == alLeft     ? r.right == me.left
                         : Align() == alRight  ? r.left == me.right
                         : Align() == alTop    ? r.bottom == me.top
                                               : r.top == me.bottom;
    if (touches) return c;
  }
  return nullptr;
}

int TSplitter::ControlSize(const TControl& control) const {
  return Horizontal() ? control.Width() : control.Height();
}

void TSplitter::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  control_ = FindControl();
  if (!control_) return;
  downAt_ = ClientToScreen({X, Y});
  startSize_ = ControlSize(*control_);
  // The control may take all the room but MinSize for the others (the splitter's own width
  // stays out of it), and what the other aligned controls already hold.
  const RECT client = Parent()->ClientRect();
  const int room = Horizontal() ? client.right - client.left : client.bottom - client.top;
  int others = 0;
  for (int i = 0; i < Parent()->ControlCount(); ++i) {
    const TControl* c = Parent()->Controls(i);
    if (c == control_ || !c->Visible() || c->Align() == alNone || c->Align() == alClient) continue;
    if (Horizontal() == (c->Align() == alLeft || c->Align() == alRight)) others += ControlSize(*c);
  }
  maxSize_ = std::max(room - others - minSize_, minSize_);
}

void TSplitter::MouseMove(TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseMove(Shift, X, Y);
  if (!control_ || !MouseCapture()) return;
  const POINT at = ClientToScreen({X, Y});
  int delta = Horizontal() ? at.x - downAt_.x : at.y - downAt_.y;
  if (Align() == alRight || Align() == alBottom) delta = -delta;
  const int size = std::clamp(startSize_ + delta, minSize_, maxSize_);
  if (size == ControlSize(*control_)) return;
  if (Horizontal()) control_->SetWidth(size);
  else control_->SetHeight(size);
  // Aligned controls keep their order by position: the splitter moves with the control.
  Parent()->Realign();
}

void TSplitter::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseUp(Button, Shift, X, Y);
  if (Button != mbLeft || !control_) return;
  const bool moved = ControlSize(*control_) != startSize_;
  control_ = nullptr;
  if (moved && OnMoved) OnMoved(this);
}

void TSplitter::Paint() {
  Canvas().Brush().SetStyle(bsSolid);
  Canvas().Brush().SetColor(Color());
  Canvas().FillRect(ClientRect());
}

}  // namespace ui
