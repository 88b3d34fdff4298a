// Unit KIVThemes: the skin styles, the getters every skinned control reads the theme table
// through, the lookups that find the form skin (TkivForm) among a window's controls, and the
// routines that push a newly chosen style down to the controls of a container.
#pragma once

#include <cstdint>
#include <string>

#include "Color.h"
#include "Component.h"
#include "KIVThemeTable.h"
#include "WinControl.h"

namespace kiv {

using ui::TColor;

enum class TkivUIStyle : std::uint8_t {
  Custom = 0,  // no theme applies: the controls keep the colours and pictures set by hand
  MacOS = 1,
  WinXP = 2,
  DeepBlue = 3,
  Protein = 4,
  BlueGlass = 5,
};

// The entry of the style's row; only the style's low seven bits count. Custom, a style above
// BlueGlass and an entry outside 1..91 read as the integer -1.
ThemeEntryValue LookupThemeEntry(TkivUIStyle style, int entry);
// The bitmap name when the entry names a bitmap, else the empty text.
std::string GetThemeString(TkivUIStyle style, int entry);
// The value when the entry is an integer, else -1.
int GetThemeInteger(TkivUIStyle style, int entry);
// The value when the entry is a boolean, else false.
bool GetThemeBoolean(TkivUIStyle style, int entry);
// The value when the entry is a colour, else 0 (black).
TColor GetThemeColor(TkivUIStyle style, int entry);

// What the style lookups and pushes read and write on a skinned control. The pushes find
// controls by class name (the classes live in many units); these interfaces are how they then
// reach the control's properties.
class IkivStyled {
 public:
  virtual TkivUIStyle UIStyle() const = 0;
  virtual void SetUIStyle(TkivUIStyle style) = 0;

 protected:
  ~IkivStyled() = default;
};

class IkivBorderColored {
 public:
  virtual void SetBorderColor(TColor color) = 0;

 protected:
  ~IkivBorderColored() = default;
};

class IkivSideBarColored {
 public:
  virtual void SetSideBarColor(TColor color) = 0;

 protected:
  ~IkivSideBarColored() = default;
};

// A panel on a form skin that passes a new style on to its own children.
class IkivFormPanel {
 public:
  virtual void ApplyFormPanelStyle(TkivUIStyle style) = 0;

 protected:
  ~IkivFormPanel() = default;
};

// The UIStyle of the first TkivForm among the container's child controls; DeepBlue when there
// is none (or the owner is not a windowed control).
TkivUIStyle GetOwnerFormStyle(const ui::TComponent* container);
// The Color of that form skin; clBtnFace when there is none.
TColor GetOwnerFormColor(const ui::TComponent* container);
// The control border colour (entry 8) of that form skin's style; black when there is none.
TColor GetOwnerFormBorderColor(const ui::TComponent* container);

// Pushes the style to the container's direct children, each handled by every row of the push
// table its class is or descends from.
void ApplyStyleToChildren(ui::TWinControl& container, TkivUIStyle style);
// Pushes the style to the image panels, group boxes, tab controls and tab sheets placed
// directly on a form skin, which pass it on to their own children.
void ApplyStyleToFormPanels(ui::TWinControl& skin, TkivUIStyle style);

}  // namespace kiv
