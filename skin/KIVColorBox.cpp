#include "KIVColorBox.h"

#include <algorithm>
#include <cstdio>
#include <cstdint>

#include "ColorDialog.h"
#include "ColorNames.h"

namespace kiv {

namespace {

bool Has(TColorBoxStyle style, TColorBoxStyles flag) { return (style & ColorBoxFlag(flag)) != 0; }

}  // namespace

std::string PrettyColorName(std::string_view name) {
  if (name.substr(0, 2) == "cl") name.remove_prefix(2);
  std::string text;
  for (char c : name) {
    if (c >= 'A' && c <= 'Z' && !text.empty()) text += ' ';
    text += c;
  }
  return text;
}

std::vector<TColorBoxEntry> ColorBoxEntries(TColorBoxStyle style, TColor customColor) {
  std::vector<TColorBoxEntry> entries;
  for (const ui::TColorName& named : ui::ColorNames())
    entries.push_back({Has(style, cbPrettyNames) ? PrettyColorName(named.Name) : named.Name, named.Value});
  auto drop = [&](TColor color) {
    auto found = std::find_if(entries.begin(), entries.end(),
                              [color](const TColorBoxEntry& e) { return e.Color == color; });
    if (found != entries.end()) entries.erase(found);
  };
  if (!Has(style, cbIncludeNone)) drop(ui::clNone);
  if (!Has(style, cbIncludeDefault)) drop(ui::clDefault);
  // The ranges go from the back, each on the list as it stands; the kept clNone and
  // clDefault lie in the system range and go with it.
  auto cut = [&](int from, int to) {
    to = std::min<int>(to, static_cast<int>(entries.size()));
    if (from < to) entries.erase(entries.begin() + from, entries.begin() + to);
  };
  if (!Has(style, cbSystemColors)) cut(ui::kFirstSystemColor, static_cast<int>(entries.size()));
  if (!Has(style, cbExtendedColors)) cut(ui::kFirstExtendedColor, ui::kFirstSystemColor);
  if (!Has(style, cbStandardColors)) cut(0, ui::kFirstExtendedColor);
  if (Has(style, cbCustomColor)) entries.insert(entries.begin(), {"Custom...", customColor});
  return entries;
}

TColor SwatchFrameColor(TColor fill, bool selected) {
  const COLORREF rgb = ui::ColorToRGB(fill);
  if (GetRValue(rgb) > 192 || GetGValue(rgb) > 192 || GetBValue(rgb) > 192) return ui::clBlack;
  return selected ? ui::clWhite : rgb;
}

namespace {

void* ColorObject(TColor color) { return reinterpret_cast<void*>(static_cast<std::uintptr_t>(color)); }

}  // namespace

TkivCustomColorBox::TkivCustomColorBox(ui::TComponent* AOwner) : TkivCustomComboBox(AOwner) {
  TkivCustomComboBox::SetStyle(ui::csOwnerDrawFixed);
  PopulateColorList();
}

TColor TkivCustomColorBox::Colors(int index) const {
  return static_cast<TColor>(reinterpret_cast<std::uintptr_t>(Items().Objects(index)));
}

TColor TkivCustomColorBox::Selected() {
  const int index = ItemIndex();
  return index < 0 ? kNoColorSelected : Colors(index);
}

void TkivCustomColorBox::SetSelected(TColor value) {
  int index = -1;
  for (int i = 0; i < Items().Count() && index < 0; ++i)
    if (Colors(i) == value) index = i;
  if (index < 0 && HasStyle(cbCustomColor) && value != kNoColorSelected && Items().Count() > 0) {
    Items().SetObject(0, ColorObject(value));
    index = 0;
    Invalidate();
  }
  SetItemIndex(index);
  selectedColor_ = value;
}

void TkivCustomColorBox::SetStyle(TColorBoxStyle value) {
  if (value == style_) return;
  style_ = value;
  SetEnabled(HasStyle(cbStandardColors) || HasStyle(cbExtendedColors) || HasStyle(cbSystemColors) ||
             HasStyle(cbCustomColor));
  PopulateColorList();
  if (Items().Count() > 0 && ItemIndex() == -1) SetItemIndex(0);
}

void TkivCustomColorBox::SetDefaultColorColor(TColor value) {
  if (value == defaultColorColor_) return;
  defaultColorColor_ = value;
  Invalidate();
}

void TkivCustomColorBox::SetNoneColorColor(TColor value) {
  if (value == noneColorColor_) return;
  noneColorColor_ = value;
  Invalidate();
}

// The items live in the control, window or not, so the list is filled at once.
void TkivCustomColorBox::PopulateColorList() {
  TkivItemsUpdate update(Items());
  const TColor custom = HasStyle(cbCustomColor) && Items().Count() > 0 ? Colors(0) : ui::clBlack;
  const TColor keep = selectedColor_;
  Items().Clear();
  for (const TColorBoxEntry& entry : ColorBoxEntries(style_, custom))
    Items().Add(entry.Text, ColorObject(entry.Color));
  SetSelected(keep);
}

void TkivCustomColorBox::DrawItem(int Index, const RECT& Rect, ui::TOwnerDrawState State) {
  ui::TCanvas& canvas = Canvas();
  canvas.FillRect(Rect);
  if (Index < 0 || Index >= Items().Count()) return;
  const TColor back = canvas.Brush().Color();
  const int height = Rect.bottom - Rect.top;
  RECT swatch{Rect.left, Rect.top, Rect.left + height, Rect.bottom};
  InflateRect(&swatch, -1, -1);
  TColor fill = Colors(Index);
  if (fill == ui::clDefault) fill = defaultColorColor_;
  else if (fill == ui::clNone) fill = noneColorColor_;
  canvas.Brush().SetColor(fill);
  canvas.FillRect(swatch);
  canvas.Brush().SetColor(SwatchFrameColor(fill, (State & ui::odSelected) != 0));
  canvas.FrameRect(swatch);
  canvas.Brush().SetColor(back);
  const std::string& text = Items()[Index];
  const int left = swatch.right + 5;
  canvas.TextRect({left, Rect.top, Rect.right, Rect.bottom}, left,
                  Rect.top + (height - canvas.TextHeight(text)) / 2, text);
}

bool TkivCustomColorBox::PickCustomColor() {
  ui::TColorDialog dialog(nullptr);
  dialog.SetColor(ui::ColorToRGB(Colors(0)));
  char line[32];
  std::snprintf(line, sizeof(line), "ColorA=%.8x", static_cast<unsigned>(dialog.Color()));
  dialog.CustomColors().Add(line);
  if (!dialog.Execute()) return false;
  Items().SetObject(0, ColorObject(dialog.Color()));
  Invalidate();
  return true;
}

void TkivCustomColorBox::CloseUp() {
  TkivCustomComboBox::CloseUp();
  listClosed_ = true;
}

void TkivCustomColorBox::KeyDown(WORD& Key, ui::TShiftState Shift) {
  listClosed_ = false;
  TkivCustomComboBox::KeyDown(Key, Shift);
}

void TkivCustomColorBox::Select() {
  if (listClosed_) {
    listClosed_ = false;
    // Picking the custom entry from the list asks for its colour; cancelled, it is no choice.
    if (HasStyle(cbCustomColor) && ItemIndex() == 0 && !PickCustomColor()) return;
  }
  TkivCustomComboBox::Select();
}

void TkivCustomColorBox::KeyPress(char& Key) {
  TkivCustomComboBox::KeyPress(Key);
  if (HasStyle(cbCustomColor) && Key == '\r' && ItemIndex() == 0) {
    PickCustomColor();
    Key = 0;
  }
}

}  // namespace kiv
