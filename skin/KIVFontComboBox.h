// Unit KIVFontComboBox: skinned combo boxes for choosing a font: the font list
// TkivFontComboBox (the font families of the screen, the printer or both, filtered by
// Options, each marked TrueType or device and drawn in its own face on request), the size
// list TkivFontSizeComboBox, and their owner-drawn base TkivFontDrawComboBox.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "Bitmap.h"
#include "KIVComboBox.h"
#include "KIVItemsUpdate.h"
#include "Win32.h"

namespace kiv {

enum TFontDevice { fdScreen, fdPrinter, fdBoth };
// The combo styles a font list can have: csDropDown, csSimple or csDropDownList.
using TFontDrawComboStyle = ui::TComboBoxStyle;
enum TFontListOption : unsigned {
  foAnsiOnly = 0,
  foTrueTypeOnly = 1,
  foFixedPitchOnly = 2,
  foNoOEMFonts = 3,
  foOEMFontsOnly = 4,
  foScalableOnly = 5,
  foNoSymbolFonts = 6,
};
// The set of TFontListOption, one bit each.
using TFontListOptions = std::uint8_t;
constexpr TFontListOptions FontListFlag(TFontListOption option) {
  return static_cast<TFontListOptions>(1u << option);
}

// The item object of a font whose character set is not the symbol set: only such fonts are
// drawn in their own face.
constexpr std::uintptr_t kFontNotSymbol = 0x100;

// Whether a font of that character set, font type (RASTER_FONTTYPE, TRUETYPE_FONTTYPE, ...)
// and pitch-and-family is listed under the options.
bool FontPassesOptions(TFontListOptions options, BYTE charset, DWORD fontType, BYTE pitchAndFamily);
// A bitmap font's size in points: (height - internal leading) * 72 / pixels per inch, halves
// rounded to the even neighbour.
int FontPointSize(int height, int internalLeading, int pixelsPerInch);
// Puts the size into the list of sizes (decimal texts, ascending, no repeats).
void InsertFontSize(std::vector<std::string>& sizes, int size);
// The sizes listed for any TrueType family.
const std::vector<std::string>& TrueTypeFontSizes();

// A bitmap of the module (none: the system's predefined bitmap of that name); a name whose
// value is below 0x10000 is a numeric identifier. None when it cannot be loaded.
std::unique_ptr<ui::TBitmap> LoadBitmapResource(HINSTANCE module, const char* name);
// The program's own bitmap; raises "Resource %s not found" without it.
std::unique_ptr<ui::TBitmap> LoadGlyph(const char* name);

// The owner-drawn base of the font list: a fixed item height from its font (at least 9).
class TkivFontDrawComboBox : public TkivCustomComboBox {
  UI_CLASS(TkivFontDrawComboBox, TkivCustomComboBox)
 public:
  explicit TkivFontDrawComboBox(ui::TComponent* AOwner);

  // csDropDown, csSimple or csDropDownList; the list is owner-drawn in each.
  TFontDrawComboStyle Style() const { return style_; }
  void SetStyle(TFontDrawComboStyle value);

 protected:
  virtual int MinItemHeight();
  void ResetItemHeight();
  void CreateParams(ui::TCreateParams& Params) override;
  void CreateWindowHandle() override;
  void WndProc(ui::TMessage& Message) override;

 private:
  TFontDrawComboStyle style_ = ui::csDropDownList;
  bool changingItemHeight_ = false;
};

class TkivFontComboBox : public TkivFontDrawComboBox {
  UI_CLASS(TkivFontComboBox, TkivFontDrawComboBox)
 public:
  explicit TkivFontComboBox(ui::TComponent* AOwner);

  TFontDevice Device() const { return device_; }
  void SetDevice(TFontDevice value);
  TFontListOptions Options() const { return options_; }
  void SetOptions(TFontListOptions value);
  // Each name drawn in its own face (symbol fonts excepted).
  bool UseFonts() const { return useFonts_; }
  void SetUseFonts(bool value);
  std::string FontName() const { return Text(); }
  void SetFontName(const std::string& value);

  // The box's own change event: the chosen font changed (not while the list is rebuilt).
  ui::TNotifyEvent OnChange;

 protected:
  virtual void PopulateFonts();
  int MinItemHeight() override;
  void CreateWindowHandle() override;
  void DrawItem(int Index, const RECT& Rect, ui::TOwnerDrawState State) override;
  void WndProc(ui::TMessage& Message) override;
  void Click() override;
  void Change() override;

 private:
  static int CALLBACK AddFontCallback(const LOGFONTA* font, const TEXTMETRICA* metrics, DWORD type,
                                      LPARAM self);
  void EnumerateFonts(HDC dc);
  void RefreshFontList();
  void NotifyFontChange();

  std::unique_ptr<ui::TBitmap> trueTypeGlyph_;
  std::unique_ptr<ui::TBitmap> deviceGlyph_;
  TFontDevice device_ = fdScreen;
  TFontListOptions options_ = 0;
  bool useFonts_ = false;
  int updating_ = 0;  // rebuilding the list: no OnChange
};

class TkivFontSizeComboBox : public TkivCustomComboBox {
  UI_CLASS(TkivFontSizeComboBox, TkivCustomComboBox)
 public:
  explicit TkivFontSizeComboBox(ui::TComponent* AOwner);

  const std::string& FontName() const { return fontName_; }
  // Lists the sizes of that family (rebuilt also for the same name).
  void SetFontName(const std::string& value);

 private:
  static int CALLBACK AddFontSizeCallback(const LOGFONTA* font, const TEXTMETRICA* metrics,
                                          DWORD type, LPARAM sizes);
  void RebuildSizeList();

  std::string fontName_;
  int pixelsPerInch_ = 0;
};

}  // namespace kiv
