#include "Bitmap.h"

#include <algorithm>
#include <cstring>

namespace ui {

namespace {

BITMAPINFO TopDown32(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

}  // namespace

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height) { ReplaceDib(width, height, false); }

TBitmap::~TBitmap() {
  canvas_.reset();
  if (memoryDc_) SelectObject(memoryDc_.get(), originalBitmap_);
}

void TBitmap::ReplaceDib(int width, int height, bool keepPicture) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  com::gdi_bitmap dib;
  std::uint32_t* bits = nullptr;
  if (width > 0 && height > 0) {
    BITMAPINFO info = TopDown32(width, height);
    void* memory = nullptr;
    dib.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &memory, nullptr, 0));
    if (!dib) width = height = 0;
    bits = static_cast<std::uint32_t*>(memory);
    if (bits) std::memset(bits, 0, sizeof(std::uint32_t) * width * height);
  }
  GdiFlush();
  if (keepPicture && bits && bits_) {
    const int columns = std::min(width, width_);
    for (int y = 0; y < std::min(height, height_); ++y)
      std::memcpy(bits + y * width, bits_ + y * width_, sizeof(std::uint32_t) * columns);
  }
  if (memoryDc_) SelectObject(memoryDc_.get(), dib ? dib.get() : originalBitmap_);
  dib_ = std::move(dib);
  bits_ = bits;
  width_ = width;
  height_ = height;
}

com::gdi_bitmap TBitmap::CopyHandle() const {
  if (Empty()) return com::gdi_bitmap();
  BITMAPINFO info = TopDown32(width_, height_);
  void* memory = nullptr;
  com::gdi_bitmap copy(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &memory, nullptr, 0));
  if (!copy) return copy;
  GdiFlush();
  std::memcpy(memory, bits_, sizeof(std::uint32_t) * width_ * height_);
  return copy;
}

void TBitmap::SetSize(int width, int height) {
  if (width == width_ && height == height_) return;
  ReplaceDib(width, height, true);
  Changed();
}

HDC TBitmap::MemoryDc() const {
  if (!memoryDc_) {
    memoryDc_.reset(CreateCompatibleDC(nullptr));
    if (memoryDc_ && dib_) originalBitmap_ = SelectObject(memoryDc_.get(), dib_.get());
    else if (memoryDc_) originalBitmap_ = GetCurrentObject(memoryDc_.get(), OBJ_BITMAP);
  }
  return memoryDc_.get();
}

TCanvas& TBitmap::Canvas() {
  if (!canvas_) canvas_ = std::make_unique<TCanvas>(MemoryDc());
  return *canvas_;
}

bool TBitmap::LoadFromResourceName(HINSTANCE module, const char* name) {
  if (!module) module = GetModuleHandleA(nullptr);
  return TakePicture(static_cast<HBITMAP>(LoadImageA(module, name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

bool TBitmap::LoadFromFile(const std::string& fileName) {
  return TakePicture(static_cast<HBITMAP>(
      LoadImageA(nullptr, fileName.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION | LR_LOADFROMFILE)));
}

bool TBitmap::TakePicture(HBITMAP handle) {
  com::gdi_bitmap loaded(handle);
  if (!loaded) return false;
  BITMAP description{};
  if (!GetObjectA(loaded.get(), sizeof(description), &description)) return false;
  ReplaceDib(description.bmWidth, description.bmHeight, false);
  if (bits_) {
    BITMAPINFO info = TopDown32(width_, height_);
    GetDIBits(MemoryDc(), loaded.get(), 0, height_, bits_, &info, DIB_RGB_COLORS);
  }
  Changed();
  return true;
}

void TBitmap::Assign(const TBitmap& other) {
  if (this == &other) return;
  ReplaceDib(other.width_, other.height_, false);
  GdiFlush();
  if (bits_ && other.bits_)
    std::memcpy(bits_, other.bits_, sizeof(std::uint32_t) * width_ * height_);
  transparentMode_ = other.transparentMode_;
  transparentColor_ = other.transparentColor_;
  SetTransparent(other.Transparent());
  Changed();
}

std::uint32_t* TBitmap::ScanLine(int y) {
  GdiFlush();
  return bits_ + static_cast<size_t>(y) * width_;
}

const std::uint32_t* TBitmap::ScanLine(int y) const {
  GdiFlush();
  return bits_ + static_cast<size_t>(y) * width_;
}

TColor TBitmap::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return clBlack;
  const std::uint32_t p = ScanLine(y)[x];
  return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

void TBitmap::SetPixel(int x, int y, TColor color) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  const COLORREF rgb = ColorToRGB(color);
  ScanLine(y)[x] = (GetRValue(rgb) << 16) | (GetGValue(rgb) << 8) | GetBValue(rgb);
}

TColor TBitmap::TransparentColor() const {
  if (transparentMode_ == tmFixed) return transparentColor_;
  return Pixel(0, height_ - 1);
}

void TBitmap::SetTransparentColor(TColor color) {
  transparentColor_ = color;
  transparentMode_ = tmFixed;
  Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode mode) {
  if (mode == transparentMode_) return;
  transparentMode_ = mode;
  Changed();
}

void TBitmap::Draw(TCanvas& canvas, const RECT& rect) const {
  HDC dc = canvas.Handle();
  HDC source = MemoryDc();
  if (!dc || !source || Empty()) return;
  const int w = rect.right - rect.left;
  const int h = rect.bottom - rect.top;
  if (w <= 0 || h <= 0) return;
  if (Transparent()) {
    TransparentBlt(dc, rect.left, rect.top, w, h, source, 0, 0, width_, height_,
                   ColorToRGB(TransparentColor()));
  } else {
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, rect.left, rect.top, w, h, source, 0, 0, width_, height_, SRCCOPY);
  }
}

std::unique_ptr<TGraphic> TBitmap::Clone() const {
  auto copy = std::make_unique<TBitmap>();
  copy->Assign(*this);
  return copy;
}

}  // namespace ui
