#include "display/DisplayTypes.h"
#include "com/Gdi.h"

#include <vector>

namespace display {

namespace {

// One channel's curve as a polyline: the same pixels as moving to the first point and drawing
// a line to each following one, in one call.
void drawCurve(HDC dc, int firstX, const std::vector<float>& buffer, int points, int x0, int span, int offset,
               int direction, double mid) {
    const auto y = [mid](float sample) { return whole(mid - sample * mid / 32767); };
    std::vector<POINT> curve;
    curve.reserve(static_cast<size_t>(points) + 1);
    curve.push_back({firstX, y(buffer[0])});
    for (int q = 0; q < points; ++q) {
        const int x = x0 + direction * (static_cast<int>(static_cast<long long>(q) * span / points) + offset);
        curve.push_back({x, y(buffer[static_cast<size_t>(q)])});
    }
    Polyline(dc, curve.data(), static_cast<int>(curve.size()));
}

}  // namespace

void drawScope(const DrawingFrame& f, const DisplaySettings& settings, const LevelState& levels) {
    const COLORREF scale = translateColor(settings.scaleColor);
    const int t = f.A + whole(4 * f.G) + 9;
    const int b = f.D - whole(4 * f.G) - 4;
    const int w = whole(11 * f.E);
    const int g = whole(8 * f.G);
    const int margin = whole(20 * f.E);

    const int xl = f.u + margin;
    const int xr = xl + 11 * w;
    const int xl2 = f.B - 11 * w - margin;
    const int xr2 = f.B - margin;
    for (int i = 0; i <= 11; ++i) {
        const int left = margin + i * w;
        f.fill(left, t, left + 1, b, scale);
        const int right = f.B - margin - i * w;
        f.fill(right, t, right + 1, b, scale);
    }
    const double cell = 8 * f.G;
    int rows = whole((b - t) / cell);
    for (int i = 0; i <= rows; ++i) {
        const int y = f.D - whole(4 * f.G + 5) - i * g;
        f.fill(xl, y, xr, y + 1, scale);
        f.fill(xl2, y, xr2, y + 1, scale);
    }

    if ((b - t) - cell * rows > 0.7 * cell) ++rows;
    const double mid = b - (rows / 2.0) * g - 1;
    const int points = levels.windowSize / 2;
    if (points > 0) {
        com::gdi_pen pen(CreatePen(PS_SOLID, 1, translateColor(settings.levelsColor)));
        com::selection hold(f.dc, pen.get());
        drawCurve(f.dc, margin, levels.buffer1, points, margin, xr - xl, 2, 1, mid);
        drawCurve(f.dc, f.B - margin, levels.buffer2, points, xr2, xr2 - xl2, 2, -1, mid);
    }

    f.caption(xl + 10, f.A + whole(1.8 * f.G), TA_LEFT, L"Left");
    f.caption(xr2 - 10, f.A + whole(1.8 * f.G), TA_RIGHT, L"Right");
}

}  // namespace display
