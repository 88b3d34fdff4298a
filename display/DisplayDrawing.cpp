#include "display/DisplayDrawing.h"

#include "display/DisplayTypes.h"
#include "com/Gdi.h"

namespace display {

namespace {

void paintBorder(const DrawingFrame& f, const DisplaySettings& settings) {
    const COLORREF back = translateColor(settings.backColor);
    const int w = f.width;
    const int h = f.height;
    switch (settings.borderStyle) {
    case 1:  // bSingle
        f.fill(0, 0, w, h, translateColor(settings.borderColor));
        f.fill(1, 1, w - 1, h - 1, back);
        break;
    case 2:  // bLowered
    case 3:  // bRaised
    {
        const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
        const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
        const bool lowered = settings.borderStyle == 2;
        f.fill(0, 0, w - 1, h - 1, lowered ? shadow : highlight);
        f.fill(1, 1, w, h, lowered ? highlight : shadow);
        f.fill(1, 1, w - 1, h - 1, back);
        break;
    }
    default:  // bNone
        f.fill(0, 0, w, h, back);
        break;
    }
}

void drawType(const DrawingFrame& frame, const DisplayView& view) {
    switch (view.settings.typeDisplay) {
    case 0:  // tdOutLine
        drawLevelBars(frame, view.settings, view.levels);
        break;
    case 1:  // tdAnalog
        drawScope(frame, view.settings, view.levels);
        break;
    case 2:  // tdFFTFire
        drawColumns(frame, view.settings, view.levels, view.styles, ColumnStyle::fire);
        break;
    case 3:  // tdFFTGlass
        drawColumns(frame, view.settings, view.levels, view.styles, ColumnStyle::glass);
        break;
    case 4:  // tdFFTKryptonite
        drawColumns(frame, view.settings, view.levels, view.styles, ColumnStyle::kryptonite);
        break;
    default:
        break;
    }
}

}  // namespace

void drawDisplay(HDC target, const RECT& bounds, const DisplayView& view) {
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    if (width <= 0 || height <= 0) return;
    com::unique_dc dc(CreateCompatibleDC(target));
    com::gdi_bitmap picture(CreateCompatibleBitmap(target, width, height));
    com::gdi_font font(CreateFontW(12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                              CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS | DEFAULT_PITCH, L"Arial"));
    if (!dc || !picture) return;
    {
        com::selection holdPicture(dc.get(), picture.get());
        com::selection holdFont(dc.get(), font.get());
        SetTextColor(dc.get(), GetSysColor(COLOR_BTNTEXT));
        SetBkMode(dc.get(), TRANSPARENT);
        DrawingFrame frame(dc.get(), width, height);
        frame.inscriptions = translateColor(view.settings.inscriptionsColor);
        paintBorder(frame, view.settings);
        drawType(frame, view);
        BitBlt(target, bounds.left, bounds.top, width, height, dc.get(), 0, 0, SRCCOPY);
    }
}

}  // namespace display
