#include "KIVPublic.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <vector>

#include "Application.h"
#include "ParentImage.h"

namespace kiv {

namespace {

// The key of a piece drawn opaque.
constexpr COLORREF kOpaque = CLR_INVALID;

// Copies the from rectangle of the bitmap to the to rectangle of dc, stretching when the
// sizes differ. With a key, pixels of that colour are left out, judged on the stretched
// picture as it will be shown.
void CopyPiece(HDC dc, const RECT& to, const ui::TBitmap& bitmap, const RECT& from, COLORREF key) {
  const int w = to.right - to.left, h = to.bottom - to.top;
  const int sw = from.right - from.left, sh = from.bottom - from.top;
  if (w <= 0 || h <= 0 || sw <= 0 || sh <= 0) return;
  HDC source = bitmap.MemoryDc();
  if (key == kOpaque) {
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, to.left, to.top, w, h, source, from.left, from.top, sw, sh, SRCCOPY);
    return;
  }
  if (w == sw && h == sh) {
    TransparentBlt(dc, to.left, to.top, w, h, source, from.left, from.top, sw, sh, key);
    return;
  }
  ui::TBitmap stretched(w, h);
  SetStretchBltMode(stretched.MemoryDc(), COLORONCOLOR);
  StretchBlt(stretched.MemoryDc(), 0, 0, w, h, source, from.left, from.top, sw, sh, SRCCOPY);
  TransparentBlt(dc, to.left, to.top, w, h, stretched.MemoryDc(), 0, 0, w, h, key);
}

// A half-open run of rows or columns of the source bitmap.
struct Span {
  int begin, end;
  int Length() const { return end - begin; }
};

// A source strip kept inside the bitmap and never empty: a picture too small (or of even
// size) to have a row or column between its corners gives the nearest one instead.
Span SoundStrip(int begin, int end, int size) {
  begin = std::clamp(begin, 0, size - 1);
  return {begin, std::clamp(end, begin + 1, size)};
}

// The strip cut down to at most length, keeping its start or its end.
Span Cut(Span strip, int length, bool keepEnd) {
  if (strip.Length() <= length) return strip;
  return keepEnd ? Span{strip.end - length, strip.end} : Span{strip.begin, strip.begin + length};
}

// A corner piece: the source quarter's size limited to the destination quarter's, never below 0.
int Piece(int source, int quarter) { return std::max(0, std::min(source, quarter)); }

// Moves every pixel (x, y) of the bitmap to place(x, y) in a bitmap of the turned size.
template <typename Place>
void Turn(ui::TBitmap& bitmap, Place place) {
  const int w = bitmap.Width(), h = bitmap.Height();
  if (w <= 0 || h <= 0) return;
  std::vector<std::uint32_t> pixels(static_cast<size_t>(w) * h);
  for (int y = 0; y < h; ++y) std::copy_n(bitmap.ScanLine(y), w, pixels.begin() + y * w);
  bitmap.SetSize(h, w);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const POINT to = place(x, y, w, h);
      bitmap.ScanLine(to.y)[to.x] = pixels[static_cast<size_t>(y) * w + x];
    }
}

}  // namespace

void PaintParentBackground(ui::TCanvas& canvas, ui::TControl& control) {
  ui::DrawParentImage(control, canvas.Handle());
}

void TileBitmap(ui::TCanvas& canvas, const ui::TGraphic& picture, const RECT& rect) {
  const int pw = picture.Width(), ph = picture.Height();
  if (pw <= 0 || ph <= 0) return;
  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  for (int y = 0; y < h + ph; y += ph)
    for (int x = 0; x < w + pw; x += pw) canvas.Draw(x, y, picture);
}

void DrawNineGrid(const ui::TBitmap& bitmap, ui::TCanvas& canvas, const RECT& rect, bool transparent) {
  const int w = bitmap.Width(), h = bitmap.Height();
  const int W = rect.right - rect.left, H = rect.bottom - rect.top;
  HDC dc = canvas.Handle();
  if (!dc || w <= 0 || h <= 0 || W <= 0 || H <= 0) return;
  com::saved_dc_state saved(dc);
  IntersectClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
  const COLORREF key = kNineGridKey;
  const COLORREF cornerKey = transparent ? key : kOpaque;
  const int hw = w / 2, hh = h / 2;

  const int leftW = Piece(hw, W / 2), rightW = Piece(hw - 1, W / 2 - 1);
  const int topH = Piece(hh, H / 2), bottomH = Piece(hh - 1, H / 2 - 1);
  const RECT tl{rect.left, rect.top, rect.left + leftW, rect.top + topH};
  const RECT bl{rect.left, rect.bottom - bottomH, rect.left + leftW, rect.bottom};
  const RECT tr{rect.right - rightW, rect.top, rect.right, rect.top + topH};
  const RECT br{rect.right - rightW, rect.bottom - bottomH, rect.right, rect.bottom};
  CopyPiece(dc, tl, bitmap, {0, 0, leftW, topH}, cornerKey);
  CopyPiece(dc, bl, bitmap, {0, h - bottomH, leftW, h}, cornerKey);
  CopyPiece(dc, tr, bitmap, {w - rightW, 0, w, topH}, cornerKey);
  CopyPiece(dc, br, bitmap, {w - rightW, h - bottomH, w, h}, cornerKey);

  const Span middleColumns = SoundStrip(hw, w - hw + 1, w);
  const Span middleRows = SoundStrip(hh, h - hh, h);
  const Span rightEdgeRows = SoundStrip(h - hh, hh + 2, h);
  // The side strips keep their outer column, as the corners above and below them do.
  const Span leftColumns = Cut(SoundStrip(0, hw, w), tl.right - tl.left, false);
  const Span rightColumns = Cut(SoundStrip(w - hw + 1, w, w), tr.right - tr.left, true);
  const Span topRows = Cut(SoundStrip(0, hh, h), tl.bottom - tl.top, false);
  const RECT bottomEdge{tl.right - 1, bl.top - 1, br.left, br.bottom};
  const Span bottomRows = Cut(SoundStrip(h - hh, h, h), bottomEdge.bottom - bottomEdge.top, true);

  CopyPiece(dc, {rect.left, tl.bottom, tl.right, bl.top}, bitmap,
            {leftColumns.begin, middleRows.begin, leftColumns.end, middleRows.end}, key);
  CopyPiece(dc, {tr.left, tr.bottom, tr.right, br.top}, bitmap,
            {rightColumns.begin, rightEdgeRows.begin, rightColumns.end, rightEdgeRows.end}, key);
  CopyPiece(dc, {tl.right, rect.top, tr.left, tl.bottom}, bitmap,
            {middleColumns.begin, topRows.begin, middleColumns.end, topRows.end}, key);
  CopyPiece(dc, {tl.right, tl.bottom, tr.left, br.top - 1}, bitmap,
            {middleColumns.begin, middleRows.begin, middleColumns.end, middleRows.end}, key);
  CopyPiece(dc, bottomEdge, bitmap,
            {middleColumns.begin, bottomRows.begin, middleColumns.end, bottomRows.end}, key);
}

void DrawThreePartBitmap(const ui::TBitmap& bitmap, ui::TCanvas& canvas, const RECT& rect,
                         bool transparent) {
  const int cell = bitmap.Width() / 3, h = bitmap.Height();
  HDC dc = canvas.Handle();
  if (!dc || cell <= 0 || h <= 0) return;
  const COLORREF capKey = transparent ? ui::ColorToRGB(bitmap.Pixel(0, 0)) : kOpaque;
  CopyPiece(dc, {rect.left, rect.top, rect.left + cell, rect.top + h}, bitmap, {0, 0, cell, h}, capKey);
  CopyPiece(dc, {rect.right - cell, rect.top, rect.right, rect.top + h}, bitmap,
            {2 * cell, 0, 3 * cell, h}, capKey);
  CopyPiece(dc, {rect.left + cell, rect.top, rect.right - cell, rect.bottom}, bitmap,
            {cell, 0, 2 * cell, h}, kOpaque);
}

void DrawControlFrame(ui::TWinControl& control, TColor outer, TColor inner) {
  HWND wnd = control.Handle();
  com::window_dc dc = com::window_dc::whole(wnd);
  if (!dc) return;
  RECT r;
  GetWindowRect(wnd, &r);
  OffsetRect(&r, -r.left, -r.top);
  com::gdi_brush outerBrush(CreateSolidBrush(ui::ColorToRGB(outer)));
  FrameRect(dc.get(), &r, outerBrush.get());
  InflateRect(&r, -1, -1);
  com::gdi_brush innerBrush(CreateSolidBrush(ui::ColorToRGB(inner)));
  FrameRect(dc.get(), &r, innerBrush.get());
}

void FillScrollBarCorner(ui::TWinControl& control) {
  HWND wnd = control.Handle();
  const LONG_PTR style = GetWindowLongPtrA(wnd, GWL_STYLE);
  if ((style & WS_HSCROLL) == 0 || (style & WS_VSCROLL) == 0) return;
  SCROLLBARINFO vertical{}, horizontal{};
  vertical.cbSize = horizontal.cbSize = sizeof(SCROLLBARINFO);
  if (!GetScrollBarInfo(wnd, OBJID_VSCROLL, &vertical) || !GetScrollBarInfo(wnd, OBJID_HSCROLL, &horizontal))
    return;
  RECT window;
  GetWindowRect(wnd, &window);
  RECT corner{horizontal.rcScrollBar.right, vertical.rcScrollBar.bottom, vertical.rcScrollBar.right,
              horizontal.rcScrollBar.bottom};
  OffsetRect(&corner, -window.left, -window.top);
  com::window_dc dc = com::window_dc::whole(wnd);
  if (dc) FillRect(dc.get(), &corner, GetSysColorBrush(COLOR_BTNFACE));
}

void RotateBitmap(ui::TBitmap& bitmap) {
  Turn(bitmap, [](int x, int y, int w, int) { return POINT{y, w - 1 - x}; });
}

void RotateBitmapClockwise(ui::TBitmap& bitmap) {
  Turn(bitmap, [](int x, int y, int, int h) { return POINT{h - 1 - y, x}; });
}

bool PointInRect(POINT point, const RECT& rect) { return PointInRect(point.x, point.y, rect); }

bool PointInRect(int x, int y, const RECT& rect) {
  return rect.left <= x && x <= rect.right && rect.top <= y && y <= rect.bottom;
}

RECT GetWorkAreaRect() {
  RECT area{0, 0, 0, 0};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  return area;
}

void MoveControlTo(ui::TControl& control, POINT point) {
  control.SetLeft(point.x);
  control.SetTop(point.y);
}

void SetFormBounds(ui::TForm& form, const RECT& rect) {
  form.SetLeft(rect.left);
  form.SetTop(rect.top);
  form.SetWidth(rect.right - rect.left);
  form.SetHeight(rect.bottom - rect.top);
}

void LoadSkinBitmap(ui::TBitmap& bitmap, const std::string& name) {
  if (!bitmap.LoadFromResourceName(nullptr, name.c_str()))
    throw std::runtime_error("Skin bitmap " + name + " is missing from the program");
}

void RefuseWrite(const ui::TComponent& component, const std::string& text) {
  if (component.IsLoading()) throw std::invalid_argument(text);
  ui::Application().MessageBox(text, "Error", MB_OK | MB_ICONERROR);
}

}  // namespace kiv
