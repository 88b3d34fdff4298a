#include "ThreadWindows.h"

namespace ui {

namespace {

struct DisabledWindows {
  HWND except;
  std::vector<HWND> windows;
};

BOOL CALLBACK DisableWindow(HWND wnd, LPARAM data) {
  auto* disabled = reinterpret_cast<DisabledWindows*>(data);
  if (wnd != disabled->except && IsWindowVisible(wnd) && IsWindowEnabled(wnd)) {
    disabled->windows.push_back(wnd);
    EnableWindow(wnd, FALSE);
  }
  return TRUE;
}

}  // namespace

std::vector<HWND> DisableThreadWindows(HWND except) {
  DisabledWindows disabled{except, {}};
  EnumThreadWindows(GetCurrentThreadId(), DisableWindow, reinterpret_cast<LPARAM>(&disabled));
  return disabled.windows;
}

void EnableWindows(const std::vector<HWND>& windows) {
  for (HWND wnd : windows)
    if (IsWindow(wnd)) EnableWindow(wnd, TRUE);
}

}  // namespace ui
