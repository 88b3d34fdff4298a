#include "JpegPicture.h"

#include <stdexcept>

#include "JpegImage.h"

namespace app {

namespace {

// Runs the load on a JPEG picture and hands over what it decoded; false, with the bitmap left
// as it was, when the picture cannot be read (the callers tell what was missing).
template <typename Load>
bool Decoded(Load load, ui::TBitmap& bitmap) {
  ui::TJPEGImage jpeg;
  try {
    load(jpeg);
  } catch (const std::runtime_error&) {
    return false;
  }
  bitmap.Assign(jpeg.Bitmap());
  return true;
}

}  // namespace

bool DecodeJpeg(const void* data, std::size_t size, ui::TBitmap& bitmap) {
  return Decoded([&](ui::TJPEGImage& jpeg) { jpeg.LoadFromMemory(data, size); }, bitmap);
}

bool LoadJpegResource(const char* name, ui::TBitmap& bitmap) {
  return Decoded([&](ui::TJPEGImage& jpeg) { jpeg.LoadFromResourceName(nullptr, name); }, bitmap);
}

}  // namespace app
