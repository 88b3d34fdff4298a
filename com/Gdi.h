// Owners for GDI handles: objects (DeleteObject), memory device contexts (DeleteDC),
// metafiles (DeleteMetaFile), device contexts borrowed from a window or the screen
// (ReleaseDC), and the selection of an object into a device context (the previous object
// selected back).
#pragma once

#include <windows.h>

#include <utility>

namespace com {

template <class H, auto Close>
class gdi_handle {
public:
    gdi_handle() noexcept = default;
    explicit gdi_handle(H raw) noexcept : h_(raw) {}
    gdi_handle(gdi_handle&& other) noexcept : h_(std::exchange(other.h_, nullptr)) {}
    gdi_handle& operator=(gdi_handle&& other) noexcept {
        gdi_handle(std::move(other)).swap(*this);
        return *this;
    }
    gdi_handle(const gdi_handle&) = delete;
    gdi_handle& operator=(const gdi_handle&) = delete;
    ~gdi_handle() { reset(); }

    H get() const noexcept { return h_; }
    explicit operator bool() const noexcept { return h_ != nullptr; }
    void reset() noexcept {
        if (H old = std::exchange(h_, nullptr)) Close(old);
    }
    [[nodiscard]] H detach() noexcept { return std::exchange(h_, nullptr); }
    void swap(gdi_handle& other) noexcept { std::swap(h_, other.h_); }

private:
    H h_ = nullptr;
};

inline void deleteObject(HGDIOBJ object) noexcept { DeleteObject(object); }
inline void deleteDc(HDC dc) noexcept { DeleteDC(dc); }
inline void deleteMetafile(HMETAFILE metafile) noexcept { DeleteMetaFile(metafile); }

using memory_dc = gdi_handle<HDC, &deleteDc>;
using gdi_bitmap = gdi_handle<HBITMAP, &deleteObject>;
using gdi_font = gdi_handle<HFONT, &deleteObject>;
using gdi_pen = gdi_handle<HPEN, &deleteObject>;
using gdi_metafile = gdi_handle<HMETAFILE, &deleteMetafile>;

// window_dc(nullptr) is the screen's device context.
class window_dc {
public:
    explicit window_dc(HWND window) noexcept : window_(window), dc_(GetDC(window)) {}
    window_dc(const window_dc&) = delete;
    window_dc& operator=(const window_dc&) = delete;
    ~window_dc() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    HDC get() const noexcept { return dc_; }
    explicit operator bool() const noexcept { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

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
