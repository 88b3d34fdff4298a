#include "outside/ZEVAudioPlayer/MessageWindow.h"

#include "com/Module.h"

#include <atomic>

namespace player {

namespace {

constexpr wchar_t kClass[] = L"ZEVAudioPlayerMessages";

// Registered while windows of this module exist, so an unloaded module leaves no class behind.
std::atomic<long> liveWindows{0};

}  // namespace

MessageWindow::MessageWindow(Handler handler) : handler_(std::move(handler)) {
  if (liveWindows++ == 0) {
    WNDCLASSEXW type{};
    type.cbSize = sizeof type;
    type.lpfnWndProc = &procedure;
    type.hInstance = com::thisModule();
    type.lpszClassName = kClass;
    RegisterClassExW(&type);
  }
  window_.reset(CreateWindowExW(0, kClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, com::thisModule(), this));
}

MessageWindow::~MessageWindow() {
  window_.reset();
  if (--liveWindows == 0) UnregisterClassW(kClass, com::thisModule());
}

LRESULT CALLBACK MessageWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    SetWindowLongPtrW(window, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
  }
  auto* self = reinterpret_cast<MessageWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_NCDESTROY) SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  if (self && (message == WM_TIMER || message >= WM_APP)) {
    try {
      self->handler_(message, wParam, lParam);
    } catch (...) {
      // The handler reports its own failures; this barrier only keeps anything else from
      // unwinding through the system's message dispatch.
    }
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace player
