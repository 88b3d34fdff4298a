#include "display/DisplayTypes.h"

#include <cmath>

namespace display {

namespace {

// The height of the column showing sample: louder samples are drawn taller than linear.
int columnHeight(float sample, int H) {
    const double a = std::fabs(sample) / 32767.0;
    const int h0 = whole(a * H);
    return whole((2 - a) * h0);
}

}  // namespace

void drawColumns(const DrawingFrame& f, const DisplaySettings& settings, const LevelState& levels,
                 StyleBitmaps& styles, ColumnStyle style) {
    const int t = f.A + whole(4 * f.G) + 9;
    const int base = f.D - whole(4 * f.G) - 5;
    const int H = base - t;
    const int w = whole(11 * f.E);
    const int g = whole(8 * f.G);
    const int N = 11 * w + 1;

    f.caption(whole(80 * f.E), f.A + whole(0.8 * f.G), TA_CENTER, L"Left");
    f.caption(f.B - whole(90 * f.E), f.A + whole(0.8 * f.G), TA_LEFT, L"Right");

    const COLORREF scale = translateColor(settings.scaleColor);
    const int left = f.u + whole(20 * f.E);
    const int right = f.B - whole(140 * f.E);
    const int gridTop = f.A + whole(4 * f.G) + 7;
    const int gridBottom = f.D - whole(4 * f.G) - 5;
    for (int i = 0; i <= 11; ++i) {
        f.fill(left + i * w, gridTop, left + i * w + 1, gridBottom, scale);
        f.fill(right + i * w - 1, gridTop, right + i * w, gridBottom, scale);
    }
    const int rows = whole((H - 4) / (8 * f.G));
    for (int i = 0; i <= rows; ++i) {
        const int y = f.D - whole(4 * f.G) - 6 - i * g;
        f.fill(left, y, left + 11 * w, y + 1, scale);
        f.fill(right, y, right + 11 * w, y + 1, scale);
    }

    if (levels.noData || !styles.make(nullptr)) return;
    const long long M = levels.channels == 1 ? levels.windowSize : levels.windowSize / 2;
    HDC picture = styles.select(style);
    const int x1 = whole(20 * f.E + 1);
    const int x2 = f.B - 1 - whole(140 * f.E);
    for (int j = 0; j < N; ++j) {
        const auto at = static_cast<size_t>(j * M / N);
        const int h1 = columnHeight(levels.buffer1[at], H);
        const int h2 = columnHeight(levels.buffer2[at], H);
        // Column h of a style picture holds the strip in h + 1 rows; a taller column has no
        // picture column to come from.
        if (h1 > 0 && h1 < kStyleBitmapSize) BitBlt(f.dc, x1 + j, base - h1, 1, h1, picture, h1, 0, SRCCOPY);
        if (h2 > 0 && h2 < kStyleBitmapSize) BitBlt(f.dc, x2 + j, base - h2, 1, h2, picture, h2, 0, SRCCOPY);
    }
}

}  // namespace display
