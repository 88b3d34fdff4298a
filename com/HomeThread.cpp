#include "com/HomeThread.h"

namespace com {

namespace {

constexpr UINT kRunWork = WM_APP + 1;

LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kRunWork) {
        reinterpret_cast<void (*)(void*)>(wParam)(reinterpret_cast<void*>(lParam));
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

home_thread::home_thread() noexcept
    : id_(GetCurrentThreadId()),
      // The system's own class of message-only windows, given this procedure: no class of ours
      // to register and unregister with the module.
      window_(CreateWindowExW(0, L"Message", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr)) {
    if (window_) SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&procedure));
}

home_thread::~home_thread() {
    if (window_) DestroyWindow(window_);
}

bool home_thread::post(void (*work)(void*), void* context) const noexcept {
    return window_ && PostMessageW(window_, kRunWork, reinterpret_cast<WPARAM>(work), reinterpret_cast<LPARAM>(context));
}

}  // namespace com
