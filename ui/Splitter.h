// TSplitter: a bar between two aligned controls that the user drags to share the room between
// them. It is aligned itself (left, right, top or bottom) and resizes the control aligned the
// same way just before it, keeping that control and the rest of the room at least MinSize.
#pragma once

#include "CustomControl.h"

namespace ui {

class TSplitter : public TGraphicControl {
  UI_CLASS(TSplitter, TGraphicControl)
 public:
  explicit TSplitter(TComponent* AOwner);

  int MinSize() const { return minSize_; }
  void SetMinSize(int value) { minSize_ = value > 0 ? value : 1; }

  // After a drag has resized the control.
  TNotifyEvent OnMoved;

 protected:
  // Its cursor follows its direction: crHSplit beside, crVSplit above or below.
  void RequestAlign() override;
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

 private:
  bool Horizontal() const { return Align() == alLeft || Align() == alRight; }
  // The control the splitter resizes: aligned as it is and touching its near side.
  TControl* FindControl() const;
  int ControlSize(const TControl& control) const;

  int minSize_ = 30;
  TControl* control_ = nullptr;
  POINT downAt_{0, 0};
  int startSize_ = 0;
  int maxSize_ = 0;
};

}  // namespace ui
