// The program's pictures are JPEG files in its resources (RCDATA, by name), decoded by the
// framework's TJPEGImage into bitmaps.
#pragma once

#include <cstddef>

#include "Bitmap.h"

namespace app {

// Decodes JPEG data into the bitmap; false (the bitmap left as it was) when it is not a JPEG
// picture the library can read.
bool DecodeJpeg(const void* data, std::size_t size, ui::TBitmap& bitmap);
// The named RCDATA resource of the program, decoded; false when it is missing or unreadable.
bool LoadJpegResource(const char* name, ui::TBitmap& bitmap);

}  // namespace app
