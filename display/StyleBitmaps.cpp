#include "display/StyleBitmaps.h"

namespace display {

namespace {

constexpr int kStripHeight = 185;
constexpr int kStripIds[] = {203, 202, 201};  // fire, glass, kryptonite

// Column x receives the whole strip in x + 1 rows.
bool squeezeStrip(HMODULE resources, int stripId, HDC picture, HDC scratch) {
    com::gdi_bitmap strip(static_cast<HBITMAP>(
        LoadImageW(resources, MAKEINTRESOURCEW(stripId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (!strip) return false;
    com::selection hold(scratch, strip.get());
    for (int x = 0; x < kStyleBitmapSize; ++x) {
        StretchBlt(picture, x, 0, 1, x + 1, scratch, 0, 0, 1, kStripHeight, SRCCOPY);
    }
    return true;
}

}  // namespace

bool StyleBitmaps::make(HDC reference) {
    if (made_) return true;
    com::unique_dc dc(CreateCompatibleDC(reference));
    com::unique_dc scratch(CreateCompatibleDC(reference));
    if (!dc || !scratch) return false;
    com::window_dc screen = com::window_dc::client(nullptr);
    HDC compatible = reference ? reference : screen.get();
    std::array<com::gdi_bitmap, 3> pictures;
    for (com::gdi_bitmap& picture : pictures) {
        picture = com::gdi_bitmap(CreateCompatibleBitmap(compatible, kStyleBitmapSize, kStyleBitmapSize));
    }
    for (const com::gdi_bitmap& picture : pictures) {
        if (!picture) return false;
    }
    SetStretchBltMode(dc.get(), COLORONCOLOR);
    HGDIOBJ original = nullptr;
    for (size_t k = 0; k < pictures.size(); ++k) {
        HGDIOBJ previous = SelectObject(dc.get(), pictures[k].get());
        if (!original) original = previous;
        if (!squeezeStrip(resources_, kStripIds[k], dc.get(), scratch.get())) {
            SelectObject(dc.get(), original);
            return false;
        }
    }
    dc_ = std::move(dc);
    pictures_ = std::move(pictures);
    original_ = original;
    made_ = true;
    return true;
}

HDC StyleBitmaps::select(ColumnStyle style) noexcept {
    SelectObject(dc_.get(), pictures_[static_cast<size_t>(style)].get());
    return dc_.get();
}

StyleBitmaps::~StyleBitmaps() {
    // The pictures may only be deleted once no device context holds them.
    if (original_) SelectObject(dc_.get(), original_);
}

}  // namespace display
