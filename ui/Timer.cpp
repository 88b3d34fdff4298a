#include "Timer.h"

#include <map>
#include <stdexcept>

#include "Application.h"
#include "ControlCanvas.h"

namespace ui {

namespace {

// Every timer of the program ticks through one hidden message window; its identifier maps
// back to the timer object.
std::map<UINT_PTR, TTimer*>& Timers() {
  static std::map<UINT_PTR, TTimer*> timers;
  return timers;
}

UINT_PTR g_nextId = 1;

}  // namespace

LRESULT CALLBACK TTimer::TimerWindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg != WM_TIMER) return DefWindowProcA(wnd, msg, wParam, lParam);
  auto found = Timers().find(wParam);
  if (found == Timers().end()) return 0;
  // A tick is handled like a window message: what it borrows goes back when it ends.
  TMessageScope scope;
  try {
    found->second->Timer();
  } catch (const std::exception& e) {
    Application().HandleException(e);
  } catch (...) {
    Application().HandleException(std::runtime_error("Unknown error"));
  }
  return 0;
}

HWND TTimer::TimerWindow() {
  static HWND window = [] {
    WNDCLASSA wc{};
    wc.lpszClassName = "Talvo.TimerWindow";
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpfnWndProc = &TimerWindowProc;
    RegisterClassA(&wc);
    return CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                           wc.hInstance, nullptr);
  }();
  return window;
}

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner), id_(g_nextId++) { UpdateTimer(); }

TTimer::~TTimer() {
  enabled_ = false;
  UpdateTimer();
}

void TTimer::SetEnabled(bool value) {
  if (value == enabled_) return;
  enabled_ = value;
  UpdateTimer();
}

void TTimer::SetInterval(UINT value) {
  if (value == interval_) return;
  interval_ = value;
  UpdateTimer();
}

void TTimer::UpdateTimer() {
  HWND window = TimerWindow();
  if (running_) {
    KillTimer(window, id_);
    Timers().erase(id_);
    running_ = false;
  }
  if (!enabled_ || interval_ == 0 || !window) return;
  if (!SetTimer(window, id_, interval_, nullptr)) throw std::runtime_error("Not enough timers available");
  Timers()[id_] = this;
  running_ = true;
}

void TTimer::Timer() {
  if (OnTimer) OnTimer(this);
}

}  // namespace ui
