// ModalWait: the program's windows as a modal dialog leaves them, for the length of a call that
// waits on this thread while it serves the thread's messages (the ripper's GetCDDBInfo serves
// the calls of its other threads while a CDDB server answers). The thread's visible top-level
// windows are disabled; no mouse or keyboard message reaches any window of the thread meanwhile,
// whether the system routes it or it was posted, and what is still queued at the end is
// dropped, so nothing the user did during the wait is acted on, then or later. Windows still
// repaint, and the wait cursor shows: a window that chooses its own cursor asks Active().
#pragma once

#include <windows.h>

#include <vector>

#include "com/Handles.h"

namespace app {

class ModalWait {
 public:
  ModalWait();
  ~ModalWait();
  ModalWait(const ModalWait&) = delete;
  ModalWait& operator=(const ModalWait&) = delete;

  // Whether a wait is in force on this thread.
  static bool Active();
  // The cursor shown over the program's windows during a wait.
  static HCURSOR Cursor();

 private:
  com::unique_any<HHOOK, UnhookWindowsHookEx> dropInput_;
  std::vector<HWND> disabled_;
  HCURSOR previousCursor_;
};

}  // namespace app
