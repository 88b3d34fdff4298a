// A message-only window on the thread that makes it: how the player gets its timer ticks and
// its own posted messages on the thread that created it, where its events must be fired.
#pragma once

#include "com/Handles.h"

#include <functional>

namespace player {

class MessageWindow {
 public:
  using Handler = std::function<void(UINT message, WPARAM wParam, LPARAM lParam)>;

  explicit MessageWindow(Handler handler);
  MessageWindow(const MessageWindow&) = delete;
  MessageWindow& operator=(const MessageWindow&) = delete;
  ~MessageWindow();

  HWND get() const { return window_.get(); }

 private:
  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  Handler handler_;
  com::unique_window window_;
};

}  // namespace player
