#include "Picture.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

#include "Icon.h"
#include "JpegImage.h"

namespace ui {

void TPicture::SetGraphic(const TGraphic* graphic) {
  if (graphic == graphic_.get()) return;
  Adopt(graphic ? graphic->Clone() : nullptr);
}

TBitmap& TPicture::Bitmap() {
  auto* bitmap = dynamic_cast<TBitmap*>(graphic_.get());
  if (!bitmap) {
    auto created = std::make_unique<TBitmap>();
    bitmap = created.get();
    Adopt(std::move(created));
  }
  return *bitmap;
}

void TPicture::LoadFromFile(const std::string& fileName) {
  const size_t dot = fileName.find_last_of('.');
  std::string extension = dot == std::string::npos ? "" : fileName.substr(dot);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  std::unique_ptr<TGraphic> graphic;
  bool loaded = false;
  if (extension == ".bmp") {
    auto bitmap = std::make_unique<TBitmap>();
    loaded = bitmap->LoadFromFile(fileName);
    graphic = std::move(bitmap);
  } else if (extension == ".ico") {
    auto icon = std::make_unique<TIcon>();
    loaded = icon->LoadFromFile(fileName);
    graphic = std::move(icon);
  } else if (extension == ".jpg" || extension == ".jpeg") {
    auto jpeg = std::make_unique<TJPEGImage>();
    jpeg->LoadFromFile(fileName);
    loaded = true;
    graphic = std::move(jpeg);
  } else {
    throw std::runtime_error("Unknown picture file extension (" + extension + "): " + fileName);
  }
  if (!loaded) throw std::runtime_error("Cannot read the picture " + fileName);
  Adopt(std::move(graphic));
}

void TPicture::Adopt(std::unique_ptr<TGraphic> graphic) {
  graphic_ = std::move(graphic);
  if (graphic_) graphic_->OnChange = [this] { Changed(); };
  Changed();
}

}  // namespace ui
