// The flat frame the skinned native controls wear instead of their sunken edge: the window's
// outermost pixel ring in BorderColor and the next one in the control's Color, over a
// non-client margin the control owns through WM_NCCALCSIZE. The frame is drawn again after
// every non-client paint, paint and background erase, so neither the system's frame painting
// nor the native control's own drawing leaves it missing.
#pragma once

#include "KIVPublic.h"
#include "KIVThemes.h"
#include "NativeControl.h"

namespace kiv {

// Control is the class library's control the frame goes on.
template <typename Control>
class TkivFramed : public Control, public IkivBorderColored {
 public:
  // margin: the non-client margin in pixels (0 leaves the frame over the client's edge).
  TkivFramed(ui::TComponent* AOwner, int margin, bool opaque = true)
      : Control(AOwner), borderColor_(GetOwnerFormBorderColor(AOwner)) {
    if (opaque) this->SetControlStyle(this->ControlStyle() | ui::csOpaque);
    Control::SetBorderStyle(ui::bsNone);
    Control::SetBorderWidth(margin);
  }

  TColor BorderColor() const { return borderColor_; }
  void SetBorderColor(TColor color) override {
    borderColor_ = color;
    this->Invalidate();
  }

 protected:
  void WndProc(ui::TMessage& Message) override {
    Control::WndProc(Message);
    switch (Message.Msg) {
      case WM_NCPAINT:
      case WM_PAINT:
      case WM_ERASEBKGND:
        DrawFrame();
        break;
      default:
        break;
    }
  }

  void DrawFrame() {
    if (!this->HandleAllocated()) return;
    FillScrollBarCorner(*this);
    DrawControlFrame(*this, borderColor_, this->Color());
  }

 private:
  TColor borderColor_;
};

}  // namespace kiv
