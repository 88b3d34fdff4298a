// TTimer: calls OnTimer every Interval milliseconds while Enabled, on the GUI thread.
#pragma once

#include "Win32.h"

#include "Component.h"

namespace ui {

class TTimer : public TComponent {
  UI_CLASS(TTimer, TComponent)
 public:
  explicit TTimer(TComponent* AOwner);
  ~TTimer() override;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  UINT Interval() const { return interval_; }
  void SetInterval(UINT value);

  TNotifyEvent OnTimer;

 protected:
  virtual void Timer();

 private:
  static LRESULT CALLBACK TimerWindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
  static HWND TimerWindow();
  void UpdateTimer();

  bool enabled_ = true;
  UINT interval_ = 1000;
  UINT_PTR id_ = 0;
  bool running_ = false;
};

}  // namespace ui
