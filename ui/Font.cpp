#include "Font.h"

#include <cstring>

namespace ui {

int ScreenPixelsPerInch() {
  static const int ppi = [] {
    com::window_dc screen = com::window_dc::client(nullptr);
    return screen ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 96;
  }();
  return ppi;
}

TFont::TFont() = default;

TFont::TFont(const TFont& other)
    : name_(other.name_),
      height_(other.height_),
      style_(other.style_),
      color_(other.color_),
      charset_(other.charset_) {}

TFont& TFont::operator=(const TFont& other) {
  if (this == &other || *this == other) return *this;
  name_ = other.name_;
  height_ = other.height_;
  style_ = other.style_;
  color_ = other.color_;
  charset_ = other.charset_;
  Changed();
  return *this;
}

bool TFont::operator==(const TFont& other) const {
  return name_ == other.name_ && height_ == other.height_ && style_ == other.style_ &&
         color_ == other.color_ && charset_ == other.charset_;
}

void TFont::SetName(const std::string& name) {
  if (name == name_) return;
  name_ = name;
  Changed();
}

int TFont::Size() const { return -MulDiv(height_, 72, ScreenPixelsPerInch()); }

void TFont::SetSize(int points) { SetHeight(-MulDiv(points, ScreenPixelsPerInch(), 72)); }

void TFont::SetHeight(int pixels) {
  if (pixels == height_) return;
  height_ = pixels;
  Changed();
}

void TFont::SetStyle(TFontStyles style) {
  if (style == style_) return;
  style_ = style;
  Changed();
}

void TFont::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  // The colour is not part of the GDI font: the handle stays.
  if (OnChange) OnChange();
}

void TFont::SetCharset(BYTE charset) {
  if (charset == charset_) return;
  charset_ = charset;
  Changed();
}

void TFont::SetLogFont(const LOGFONTA& logFont) {
  name_ = logFont.lfFaceName;
  height_ = logFont.lfHeight;
  style_ = (logFont.lfWeight >= FW_BOLD ? fsBold : 0u) | (logFont.lfItalic ? fsItalic : 0u) |
           (logFont.lfUnderline ? fsUnderline : 0u) | (logFont.lfStrikeOut ? fsStrikeOut : 0u);
  charset_ = logFont.lfCharSet;
  Changed();
}

const SharedGdiObject& TFont::SharedHandle() const {
  if (!handle_) {
    LOGFONTA lf{};
    lf.lfHeight = height_;
    lf.lfWeight = (style_ & fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (style_ & fsItalic) ? TRUE : FALSE;
    lf.lfUnderline = (style_ & fsUnderline) ? TRUE : FALSE;
    lf.lfStrikeOut = (style_ & fsStrikeOut) ? TRUE : FALSE;
    lf.lfCharSet = charset_;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH;
    strncpy(lf.lfFaceName, name_.c_str(), LF_FACESIZE - 1);
    handle_ = ShareGdiObject(CreateFontIndirectA(&lf));
  }
  return handle_;
}

void TFont::Changed() {
  // A canvas that has the old handle selected keeps it alive until it selects the new one.
  handle_.reset();
  if (OnChange) OnChange();
}

}  // namespace ui
