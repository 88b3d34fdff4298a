#include "Canvas.h"

#include "Graphic.h"

namespace ui {

TCanvas::TCanvas() = default;

TCanvas::TCanvas(HDC dc) : dc_(dc) {}

TCanvas::~TCanvas() { Deselect(); }

HDC TCanvas::Handle() {
  if (!dc_) CreateHandle();
  return dc_;
}

void TCanvas::SetHandle(HDC dc) {
  if (dc == dc_) return;
  Deselect();
  dc_ = dc;
}

void TCanvas::Deselect() {
  if (!dc_) return;
  if (selectedFont_) SelectObject(dc_, originalFont_);
  if (selectedPen_) SelectObject(dc_, originalPen_);
  if (selectedBrush_) SelectObject(dc_, originalBrush_);
  selectedFont_.reset();
  selectedPen_.reset();
  selectedBrush_.reset();
}

void TCanvas::Select(const SharedGdiObject& object, SharedGdiObject& selected, HGDIOBJ& original) {
  if (object == selected) return;
  HGDIOBJ previous = SelectObject(dc_, object.get());
  if (!selected) original = previous;
  // Holding the shared handle keeps a replaced font or brush alive while it is selected.
  selected = object;
}

HDC TCanvas::RequireFont() {
  if (Handle()) Select(font_.SharedHandle(), selectedFont_, originalFont_);
  return dc_;
}

HDC TCanvas::RequirePen() {
  if (Handle()) Select(pen_.SharedHandle(), selectedPen_, originalPen_);
  return dc_;
}

HDC TCanvas::RequireBrush() {
  if (Handle()) Select(brush_.SharedHandle(), selectedBrush_, originalBrush_);
  return dc_;
}

HDC TCanvas::RequireText() {
  HDC dc = RequireFont();
  if (!dc) return nullptr;
  RequireBrush();
  SetTextColor(dc, ColorToRGB(font_.Color()));
  if (brush_.Style() == bsClear) {
    SetBkMode(dc, TRANSPARENT);
  } else {
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, ColorToRGB(brush_.Color()));
  }
  return dc;
}

void TCanvas::FillRect(const RECT& rect) {
  if (brush_.Style() == bsClear) return;
  if (HDC dc = RequireBrush()) ::FillRect(dc, &rect, brush_.Handle());
}

void TCanvas::FrameRect(const RECT& rect) {
  if (brush_.Style() == bsClear) return;
  if (HDC dc = RequireBrush()) ::FrameRect(dc, &rect, brush_.Handle());
}

void TCanvas::Rectangle(int left, int top, int right, int bottom) {
  RequirePen();
  if (HDC dc = RequireBrush()) ::Rectangle(dc, left, top, right, bottom);
}

void TCanvas::Ellipse(int left, int top, int right, int bottom) {
  RequirePen();
  if (HDC dc = RequireBrush()) ::Ellipse(dc, left, top, right, bottom);
}

void TCanvas::MoveTo(int x, int y) {
  if (HDC dc = Handle()) MoveToEx(dc, x, y, nullptr);
  penPos_ = {x, y};
}

void TCanvas::LineTo(int x, int y) {
  if (HDC dc = RequirePen()) {
    MoveToEx(dc, penPos_.x, penPos_.y, nullptr);
    ::LineTo(dc, x, y);
  }
  penPos_ = {x, y};
}

void TCanvas::Polyline(const std::vector<POINT>& points) {
  if (points.empty()) return;
  if (HDC dc = RequirePen()) ::Polyline(dc, points.data(), static_cast<int>(points.size()));
  penPos_ = points.back();
}

void TCanvas::Polygon(const std::vector<POINT>& points) {
  if (points.empty()) return;
  RequirePen();
  if (HDC dc = RequireBrush()) ::Polygon(dc, points.data(), static_cast<int>(points.size()));
}

void TCanvas::TextOut(int x, int y, std::string_view text) {
  if (HDC dc = RequireText())
    ExtTextOutA(dc, x, y, 0, nullptr, text.data(), static_cast<UINT>(text.size()), nullptr);
}

void TCanvas::TextRect(const RECT& rect, int x, int y, std::string_view text) {
  HDC dc = RequireText();
  if (!dc) return;
  UINT options = ETO_CLIPPED | (brush_.Style() == bsClear ? 0 : ETO_OPAQUE);
  ExtTextOutA(dc, x, y, options, &rect, text.data(), static_cast<UINT>(text.size()), nullptr);
}

int TCanvas::DrawText(std::string_view text, RECT& rect, UINT format) {
  HDC dc = RequireText();
  if (!dc) return 0;
  return ::DrawTextA(dc, text.data(), static_cast<int>(text.size()), &rect, format);
}

SIZE TCanvas::TextExtent(std::string_view text) {
  SIZE size{0, 0};
  if (HDC dc = RequireFont()) {
    if (text.empty()) {
      TEXTMETRICA metrics{};
      GetTextMetricsA(dc, &metrics);
      size.cy = metrics.tmHeight;
    } else {
      GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
    }
  }
  return size;
}

void TCanvas::Draw(int x, int y, const TGraphic& graphic) {
  if (graphic.Empty()) return;
  StretchDraw({x, y, x + graphic.Width(), y + graphic.Height()}, graphic);
}

void TCanvas::StretchDraw(const RECT& rect, const TGraphic& graphic) {
  if (graphic.Empty() || !Handle()) return;
  graphic.Draw(*this, rect);
}

void TCanvas::CopyRect(const RECT& dest, TCanvas& source, const RECT& sourceRect) {
  HDC dc = Handle();
  HDC sourceDc = source.Handle();
  if (!dc || !sourceDc) return;
  SetStretchBltMode(dc, COLORONCOLOR);
  StretchBlt(dc, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, sourceDc,
             sourceRect.left, sourceRect.top, sourceRect.right - sourceRect.left,
             sourceRect.bottom - sourceRect.top, SRCCOPY);
}

TColor TCanvas::Pixel(int x, int y) {
  HDC dc = Handle();
  return dc ? GetPixel(dc, x, y) : clBlack;
}

void TCanvas::SetPixel(int x, int y, TColor color) {
  if (HDC dc = Handle()) SetPixelV(dc, x, y, ColorToRGB(color));
}

void Frame3D(TCanvas& canvas, RECT& rect, TColor topColor, TColor bottomColor, int width) {
  canvas.Brush().SetStyle(bsSolid);
  for (int i = 0; i < width && rect.right - rect.left > 1 && rect.bottom - rect.top > 1; ++i) {
    canvas.Brush().SetColor(topColor);
    canvas.FillRect({rect.left, rect.top, rect.right - 1, rect.top + 1});
    canvas.FillRect({rect.left, rect.top, rect.left + 1, rect.bottom - 1});
    canvas.Brush().SetColor(bottomColor);
    canvas.FillRect({rect.left, rect.bottom - 1, rect.right, rect.bottom});
    canvas.FillRect({rect.right - 1, rect.top, rect.right, rect.bottom});
    InflateRect(&rect, -1, -1);
  }
}

}  // namespace ui
