#include "Picture.h"

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

void TPicture::Adopt(std::unique_ptr<TGraphic> graphic) {
  graphic_ = std::move(graphic);
  if (graphic_) graphic_->OnChange = [this] { Changed(); };
  Changed();
}

}  // namespace ui
