#include "outside/ZEVAudioDesign/EqualizerDrawing.h"

#include "com/Gdi.h"

#include <cstdio>

namespace design {

namespace {

constexpr COLORREF kGridColor = RGB(52, 58, 70);
constexpr COLORREF kZeroColor = RGB(120, 132, 152);
constexpr COLORREF kGrooveColor = RGB(14, 16, 22);
constexpr COLORREF kGrooveEdge = RGB(70, 78, 92);
constexpr COLORREF kTextColor = RGB(168, 178, 196);
constexpr int kGrooveHalfWidth = 2;

void fill(HDC dc, RECT r, COLORREF color) {
  SetBkColor(dc, color);
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
}

void line(HDC dc, int x1, int y1, int x2, int y2, COLORREF color, int style = PS_SOLID) {
  com::gdi_pen pen(CreatePen(style, 1, color));
  com::selection hold(dc, pen.get());
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
}

void text(HDC dc, const char* s, RECT r, UINT format, COLORREF color) {
  SetTextColor(dc, color);
  DrawTextA(dc, s, -1, &r, format | DT_SINGLELINE | DT_NOPREFIX);
}

void drawScale(HDC dc, const EqualizerLayout& layout) {
  const RECT& c = layout.client();
  for (int db = -15; db <= 15; db += 5) {
    const int y = layout.yOf(static_cast<float>(db));
    if (db == 0) {
      line(dc, layout.scaleRight() - 4, y, c.right - 4, y, kZeroColor, PS_DOT);
    } else {
      line(dc, layout.scaleRight() - 4, y, c.right - 4, y, kGridColor);
    }
    if (db % 15 == 0) {
      char label[8];
      std::snprintf(label, sizeof label, db > 0 ? "+%d" : "%d", db);
      text(dc, label, RECT{c.left, y - 8, layout.scaleRight() - 6, y + 8}, DT_RIGHT | DT_VCENTER, kTextColor);
    }
  }
  text(dc, "dB", RECT{c.left, layout.labelsTop(), layout.scaleRight() - 6, c.bottom}, DT_RIGHT | DT_TOP,
       kTextColor);
}

void drawBand(HDC dc, const EqualizerLayout& layout, int band, float db, bool focused) {
  const int x = layout.columnX(band);
  fill(dc, RECT{x - kGrooveHalfWidth - 1, layout.top() - 1, x + kGrooveHalfWidth + 2, layout.bottom() + 2},
       kGrooveEdge);
  fill(dc, RECT{x - kGrooveHalfWidth, layout.top(), x + kGrooveHalfWidth + 1, layout.bottom() + 1}, kGrooveColor);
  const int zero = layout.yOf(0.0f), y = layout.yOf(db);
  if (y != zero) {
    fill(dc, RECT{x - kGrooveHalfWidth, std::min(y, zero), x + kGrooveHalfWidth + 1, std::max(y, zero) + 1},
         kFillColor);
  }
  RECT thumb = layout.thumb(band, db);
  fill(dc, thumb, focused ? kAccentColor : kThumbColor);
  DrawEdge(dc, &thumb, BDR_RAISEDINNER, BF_RECT);
  line(dc, thumb.left + 3, y, thumb.right - 3, y, RGB(40, 44, 52));
  text(dc, bandLabel(band), RECT{x - 20, layout.labelsTop(), x + 21, layout.client().bottom}, DT_CENTER | DT_TOP,
       focused ? kAccentColor : kTextColor);
}

}  // namespace

void drawEqualizer(HDC dc, const EqualizerLayout& layout, const BandValues& bands, int focusedBand) {
  fill(dc, layout.client(), kPanelColor);
  SetBkMode(dc, TRANSPARENT);
  // Small enough for "1.7k" and "2.9k" to stand apart in a 300 pixel wide control.
  com::gdi_font small(CreateFontW(-9, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                   CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Tahoma"));
  com::selection font(dc, small ? static_cast<HGDIOBJ>(small.get()) : GetStockObject(DEFAULT_GUI_FONT));
  drawScale(dc, layout);
  for (int band = 0; band < kBands; ++band) drawBand(dc, layout, band, bands[band], band == focusedBand);
}

}  // namespace design
