#include "display/DrawingFrame.h"

#include <olectl.h>

#include <cwchar>

namespace display {

COLORREF translateColor(OLE_COLOR color) noexcept {
    COLORREF translated = 0;
    if (FAILED(OleTranslateColor(color, nullptr, &translated))) return 0;
    return translated;
}

DrawingFrame::DrawingFrame(HDC dc_, int width_, int height_) noexcept
    : dc(dc_), width(width_), height(height_), u(1), A(1), B(width_ - 1), D(height_ - 1),
      E(width_ / 300.0), G(height_ / 60.0) {}

void DrawingFrame::fill(int left, int top, int right, int bottom, COLORREF colour) const noexcept {
    const RECT area{left, top, right, bottom};
    SetBkColor(dc, colour);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &area, nullptr, 0, nullptr);
}

void DrawingFrame::caption(int x, int y, UINT alignment, const wchar_t* text) const noexcept {
    SetTextColor(dc, inscriptions);
    SetTextAlign(dc, alignment | TA_TOP);
    TextOutW(dc, x, y, text, static_cast<int>(std::wcslen(text)));
}

}  // namespace display
