// TPen and TBrush: the line and fill a canvas draws with; their GDI handles are made when
// first asked for after a change.
#pragma once

#include <functional>

#include "Color.h"
#include "Handles.h"

namespace ui {

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear };
enum TBrushStyle { bsSolid, bsClear };

class TPen {
 public:
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  int Width() const { return width_; }
  void SetWidth(int width);
  TPenStyle Style() const { return style_; }
  void SetStyle(TPenStyle style);
  void Assign(const TPen& other);

  HPEN Handle() const { return static_cast<HPEN>(SharedHandle().get()); }
  const SharedGdiObject& SharedHandle() const;
  std::function<void()> OnChange;

 private:
  void Changed();
  TColor color_ = clBlack;
  int width_ = 1;
  TPenStyle style_ = psSolid;
  mutable SharedGdiObject handle_;
};

class TBrush {
 public:
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  TBrushStyle Style() const { return style_; }
  void SetStyle(TBrushStyle style);
  void Assign(const TBrush& other);

  HBRUSH Handle() const { return static_cast<HBRUSH>(SharedHandle().get()); }
  const SharedGdiObject& SharedHandle() const;
  std::function<void()> OnChange;

 private:
  void Changed();
  TColor color_ = clWhite;
  TBrushStyle style_ = bsSolid;
  mutable SharedGdiObject handle_;
};

}  // namespace ui
