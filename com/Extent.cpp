#include "com/Extent.h"

namespace com {

namespace {

constexpr int kHimetricPerInch = 2540;

}  // namespace

SIZE screenDpi() noexcept {
    SIZE dpi{96, 96};
    if (HDC screen = GetDC(nullptr)) {
        dpi = {GetDeviceCaps(screen, LOGPIXELSX), GetDeviceCaps(screen, LOGPIXELSY)};
        ReleaseDC(nullptr, screen);
    }
    return dpi;
}

SIZEL toHimetric(SIZE pixels) noexcept {
    const SIZE dpi = screenDpi();
    return {MulDiv(pixels.cx, kHimetricPerInch, dpi.cx), MulDiv(pixels.cy, kHimetricPerInch, dpi.cy)};
}

SIZE toPixels(SIZEL himetric) noexcept {
    const SIZE dpi = screenDpi();
    return {MulDiv(himetric.cx, dpi.cx, kHimetricPerInch), MulDiv(himetric.cy, dpi.cy, kHimetricPerInch)};
}

}  // namespace com
