// A visible top-level window for hosting controls in tests and the benchmark (needs a display).
#pragma once

#include <windows.h>

class HostWindow {
public:
    HostWindow(int width, int height) {
        WNDCLASSW type{};
        type.lpfnWndProc = DefWindowProcW;
        type.hInstance = GetModuleHandleW(nullptr);
        type.lpszClassName = L"DisplayHostWindow";
        type.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
        RegisterClassW(&type);
        window_ = CreateWindowExW(0, L"DisplayHostWindow", L"host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                                  width, height, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;
    ~HostWindow() {
        if (window_) DestroyWindow(window_);
    }

    HWND get() const { return window_; }

    // Handles what is waiting (paints among it).
    static void pump() {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    }

private:
    HWND window_;
};
