// A 32-bit memory picture for drawing tests: a DIB section with its own device context,
// white at first, read back pixel by pixel as COLORREF.
#pragma once

#include <windows.h>

#include <cstdint>
#include <utility>

class Picture {
public:
    Picture(int width, int height) : width_(width), height_(height), dc_(CreateCompatibleDC(nullptr)) {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        bits_ = static_cast<const uint32_t*>(bits);
        old_ = SelectObject(dc_, bitmap_);
        const RECT all{0, 0, width, height};
        FillRect(dc_, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    Picture(Picture&& other) noexcept
        : width_(other.width_), height_(other.height_), dc_(std::exchange(other.dc_, nullptr)),
          bitmap_(std::exchange(other.bitmap_, nullptr)), old_(other.old_), bits_(other.bits_) {}
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;
    ~Picture() {
        if (!dc_) return;
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }

    HDC dc() const { return dc_; }
    int width() const { return width_; }
    int height() const { return height_; }
    COLORREF at(int x, int y) const {
        GdiFlush();
        const uint32_t p = bits_[y * width_ + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }

private:
    int width_, height_;
    HDC dc_;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    const uint32_t* bits_ = nullptr;
};
