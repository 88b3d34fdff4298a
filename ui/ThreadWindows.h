// The top-level windows of the calling thread, disabled while something modal runs (a modal
// form, a wait that serves messages) and enabled again after it.
#pragma once

#include <windows.h>

#include <vector>

namespace ui {

// Disables the visible, enabled top-level windows of this thread other than except; returns
// the windows it disabled.
std::vector<HWND> DisableThreadWindows(HWND except = nullptr);

// Enables again those of windows that still exist.
void EnableWindows(const std::vector<HWND>& windows);

}  // namespace ui
