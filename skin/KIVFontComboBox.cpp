#include "KIVFontComboBox.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <stdexcept>

#include <winspool.h>

#include "Handles.h"
#include "NativeControl.h"

namespace kiv {

bool FontPassesOptions(TFontListOptions options, BYTE charset, DWORD fontType, BYTE pitchAndFamily) {
  auto on = [options](TFontListOption option) { return (options & FontListFlag(option)) != 0; };
  if (on(foAnsiOnly) && charset != ANSI_CHARSET) return false;
  if (on(foTrueTypeOnly) && !(fontType & TRUETYPE_FONTTYPE)) return false;
  if (on(foFixedPitchOnly) && !(pitchAndFamily & FIXED_PITCH)) return false;
  if (on(foOEMFontsOnly) && charset != OEM_CHARSET) return false;
  if (on(foNoOEMFonts) && charset == OEM_CHARSET) return false;
  if (on(foNoSymbolFonts) && charset == SYMBOL_CHARSET) return false;
  if (on(foScalableOnly) && (fontType & RASTER_FONTTYPE)) return false;
  return true;
}

int FontPointSize(int height, int internalLeading, int pixelsPerInch) {
  if (pixelsPerInch <= 0) return 0;
  return static_cast<int>(std::nearbyint((height - internalLeading) * 72.0 / pixelsPerInch));
}

void InsertFontSize(std::vector<std::string>& sizes, int size) {
  for (auto it = sizes.begin(); it != sizes.end(); ++it) {
    const int listed = std::stoi(*it);
    if (listed == size) return;
    if (listed > size) {
      sizes.insert(it, std::to_string(size));
      return;
    }
  }
  sizes.push_back(std::to_string(size));
}

const std::vector<std::string>& TrueTypeFontSizes() {
  static const std::vector<std::string> sizes{"8",  "9",  "10", "11", "12", "14", "16", "18",
                                              "20", "22", "24", "26", "28", "36", "48", "72"};
  return sizes;
}

std::unique_ptr<ui::TBitmap> LoadBitmapResource(HINSTANCE module, const char* name) {
  // A predefined bitmap of the system, or one of the module by name or number.
  com::gdi_bitmap handle(static_cast<HBITMAP>(
      LoadImageA(module, name, IMAGE_BITMAP, 0, 0, module ? LR_CREATEDIBSECTION : LR_SHARED)));
  if (!handle) return nullptr;
  BITMAP info{};
  if (!GetObjectA(handle.get(), sizeof(info), &info)) return nullptr;
  auto bitmap = std::make_unique<ui::TBitmap>(info.bmWidth, info.bmHeight);
  com::unique_dc source(CreateCompatibleDC(nullptr));
  if (!source) return nullptr;
  HGDIOBJ old = SelectObject(source.get(), handle.get());
  BitBlt(bitmap->MemoryDc(), 0, 0, info.bmWidth, info.bmHeight, source.get(), 0, 0, SRCCOPY);
  SelectObject(source.get(), old);
  if (!module) handle.release();  // a shared system bitmap is not ours to delete
  return bitmap;
}

std::unique_ptr<ui::TBitmap> LoadGlyph(const char* name) {
  auto bitmap = LoadBitmapResource(GetModuleHandleA(nullptr), name);
  if (bitmap) return bitmap;
  const auto id = reinterpret_cast<std::uintptr_t>(name);
  throw std::runtime_error("Resource " + (id < 0x10000 ? std::to_string(id) : std::string(name)) +
                           " not found");
}

TkivFontDrawComboBox::TkivFontDrawComboBox(ui::TComponent* AOwner) : TkivCustomComboBox(AOwner) {
  TkivCustomComboBox::SetStyle(ui::csDropDownList);
}

void TkivFontDrawComboBox::SetStyle(TFontDrawComboStyle value) {
  if (value == style_) return;
  style_ = value;
  TkivCustomComboBox::SetStyle(value);
}

int TkivFontDrawComboBox::MinItemHeight() { return std::max(ui::FontLineHeight(Font()) + 1, 9); }

void TkivFontDrawComboBox::ResetItemHeight() {
  const int height = MinItemHeight();
  changingItemHeight_ = true;
  SetItemHeight(height);
  changingItemHeight_ = false;
  if (HandleAllocated()) SendMessageA(Handle(), CB_SETITEMHEIGHT, 0, height);
}

void TkivFontDrawComboBox::CreateParams(ui::TCreateParams& Params) {
  TkivCustomComboBox::CreateParams(Params);
  Params.Style &= ~static_cast<DWORD>(CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE);
  Params.Style |= CBS_OWNERDRAWFIXED;
  switch (style_) {
    case ui::csDropDown: Params.Style |= CBS_DROPDOWN; break;
    case ui::csSimple: Params.Style |= CBS_SIMPLE; break;
    default: Params.Style |= CBS_DROPDOWNLIST; break;
  }
}

void TkivFontDrawComboBox::CreateWindowHandle() {
  TkivCustomComboBox::CreateWindowHandle();
  ResetItemHeight();
}

void TkivFontDrawComboBox::WndProc(ui::TMessage& Message) {
  // Setting the item height must not make the window anew.
  if (Message.Msg == ui::CM_RECREATEWND && changingItemHeight_) return;
  TkivCustomComboBox::WndProc(Message);
  if (Message.Msg == ui::CM_FONTCHANGED) ResetItemHeight();
}

TkivFontComboBox::TkivFontComboBox(ui::TComponent* AOwner)
    : TkivFontDrawComboBox(AOwner),
      trueTypeGlyph_(LoadGlyph("FONTCOMBO_TRUETYPE_FNT")),
      deviceGlyph_(LoadGlyph("FONTCOMBO_DEVICE_FNT")) {
  trueTypeGlyph_->SetTransparent(true);
  deviceGlyph_->SetTransparent(true);
  Items().SetSorted(true);
  SetItemHeight(MinItemHeight());
}

int TkivFontComboBox::MinItemHeight() {
  return std::max(TkivFontDrawComboBox::MinItemHeight(), trueTypeGlyph_->Height() - 1);
}

void TkivFontComboBox::SetDevice(TFontDevice value) {
  if (value == device_) return;
  device_ = value;
  RefreshFontList();
}

void TkivFontComboBox::SetOptions(TFontListOptions value) {
  if (value == options_) return;
  options_ = value;
  RefreshFontList();
}

void TkivFontComboBox::SetUseFonts(bool value) {
  if (value == useFonts_) return;
  useFonts_ = value;
  Invalidate();
}

void TkivFontComboBox::NotifyFontChange() {
  if (!IsLoading() && updating_ == 0 && OnChange) OnChange(this);
}

void TkivFontComboBox::SetFontName(const std::string& value) {
  if (value == FontName()) return;
  if (IsLoading()) {
    SetText(value);
    return NotifyFontChange();
  }
  HandleNeeded();
  const int index = Items().IndexOf(value);
  if (index >= 0) {
    SetItemIndex(index);
    return NotifyFontChange();
  }
  if (Style() == ui::csDropDownList) SetItemIndex(-1);
  else SetText(value);
  NotifyFontChange();
}

int CALLBACK TkivFontComboBox::AddFontCallback(const LOGFONTA* font, const TEXTMETRICA*, DWORD type,
                                               LPARAM self) {
  auto* box = reinterpret_cast<TkivFontComboBox*>(self);
  const std::string name = font->lfFaceName;
  if (box->Items().IndexOf(name) < 0 &&
      FontPassesOptions(box->options_, font->lfCharSet, type, font->lfPitchAndFamily)) {
    const std::uintptr_t object = type | (font->lfCharSet != SYMBOL_CHARSET ? kFontNotSymbol : 0);
    box->Items().Add(name, reinterpret_cast<void*>(object));
  }
  return 1;
}

void TkivFontComboBox::EnumerateFonts(HDC dc) {
  LOGFONTA all{};
  all.lfCharSet = DEFAULT_CHARSET;
  EnumFontFamiliesExA(dc, &all, reinterpret_cast<FONTENUMPROCA>(AddFontCallback),
                      reinterpret_cast<LPARAM>(this), 0);
}

void TkivFontComboBox::PopulateFonts() {
  if (!HandleAllocated()) return;
  TkivItemsUpdate update(Items());
  Items().Clear();
  if (device_ == fdScreen || device_ == fdBoth) {
    com::window_dc screen = com::window_dc::client(nullptr);
    EnumerateFonts(screen.get());
  }
  if (device_ == fdPrinter || device_ == fdBoth) {
    // No default printer (as on a machine without one) lists no printer fonts.
    char name[256];
    DWORD size = sizeof(name);
    if (GetDefaultPrinterA(name, &size)) {
      com::unique_dc printer(CreateDCA(nullptr, name, nullptr, nullptr));
      if (printer) EnumerateFonts(printer.get());
    }
  }
}

void TkivFontComboBox::RefreshFontList() {
  if (!HandleAllocated()) return;
  const std::string before = FontName();
  {
    ui::ScopedCount updating(updating_);
    PopulateFonts();
    SetFontName(before);
  }
  if (FontName() != before) NotifyFontChange();
}

void TkivFontComboBox::CreateWindowHandle() {
  const std::string before = TControl::GetText();
  TkivFontDrawComboBox::CreateWindowHandle();
  {
    ui::ScopedCount updating(updating_);
    PopulateFonts();
    SetText("");
    SetFontName(before);
  }
  if (ui::CompareTextIgnoringCase(FontName(), before) != 0) NotifyFontChange();
}

void TkivFontComboBox::WndProc(ui::TMessage& Message) {
  TkivFontDrawComboBox::WndProc(Message);
  if (Message.Msg == WM_FONTCHANGE) RefreshFontList();
}

void TkivFontComboBox::Click() {
  TkivFontDrawComboBox::Click();
  NotifyFontChange();
}

void TkivFontComboBox::Change() {
  TkivFontDrawComboBox::Change();
  if (Style() == ui::csDropDownList) return;
  const int index = Items().IndexOf(Text());
  if (index >= 0 && index != ItemIndex()) {
    SetItemIndex(index);
    NotifyFontChange();
  }
}

void TkivFontComboBox::DrawItem(int Index, const RECT& Rect, ui::TOwnerDrawState State) {
  (void)State;
  ui::TCanvas& canvas = Canvas();
  canvas.FillRect(Rect);
  if (Index < 0 || Index >= Items().Count()) return;
  const auto type = reinterpret_cast<std::uintptr_t>(Items().Objects(Index));
  const ui::TBitmap* glyph = (type & TRUETYPE_FONTTYPE)  ? trueTypeGlyph_.get()
                             : (type & DEVICE_FONTTYPE) ? deviceGlyph_.get()
                                                        : nullptr;
  const int glyphWidth = glyph ? glyph->Width() : 20;
  if (glyph) canvas.Draw(Rect.left + 2, (Rect.top + Rect.bottom - glyph->Height()) / 2, *glyph);
  RECT text = Rect;
  text.left += glyphWidth + 6;
  if (useFonts_ && (type & kFontNotSymbol)) canvas.Font().SetName(Items()[Index]);
  canvas.DrawText(Items()[Index], text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

TkivFontSizeComboBox::TkivFontSizeComboBox(ui::TComponent* AOwner) : TkivCustomComboBox(AOwner) {
  SetStyle(ui::csDropDownList);
}

void TkivFontSizeComboBox::SetFontName(const std::string& value) {
  fontName_ = value;
  RebuildSizeList();
}

namespace {

struct SizeListing {
  std::vector<std::string>* sizes;
  int pixelsPerInch;
};

}  // namespace

int CALLBACK TkivFontSizeComboBox::AddFontSizeCallback(const LOGFONTA* font,
                                                       const TEXTMETRICA* metrics, DWORD type,
                                                       LPARAM listing) {
  auto* into = reinterpret_cast<SizeListing*>(listing);
  if (type & TRUETYPE_FONTTYPE) {
    *into->sizes = TrueTypeFontSizes();
    return 0;
  }
  InsertFontSize(*into->sizes,
                 FontPointSize(font->lfHeight, metrics->tmInternalLeading, into->pixelsPerInch));
  return 1;
}

void TkivFontSizeComboBox::RebuildSizeList() {
  // The size shown before is chosen again when the new list has it.
  const std::string shown = Text();
  TkivItemsUpdate update(Items());
  Items().Clear();
  if (fontName_.empty()) return;
  com::window_dc screen = com::window_dc::client(nullptr);
  pixelsPerInch_ = GetDeviceCaps(screen.get(), LOGPIXELSY);
  std::vector<std::string> sizes;
  SizeListing listing{&sizes, pixelsPerInch_};
  LOGFONTA family{};
  family.lfCharSet = DEFAULT_CHARSET;
  lstrcpynA(family.lfFaceName, fontName_.c_str(), LF_FACESIZE);
  EnumFontFamiliesExA(screen.get(), &family, reinterpret_cast<FONTENUMPROCA>(AddFontSizeCallback),
                      reinterpret_cast<LPARAM>(&listing), 0);
  for (const std::string& size : sizes) Items().Add(size);
  int index = -1;
  for (int i = 0; i < Items().Count() && index < 0; ++i)
    if (Items()[i] == shown) index = i;
  ui::TNotifyEvent onClick = std::exchange(OnClick, nullptr);
  SetItemIndex(index);
  OnClick = onClick;
  if (OnClick) OnClick(this);
}

}  // namespace kiv
