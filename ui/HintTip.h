// The program's one hint window: a tooltip that shows the Hint of the control the mouse rests
// on, after a pause, below the pointer, and hides again after a while, when the mouse leaves
// the control or a button is pressed.
#pragma once

#include <memory>
#include <string>

#include "Handles.h"
#include "Timer.h"

namespace ui {

class TControl;

class HintTip {
 public:
  HintTip();
  HintTip(const HintTip&) = delete;
  HintTip& operator=(const HintTip&) = delete;
  ~HintTip();

  // The mouse entered the control: its hint shows after the pause when it has one to show.
  void Activate(TControl* control, UINT pause, UINT hidePause);
  void Cancel();
  // The tooltip window, once made.
  HWND Handle() const { return tip_.get(); }

 private:
  void Show();
  HWND Tip();

  com::unique_window tip_;
  std::string text_;
  UINT hidePause_ = 0;
  std::unique_ptr<TTimer> pauseTimer_;
  std::unique_ptr<TTimer> hideTimer_;
};

}  // namespace ui
