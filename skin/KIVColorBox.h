// Unit KIVColorBox: the skinned colour box, a drop-down list of named colours, each shown as a
// swatch and its name, filtered by Style, with an optional first entry "Custom..." that asks
// the system colour dialog for a colour.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "Color.h"
#include "KIVComboBox.h"
#include "KIVItemsUpdate.h"

namespace kiv {

using ui::TColor;

enum TColorBoxStyles : unsigned {
  cbStandardColors = 0,
  cbExtendedColors = 1,
  cbSystemColors = 2,
  cbIncludeNone = 3,
  cbIncludeDefault = 4,
  cbCustomColor = 5,
  cbPrettyNames = 6,
};
// The set of TColorBoxStyles, one bit each.
using TColorBoxStyle = std::uint8_t;
constexpr TColorBoxStyle ColorBoxFlag(TColorBoxStyles flag) { return static_cast<TColorBoxStyle>(1u << flag); }
constexpr TColorBoxStyle kDefaultColorBoxStyle =
    ColorBoxFlag(cbStandardColors) | ColorBoxFlag(cbExtendedColors) | ColorBoxFlag(cbSystemColors);

// What Selected reads when no entry is selected. It is also clScrollBar's value, so it does
// not tell the two apart: HasSelected does.
constexpr TColor kNoColorSelected = 0xFF000000;

struct TColorBoxEntry {
  std::string Text;
  TColor Color;
};

// A colour's name as shown with cbPrettyNames: without a leading "cl", a blank before every
// further capital (clMoneyGreen: "Money Green").
std::string PrettyColorName(std::string_view name);
// The entries of a colour box of that style, in list order; customColor is the colour of the
// "Custom..." entry.
std::vector<TColorBoxEntry> ColorBoxEntries(TColorBoxStyle style, TColor customColor);
// The colour a swatch is framed in: black for a light colour (any channel above 192), else
// white on a highlighted entry and the colour itself on a plain one.
TColor SwatchFrameColor(TColor fill, bool selected);

// The colour box. Each item's object is its colour. Nothing selected reads as Selected
// 0xFF000000, which is also clScrollBar's value: stored layouts rely on that value, so it is
// kept, and HasSelected tells the two apart (Selected := 0xFF000000 selects clScrollBar when it
// is listed).
class TkivCustomColorBox : public TkivCustomComboBox {
  UI_CLASS(TkivCustomColorBox, TkivCustomComboBox)
 public:
  explicit TkivCustomColorBox(ui::TComponent* AOwner);

  // Which colours are listed and how they are named (the combo box's own style stays
  // owner-drawn with a fixed item height).
  TColorBoxStyle Style() const { return style_; }
  void SetStyle(TColorBoxStyle value);
  // The colour of the selected item, kNoColorSelected with none.
  TColor Selected();
  // Selects the first item of that colour; an unlisted colour becomes the custom entry's (with
  // cbCustomColor) or selects nothing.
  void SetSelected(TColor value);
  bool HasSelected() { return ItemIndex() >= 0; }
  TColor Colors(int index) const;
  TColor DefaultColorColor() const { return defaultColorColor_; }
  void SetDefaultColorColor(TColor value);
  TColor NoneColorColor() const { return noneColorColor_; }
  void SetNoneColorColor(TColor value);

 protected:
  // Asks the colour dialog for the custom entry's colour; true when the user confirmed one.
  virtual bool PickCustomColor();
  void DrawItem(int Index, const RECT& Rect, ui::TOwnerDrawState State) override;
  void CloseUp() override;
  void Select() override;
  void KeyDown(WORD& Key, ui::TShiftState Shift) override;
  void KeyPress(char& Key) override;

 private:
  void PopulateColorList();
  bool HasStyle(TColorBoxStyles flag) const { return (style_ & ColorBoxFlag(flag)) != 0; }

  TColorBoxStyle style_ = kDefaultColorBoxStyle;
  TColor selectedColor_ = ui::clBlack;
  TColor defaultColorColor_ = ui::clBlack;
  TColor noneColorColor_ = ui::clBlack;
  bool listClosed_ = false;
};

class TkivColorBox : public TkivCustomColorBox {
  UI_CLASS(TkivColorBox, TkivCustomColorBox)
 public:
  using TkivCustomColorBox::TkivCustomColorBox;
};

}  // namespace kiv
