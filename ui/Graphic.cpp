#include "Graphic.h"

namespace ui {

void TGraphic::SetTransparent(bool transparent) {
  if (transparent == transparent_) return;
  transparent_ = transparent;
  Changed();
}

}  // namespace ui
