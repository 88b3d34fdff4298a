// TJPEGImage: a JPEG picture (the splash, about and advert pictures), decoded by libjpeg into a
// bitmap when loaded and drawn as that bitmap.
#pragma once

#include <cstddef>
#include <string>

#include "Bitmap.h"

namespace ui {

class TJPEGImage : public TGraphic {
 public:
  int Width() const override { return bitmap_.Width(); }
  int Height() const override { return bitmap_.Height(); }

  // Each throws std::runtime_error naming the cause when the data is not a readable JPEG
  // picture, and then leaves the picture as it was.
  void LoadFromMemory(const void* data, std::size_t size);
  void LoadFromFile(const std::string& fileName);
  // An RCDATA resource of the module (nullptr: the program).
  void LoadFromResourceName(HINSTANCE module, const char* name);

  // The decoded picture.
  const TBitmap& Bitmap() const { return bitmap_; }

  void Draw(TCanvas& canvas, const RECT& rect) const override;
  std::unique_ptr<TGraphic> Clone() const override;

 private:
  // Drawn with the picture's own transparency, which Draw hands it.
  mutable TBitmap bitmap_;
};

}  // namespace ui
