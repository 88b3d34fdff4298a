// Writing the skin pictures as files the resource compiler embeds: 24-bit BMP files and an ICO
// file of 32-bit images with alpha.
#pragma once

#include <string>
#include <vector>

#include "Raster.h"

namespace skinart {

// Writes width x height pixels (rows top to bottom) as a 24-bit BMP file; false on failure.
bool WriteBmp(const std::string& path, const std::vector<Rgb>& pixels, int width, int height);
// Writes one icon holding each raster as an image of its own size; false on failure.
bool WriteIco(const std::string& path, const std::vector<const Raster*>& images);

}  // namespace skinart
