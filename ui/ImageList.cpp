#include "ImageList.h"

namespace ui {

TCustomImageList::TCustomImageList(TComponent* AOwner, int width, int height)
    : TComponent(AOwner), width_(width), height_(height) {
  Create();
}

void TCustomImageList::Create() {
  list_.reset(ImageList_Create(width_, height_, ILC_COLOR24 | ILC_MASK, 4, 4));
}

void TCustomImageList::SetSize(int width, int height) {
  if (width == width_ && height == height_) return;
  width_ = width;
  height_ = height;
  Create();
}

int TCustomImageList::Count() const { return list_ ? ImageList_GetImageCount(list_.get()) : 0; }

void TCustomImageList::Clear() {
  if (list_) ImageList_RemoveAll(list_.get());
}

int TCustomImageList::Add(const TBitmap& image) {
  com::gdi_bitmap copy = image.CopyHandle();
  if (!copy || !list_) return -1;
  // Without a mask the images would be drawn through an empty (all-transparent) one.
  TBitmap mask(image.Width(), image.Height());
  com::gdi_bitmap maskCopy = mask.CopyHandle();
  return ImageList_Add(list_.get(), copy.get(), maskCopy.get());
}

int TCustomImageList::AddMasked(const TBitmap& image, TColor maskColor) {
  com::gdi_bitmap copy = image.CopyHandle();
  if (!copy || !list_) return -1;
  return ImageList_AddMasked(list_.get(), copy.get(), ColorToRGB(maskColor));
}

void TCustomImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) const {
  HDC dc = canvas.Handle();
  if (!dc || !list_ || index < 0 || index >= Count()) return;
  if (enabled) {
    ImageList_Draw(list_.get(), index, dc, x, y, ILD_NORMAL);
    return;
  }
  com::unique_icon icon(ImageList_GetIcon(list_.get(), index, ILD_NORMAL));
  DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon.get()), 0, x, y, width_, height_,
             DST_ICON | DSS_DISABLED);
}

}  // namespace ui
