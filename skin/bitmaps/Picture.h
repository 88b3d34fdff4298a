// A finished skin picture: its size and its pixels, rows top to bottom.
#pragma once

#include <vector>

#include "Raster.h"

namespace skinart {

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<Rgb> pixels;
};

// The raster over a backdrop colour.
inline Picture Finished(const Raster& raster, Rgb backdrop) {
  return {raster.Width(), raster.Height(), raster.Flatten(backdrop)};
}
// The raster with magenta where nothing was drawn; edges blend with the backdrop colour.
inline Picture Keyed(const Raster& raster, Rgb backdrop) {
  return {raster.Width(), raster.Height(), raster.FlattenKeyed(kMagenta, backdrop)};
}
// The picture a quarter turn counter-clockwise.
inline Picture Turned(Picture picture) {
  picture.pixels = TurnCounterClockwise(picture.pixels, picture.width, picture.height);
  return picture;
}

}  // namespace skinart
