// TCanvas: drawing on a device context with the canvas's own pen, brush and font, which are
// selected into the context only when a drawing call needs them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "Font.h"
#include "PenBrush.h"

namespace ui {

class TGraphic;

class TCanvas {
 public:
  TCanvas();
  explicit TCanvas(HDC dc);
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;
  virtual ~TCanvas();

  // The device context; a canvas that makes its own (a control's) makes it now.
  HDC Handle();
  bool HandleAllocated() const { return dc_ != nullptr; }
  // Borrow another device context (nullptr lets go of the current one).
  virtual void SetHandle(HDC dc);

  TFont& Font() { return font_; }
  TPen& Pen() { return pen_; }
  TBrush& Brush() { return brush_; }

  void FillRect(const RECT& rect);
  void FrameRect(const RECT& rect);
  void Rectangle(int left, int top, int right, int bottom);
  void Rectangle(const RECT& rect) { Rectangle(rect.left, rect.top, rect.right, rect.bottom); }
  void Ellipse(int left, int top, int right, int bottom);
  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  POINT PenPos() const { return penPos_; }
  void Polyline(const std::vector<POINT>& points);
  void Polygon(const std::vector<POINT>& points);

  void TextOut(int x, int y, std::string_view text);
  // Text at (x, y) clipped to rect; a solid brush also fills rect.
  void TextRect(const RECT& rect, int x, int y, std::string_view text);
  // DrawTextA with the canvas's font and colours; returns the height drawn.
  int DrawText(std::string_view text, RECT& rect, UINT format);
  SIZE TextExtent(std::string_view text);
  int TextWidth(std::string_view text) { return TextExtent(text).cx; }
  int TextHeight(std::string_view text) { return TextExtent(text).cy; }

  void Draw(int x, int y, const TGraphic& graphic);
  void StretchDraw(const RECT& rect, const TGraphic& graphic);
  // Copies (stretching when the sizes differ) a rectangle of another canvas.
  void CopyRect(const RECT& dest, TCanvas& source, const RECT& sourceRect);

  TColor Pixel(int x, int y);
  void SetPixel(int x, int y, TColor color);

 protected:
  // Called by Handle() when the canvas has no context yet.
  virtual void CreateHandle() {}
  // Puts the original objects back into the context before the canvas lets go of it.
  void Deselect();

 private:
  HDC RequireFont();
  HDC RequirePen();
  HDC RequireBrush();
  HDC RequireText();
  void Select(const SharedGdiObject& object, SharedGdiObject& selected, HGDIOBJ& original);

  HDC dc_ = nullptr;
  TFont font_;
  TPen pen_;
  TBrush brush_;
  SharedGdiObject selectedFont_, selectedPen_, selectedBrush_;
  HGDIOBJ originalFont_ = nullptr, originalPen_ = nullptr, originalBrush_ = nullptr;
  POINT penPos_{0, 0};
};

// Draws a frame width pixels thick just inside rect, its top and left edges in topColor and its
// bottom and right edges in bottomColor (a raised or lowered edge), and shrinks rect to what
// lies inside the frame. The canvas's brush colour is left changed.
void Frame3D(TCanvas& canvas, RECT& rect, TColor topColor, TColor bottomColor, int width);

}  // namespace ui
