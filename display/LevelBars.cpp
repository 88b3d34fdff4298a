#include "display/DisplayTypes.h"

#include <algorithm>

namespace display {

namespace {

struct Rgb {
    double red, green, blue;
};

Rgb split(COLORREF colour) {
    return {static_cast<double>(colour & 0xFF), static_cast<double>((colour >> 8) & 0xFF),
            static_cast<double>(colour >> 16)};
}

int component(double value) { return static_cast<int>(std::clamp(value, 0.0, 255.0)); }

COLORREF join(const Rgb& c) {
    return static_cast<COLORREF>(component(c.red) + 256 * component(c.green) + 65536 * component(c.blue));
}

Rgb along(const Rgb& start, const Rgb& step, int steps) {
    return {start.red + steps * step.red, start.green + steps * step.green, start.blue + steps * step.blue};
}

// Neighbouring columns of one colour are painted as one rectangle: the picture is the same
// as column by column, at a fraction of the calls.
class ColumnPainter {
public:
    ColumnPainter(const DrawingFrame& frame, const RECT& rect) : frame_(frame), rect_(rect) {}
    ColumnPainter(const ColumnPainter&) = delete;
    ColumnPainter& operator=(const ColumnPainter&) = delete;
    ~ColumnPainter() { flush(); }

    void column(int i, COLORREF colour) {
        if (count_ > 0 && colour != colour_) flush();
        if (count_ == 0) {
            first_ = i;
            colour_ = colour;
        }
        ++count_;
    }

private:
    void flush() {
        if (count_ == 0) return;
        frame_.fill(rect_.left + first_, rect_.top, rect_.left + first_ + count_, rect_.bottom, colour_);
        count_ = 0;
    }

    const DrawingFrame& frame_;
    const RECT& rect_;
    int first_ = 0;
    int count_ = 0;
    COLORREF colour_ = 0;
};

}  // namespace

void paintLevelBar(const DrawingFrame& frame, const RECT& rect, int16_t maxLevelPosition, int16_t levelPosition,
                   COLORREF startColour, COLORREF endColour) {
    const int W = rect.right - rect.left;
    const int F = W * (-levelPosition - 225) / -225;
    const int p = (-maxLevelPosition - 225) * 100 / -225;
    int s = 0;
    int L = 0;
    if (p <= 10) {
        s = W * (100 - 2 * p) / 100;
        L = W - s;
    } else if (p < 90) {
        s = (100 - p) * W / 100 - 30;
        L = 65;
    } else {
        s = std::min(W * 2 * (100 - p) / 100, F);
        L = s;
    }
    const Rgb start = split(startColour);
    const Rgb end = split(endColour);
    // A ramp of no columns has no steps (and must not divide by zero).
    const Rgb step = L == 0 ? Rgb{0, 0, 0}
                            : Rgb{(end.red - start.red) / L, (end.green - start.green) / L,
                                  (end.blue - start.blue) / L};
    ColumnPainter painter(frame, rect);
    COLORREF previous = join(start);
    for (int i = 0; i < F; ++i) {
        COLORREF colour;
        if (p < 90) {
            const int k = i - s;
            if (k <= 0) {
                colour = join(start);
            } else if (k < L) {
                colour = join(along(start, step, k));
            } else if (k > L) {
                colour = join(end);
            } else {
                colour = previous;
            }
        } else {
            colour = i > L ? join(end) : join(along(start, step, i));
        }
        painter.column(i, colour);
        previous = colour;
    }
}

void drawLevelBars(const DrawingFrame& f, const DisplaySettings& settings, const LevelState& levels) {
    const COLORREF inscriptions = translateColor(settings.inscriptionsColor);
    const int tickY = f.D - whole(10 * f.G + 7);
    for (int i = 0; i <= 25; ++i) {
        const int x = whole(41 * f.E + 9 * i * f.E);
        f.fill(x, tickY - 2, x + 1, tickY, inscriptions);
    }
    const int top = f.A + whole(15 * f.G);
    const int bottom = f.D - whole(28 * f.G);
    const int scaleY = f.D - whole(10 * f.G + 5);
    f.caption(f.u + whole(35 * f.E), top - 6, TA_RIGHT, L"Left");
    f.caption(f.u + whole(35 * f.E), bottom - 6, TA_RIGHT, L"Right");
    f.caption(f.u + whole(265 * f.E) + 15, scaleY, TA_RIGHT, L"0dB");
    f.caption(f.u + whole(40 * f.E) + 16, scaleY, TA_RIGHT, L"-91dB");

    const int h = settings.outLinesHeight / 2;
    const int left = f.u + whole(40 * f.E);
    const int right = f.u + whole(265 * f.E) + 1;
    const COLORREF start = translateColor(settings.levelsColor);
    const COLORREF end = translateColor(settings.maxLevelColor);
    const auto mark = static_cast<int16_t>(settings.maxLevelPosition);
    paintLevelBar(f, RECT{left, top - h, right, top + h}, mark, levelPosition(levels.level1), start, end);
    paintLevelBar(f, RECT{left, bottom - h, right, bottom + h}, mark, levelPosition(levels.level2), start, end);
}

}  // namespace display
