// TControlCanvas: the canvas of a windowed control. While the control paints, it draws on the
// paint context it is given; used at any other time it borrows the window's device context,
// which is given back once the outermost window message being handled is done.
#pragma once

#include "Canvas.h"

namespace ui {

class TWinControl;

class TControlCanvas : public TCanvas {
 public:
  explicit TControlCanvas(TWinControl& control) : control_(control) {}
  ~TControlCanvas() override;

  void SetHandle(HDC dc) override;
  // Gives back a device context the canvas borrowed itself.
  void FreeHandle();
  // Gives back every borrowed context (the window procedure does this after each message).
  static void FreeAllHandles();

 protected:
  void CreateHandle() override;

 private:
  TWinControl& control_;
  HWND borrowedFrom_ = nullptr;
  HDC borrowed_ = nullptr;
};

// The handling of one window message or timer tick: canvases borrowed while it runs are given
// back when the outermost one ends (a paint context borrowed in OnTimer does not outlive its
// tick).
class TMessageScope {
 public:
  TMessageScope();
  TMessageScope(const TMessageScope&) = delete;
  TMessageScope& operator=(const TMessageScope&) = delete;
  ~TMessageScope();
};

}  // namespace ui
