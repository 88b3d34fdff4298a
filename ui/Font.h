// TFont: a logical font described by name, size, style, character set and colour; its GDI
// handle is made when first asked for after a change.
#pragma once

#include <functional>
#include <string>

#include "Color.h"
#include "Handles.h"

namespace ui {

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = unsigned;

// Vertical pixels per inch of the screen, which turns point sizes into pixel heights.
int ScreenPixelsPerInch();

class TFont {
 public:
  TFont();
  TFont(const TFont& other);
  TFont& operator=(const TFont& other);

  const std::string& Name() const { return name_; }
  void SetName(const std::string& name);
  // Point size; Height is the same in pixels, negative for the character height.
  int Size() const;
  void SetSize(int points);
  int Height() const { return height_; }
  void SetHeight(int pixels);
  TFontStyles Style() const { return style_; }
  void SetStyle(TFontStyles style);
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  BYTE Charset() const { return charset_; }
  void SetCharset(BYTE charset);

  // Copies a logical font (for example one of the system's metrics), keeping the colour.
  void SetLogFont(const LOGFONTA& logFont);
  void Assign(const TFont& other) { *this = other; }
  bool operator==(const TFont& other) const;

  HFONT Handle() const { return static_cast<HFONT>(SharedHandle().get()); }
  const SharedGdiObject& SharedHandle() const;
  // Told after every change; the owner of the font sets it.
  std::function<void()> OnChange;

 private:
  void Changed();

  std::string name_ = "MS Sans Serif";
  int height_ = -11;
  TFontStyles style_ = 0;
  TColor color_ = clWindowText;
  BYTE charset_ = DEFAULT_CHARSET;
  mutable SharedGdiObject handle_;
};

}  // namespace ui
