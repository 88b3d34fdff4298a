#include "Bevel.h"

namespace ui {

TBevel::TBevel(TComponent* AOwner) : TGraphicControl(AOwner) { SetBounds(0, 0, 50, 50); }

void TBevel::SetShape(TBevelShape value) {
  if (value == shape_) return;
  shape_ = value;
  Invalidate();
}

void TBevel::SetStyle(TBevelStyle value) {
  if (value == style_) return;
  style_ = value;
  Invalidate();
}

void TBevel::Paint() {
  TCanvas& canvas = Canvas();
  const TColor light = clBtnHighlight, dark = clBtnShadow;
  const TColor first = style_ == bsLowered ? dark : light;
  const TColor second = style_ == bsLowered ? light : dark;
  RECT r = ClientRect();
  const int w = r.right, h = r.bottom;
  // A line is two pixels: the shadow one and the light one beside it, in the order the style
  // gives (a lowered line is cut into the surface, a raised one stands on it).
  auto line = [&](RECT a, RECT b) {
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(first);
    canvas.FillRect(a);
    canvas.Brush().SetColor(second);
    canvas.FillRect(b);
  };
  switch (shape_) {
    case bsBox:
      Frame3D(canvas, r, first, second, 1);
      break;
    case bsFrame: {
      RECT outer{0, 0, w - 1, h - 1};
      Frame3D(canvas, outer, first, first, 1);
      RECT inner{1, 1, w, h};
      Frame3D(canvas, inner, second, second, 1);
      break;
    }
    case bsTopLine: line({0, 0, w, 1}, {0, 1, w, 2}); break;
    case bsBottomLine: line({0, h - 2, w, h - 1}, {0, h - 1, w, h}); break;
    case bsLeftLine: line({0, 0, 1, h}, {1, 0, 2, h}); break;
    case bsRightLine: line({w - 2, 0, w - 1, h}, {w - 1, 0, w, h}); break;
    case bsSpacer: break;
  }
}

}  // namespace ui
