// TBitmap: a 32-bit top-down device-independent bitmap with its own canvas and direct access to
// its pixels. Loaded from the program's bitmap resources by name.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "Canvas.h"
#include "Graphic.h"

namespace ui {

enum TTransparentMode { tmAuto, tmFixed };

class TBitmap : public TGraphic {
 public:
  TBitmap();
  TBitmap(int width, int height);
  ~TBitmap() override;

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  // Resizing keeps the part of the picture both sizes share; new parts are black.
  void SetSize(int width, int height);
  void SetWidth(int width) { SetSize(width, height_); }
  void SetHeight(int height) { SetSize(width_, height); }

  TCanvas& Canvas();
  HBITMAP Handle() const { return dib_.get(); }
  // The memory device context the bitmap is selected into: the source for copying from it.
  HDC MemoryDc() const;
  // A new bitmap handle with the same picture, selected into no device context (for calls such
  // as the image list's, which select the bitmap themselves).
  com::gdi_bitmap CopyHandle() const;

  // Loads a bitmap resource of the module (nullptr: the program) by name; false when there is
  // none or it cannot be read, and the bitmap is then left as it was.
  bool LoadFromResourceName(HINSTANCE module, const char* name);
  // Loads a .bmp file; false when there is none or it cannot be read (the bitmap unchanged).
  bool LoadFromFile(const std::string& fileName);
  // Copies another bitmap's size, pixels and transparency settings.
  void Assign(const TBitmap& other);

  // Direct pixel access, rows top to bottom, each pixel 0x00RRGGBB in memory order B, G, R, X.
  std::uint32_t* ScanLine(int y);
  const std::uint32_t* ScanLine(int y) const;
  TColor Pixel(int x, int y) const;
  void SetPixel(int x, int y, TColor color);

  // The colour left out when drawing transparently: the bottom-left pixel (tmAuto) or a set one.
  TColor TransparentColor() const;
  void SetTransparentColor(TColor color);
  TTransparentMode TransparentMode() const { return transparentMode_; }
  void SetTransparentMode(TTransparentMode mode);

  void Draw(TCanvas& canvas, const RECT& rect) const override;
  std::unique_ptr<TGraphic> Clone() const override;

 private:
  void ReplaceDib(int width, int height, bool keepPicture);
  // Takes the picture of a loaded bitmap handle (nullptr: false).
  bool TakePicture(HBITMAP loaded);

  int width_ = 0;
  int height_ = 0;
  com::gdi_bitmap dib_;
  std::uint32_t* bits_ = nullptr;
  mutable com::unique_dc memoryDc_;
  mutable HGDIOBJ originalBitmap_ = nullptr;
  std::unique_ptr<TCanvas> canvas_;
  TTransparentMode transparentMode_ = tmAuto;
  TColor transparentColor_ = clBlack;
};

}  // namespace ui
