// Owners for GDI handles: objects (DeleteObject), device contexts made by CreateCompatibleDC
// or CreateDC (DeleteDC), metafiles (DeleteMetaFile), device contexts borrowed from a window
// or the screen (ReleaseDC), a context's saved state (RestoreDC), and the selection of an
// object into a device context (the previous object selected back).
#pragma once

#include <windows.h>

#include <utility>

#include "com/Handles.h"

namespace com {

template <typename T>
using gdi_object = unique_any<T, DeleteObject>;
using gdi_bitmap = gdi_object<HBITMAP>;
using gdi_brush = gdi_object<HBRUSH>;
using gdi_pen = gdi_object<HPEN>;
using gdi_font = gdi_object<HFONT>;
using gdi_region = gdi_object<HRGN>;
using gdi_metafile = unique_any<HMETAFILE, DeleteMetaFile>;
using unique_dc = unique_any<HDC, DeleteDC>;

// window_dc::client(nullptr) is the screen's device context.
class window_dc {
public:
    static window_dc client(HWND window) noexcept { return {window, GetDC(window)}; }
    static window_dc whole(HWND window) noexcept { return {window, GetWindowDC(window)}; }
    window_dc(window_dc&& other) noexcept : window_(other.window_), dc_(std::exchange(other.dc_, nullptr)) {}
    window_dc(const window_dc&) = delete;
    window_dc& operator=(const window_dc&) = delete;
    window_dc& operator=(window_dc&&) = delete;
    ~window_dc() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    HDC get() const noexcept { return dc_; }
    explicit operator bool() const noexcept { return dc_ != nullptr; }

private:
    window_dc(HWND window, HDC dc) noexcept : window_(window), dc_(dc) {}

    HWND window_;
    HDC dc_;
};

// SaveDC/RestoreDC around a block of drawing that changes the context's state.
class saved_dc_state {
public:
    explicit saved_dc_state(HDC dc) noexcept : dc_(dc), saved_(SaveDC(dc)) {}
    saved_dc_state(const saved_dc_state&) = delete;
    saved_dc_state& operator=(const saved_dc_state&) = delete;
    ~saved_dc_state() {
        if (saved_) RestoreDC(dc_, saved_);
    }

private:
    HDC dc_;
    int saved_;
};

// Keeps an object selected into a device context for the life of the guard.
class selection {
public:
    selection(HDC dc, HGDIOBJ object) noexcept : dc_(dc), previous_(SelectObject(dc, object)) {}
    selection(const selection&) = delete;
    selection& operator=(const selection&) = delete;
    ~selection() {
        if (previous_) SelectObject(dc_, previous_);
    }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace com
