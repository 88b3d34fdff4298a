// The pictures the controls load by fixed name rather than through the theme table: the Aqua
// menu and combo-box pictures, the tiled form backgrounds, the side channel's pictures, the
// message dialog's icons and the font box glyphs; and the program icon.
#pragma once

#include <string>
#include <vector>

#include "Picture.h"
#include "Raster.h"

namespace skinart {

struct FixedBitmap {
  const char* name;
  Picture (*draw)();
};

const std::vector<FixedBitmap>& FixedBitmaps();
// The program icon ("MAINICON") at size x size pixels, with alpha.
Raster MainIcon(int size);

}  // namespace skinart
