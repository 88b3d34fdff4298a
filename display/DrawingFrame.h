// What every display type draws with: the off-screen device context, the geometry of the
// bounds (inner edges u, A, B, D and the scale factors E and G of a 300 x 60 design), opaque
// fills and captions.
#pragma once

#include <windows.h>
#include <ocidl.h>

namespace display {

// The integer part (towards zero) of a drawing coordinate.
inline int whole(double value) noexcept { return static_cast<int>(value); }

COLORREF translateColor(OLE_COLOR color) noexcept;

struct DrawingFrame {
    DrawingFrame(HDC dc, int width, int height) noexcept;

    // Paints (left, top, right, bottom), right and bottom exclusive, in colour.
    void fill(int left, int top, int right, int bottom, COLORREF colour) const noexcept;
    // Text in the inscriptions colour at a top point: TA_LEFT, TA_RIGHT or TA_CENTER says
    // which end x names.
    void caption(int x, int y, UINT alignment, const wchar_t* text) const noexcept;

    HDC dc;
    COLORREF inscriptions = 0;
    int width;
    int height;
    int u, A, B, D;
    double E, G;
};

}  // namespace display
