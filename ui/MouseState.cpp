#include "MouseState.h"

#include "Control.h"

namespace ui::mouse_state {

namespace {
TControl* g_current = nullptr;
TControl* g_capture = nullptr;
}  // namespace

TControl* Current() { return g_current; }

void SetCurrent(TControl* target) {
  if (target == g_current) return;
  TControl* old = g_current;
  g_current = target;
  if (old) old->Perform(CM_MOUSELEAVE);
  // The leave handler may have moved the mouse state on; only tell a still-current target.
  if (target && g_current == target) target->Perform(CM_MOUSEENTER);
}

TControl* CaptureControl() { return g_capture; }

void SetCaptureControl(TControl* control) { g_capture = control; }

void Forget(const TControl* control) {
  if (g_current == control) g_current = nullptr;
  if (g_capture == control) g_capture = nullptr;
}

}  // namespace ui::mouse_state
