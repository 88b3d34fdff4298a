#include "Icon.h"

#include "Canvas.h"

namespace ui {

bool TIcon::LoadFromResourceName(HINSTANCE module, const char* name, int width, int height) {
  if (!module) module = GetModuleHandleA(nullptr);
  return TakeIcon(static_cast<HICON>(
      LoadImageA(module, name, IMAGE_ICON, width, height, width || height ? 0 : LR_DEFAULTSIZE)));
}

bool TIcon::LoadFromFile(const std::string& fileName, int width, int height) {
  return TakeIcon(static_cast<HICON>(LoadImageA(nullptr, fileName.c_str(), IMAGE_ICON, width, height,
                                                LR_LOADFROMFILE | (width || height ? 0 : LR_DEFAULTSIZE))));
}

bool TIcon::TakeIcon(HICON loaded) {
  com::unique_icon icon(loaded);
  if (!icon) return false;
  ICONINFO info{};
  if (!GetIconInfo(icon.get(), &info)) return false;
  com::gdi_bitmap color(info.hbmColor), mask(info.hbmMask);
  BITMAP description{};
  GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof(description), &description);
  width_ = description.bmWidth;
  // A monochrome icon keeps its mask and picture one above the other in one bitmap.
  height_ = info.hbmColor ? description.bmHeight : description.bmHeight / 2;
  icon_ = std::move(icon);
  Changed();
  return true;
}

void TIcon::Draw(TCanvas& canvas, const RECT& rect) const {
  if (HDC dc = canvas.Handle())
    DrawIconEx(dc, rect.left, rect.top, icon_.get(), rect.right - rect.left,
               rect.bottom - rect.top, 0, nullptr, DI_NORMAL);
}

std::unique_ptr<TGraphic> TIcon::Clone() const {
  auto copy = std::make_unique<TIcon>();
  if (icon_) copy->icon_.reset(CopyIcon(icon_.get()));
  copy->width_ = width_;
  copy->height_ = height_;
  return copy;
}

}  // namespace ui
