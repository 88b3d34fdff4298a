#include "PenBrush.h"

namespace ui {

void TPen::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  Changed();
}

void TPen::SetWidth(int width) {
  if (width == width_) return;
  width_ = width;
  Changed();
}

void TPen::SetStyle(TPenStyle style) {
  if (style == style_) return;
  style_ = style;
  Changed();
}

void TPen::Assign(const TPen& other) {
  color_ = other.color_;
  width_ = other.width_;
  style_ = other.style_;
  Changed();
}

const SharedGdiObject& TPen::SharedHandle() const {
  if (!handle_) {
    static constexpr int kStyles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL};
    handle_ = ShareGdiObject(CreatePen(kStyles[style_], width_, ColorToRGB(color_)));
  }
  return handle_;
}

void TPen::Changed() {
  handle_.reset();
  if (OnChange) OnChange();
}

void TBrush::SetColor(TColor color) {
  if (color == color_ && style_ == bsSolid) return;
  color_ = color;
  // Giving a clear brush a colour makes it solid again.
  style_ = bsSolid;
  Changed();
}

void TBrush::SetStyle(TBrushStyle style) {
  if (style == style_) return;
  style_ = style;
  Changed();
}

void TBrush::Assign(const TBrush& other) {
  color_ = other.color_;
  style_ = other.style_;
  Changed();
}

const SharedGdiObject& TBrush::SharedHandle() const {
  if (!handle_) {
    handle_ = style_ == bsClear ? SharedGdiObject(GetStockObject(NULL_BRUSH), [](void*) {})
                                : ShareGdiObject(CreateSolidBrush(ColorToRGB(color_)));
  }
  return handle_;
}

void TBrush::Changed() {
  handle_.reset();
  if (OnChange) OnChange();
}

}  // namespace ui
