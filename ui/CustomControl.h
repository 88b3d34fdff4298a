// TCustomControl: a windowed control that paints itself: Paint() draws on its canvas, which
// during painting is the paint context (also one supplied by another control) and starts with
// the control's font.
#pragma once

#include "ControlCanvas.h"
#include "WinControl.h"

namespace ui {

class TCustomControl : public TWinControl {
  UI_CLASS(TCustomControl, TWinControl)
 public:
  explicit TCustomControl(TComponent* AOwner) : TWinControl(AOwner), canvas_(*this) {}

  TCanvas& Canvas() { return canvas_; }

 protected:
  virtual void Paint() {}
  void PaintWindow(HDC dc) override;
  void DestroyWnd() override;

 private:
  TControlCanvas canvas_;
};

// TGraphicControl: a control without a window of its own, painted by its parent into the
// parent's paint context; its canvas is that context, moved to the control's origin.
class TGraphicControl : public TControl {
  UI_CLASS(TGraphicControl, TControl)
 public:
  explicit TGraphicControl(TComponent* AOwner) : TControl(AOwner) {}

  TCanvas& Canvas() { return canvas_; }

 protected:
  virtual void Paint() {}
  void WndProc(TMessage& Message) override;

 private:
  TCanvas canvas_;
};

}  // namespace ui
