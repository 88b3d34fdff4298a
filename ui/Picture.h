// TPicture: holds one graphic of any kind (bitmap, icon) and tells its owner when it changes.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "Bitmap.h"

namespace ui {

class TPicture {
 public:
  TPicture() = default;
  TPicture(const TPicture&) = delete;
  TPicture& operator=(const TPicture&) = delete;

  TGraphic* Graphic() const { return graphic_.get(); }
  bool HasGraphic() const { return graphic_ && !graphic_->Empty(); }
  // Takes a copy of the graphic (nullptr empties the picture).
  void SetGraphic(const TGraphic* graphic);
  // The picture as a bitmap: an empty picture, or one holding another kind, gets a new bitmap.
  TBitmap& Bitmap();
  void Assign(const TPicture& other) { SetGraphic(other.Graphic()); }
  // Loads a picture file by its extension: ".bmp", ".ico", ".jpg" or ".jpeg". Throws
  // std::runtime_error naming the file when it cannot be read; the picture is then unchanged.
  void LoadFromFile(const std::string& fileName);

  int Width() const { return graphic_ ? graphic_->Width() : 0; }
  int Height() const { return graphic_ ? graphic_->Height() : 0; }

  std::function<void()> OnChange;

 private:
  void Adopt(std::unique_ptr<TGraphic> graphic);
  void Changed() {
    if (OnChange) OnChange();
  }

  std::unique_ptr<TGraphic> graphic_;
};

}  // namespace ui
