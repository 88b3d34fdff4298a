#include "KIVThemes.h"

namespace kiv {

ThemeEntryValue LookupThemeEntry(TkivUIStyle style, int entry) {
  const int row = static_cast<std::uint8_t>(style) & 0x7F;
  if (row < 1 || row > kThemeRowCount || entry < 1 || entry > kThemeEntryCount)
    return {-1, "", ThemeKind::Integer};
  return ThemeTableCell(row, entry);
}

std::string GetThemeString(TkivUIStyle style, int entry) {
  ThemeEntryValue v = LookupThemeEntry(style, entry);
  return v.kind == ThemeKind::BitmapName ? v.name : "";
}

int GetThemeInteger(TkivUIStyle style, int entry) {
  ThemeEntryValue v = LookupThemeEntry(style, entry);
  return v.kind == ThemeKind::Integer ? v.value : -1;
}

bool GetThemeBoolean(TkivUIStyle style, int entry) {
  ThemeEntryValue v = LookupThemeEntry(style, entry);
  return v.kind == ThemeKind::Boolean && v.value != 0;
}

TColor GetThemeColor(TkivUIStyle style, int entry) {
  ThemeEntryValue v = LookupThemeEntry(style, entry);
  return v.kind == ThemeKind::Color ? static_cast<TColor>(v.value) : 0;
}

namespace {

constexpr int kControlBorderColor = 8;
constexpr int kControlFaceColor = 9;
constexpr int kGroupBoxFontColor = 10;

// The first form skin among the container's children, in child order.
ui::TControl* FindFormSkin(const ui::TComponent* container) {
  auto* windowed = dynamic_cast<const ui::TWinControl*>(container);
  if (!windowed) return nullptr;
  for (int i = 0; i < windowed->ControlCount(); ++i)
    if (windowed->Controls(i)->InheritsFrom("TkivForm")) return windowed->Controls(i);
  return nullptr;
}

enum class PushAction {
  StyleUnlessCustom,  // UIStyle := style, unless the control's own style is Custom
  Style,              // UIStyle := style
  BorderColor,        // BorderColor := entry 8
  GroupBoxColors,     // BorderColor := entry 8, Font.Color := entry 10, Color := entry 9
  SideChannelColors,  // Color := entry 9, SideBarColor := entry 9
};

struct PushRow {
  const char* className;
  PushAction action;
};

// In this order; the rows are not exclusive (a radio button is also a check box).
constexpr PushRow kChildPushRows[] = {
    {"TkivRadioButton", PushAction::StyleUnlessCustom},
    {"TkivCheckBox", PushAction::StyleUnlessCustom},
    {"TkivProgressBar", PushAction::StyleUnlessCustom},
    {"TkivButton", PushAction::StyleUnlessCustom},
    {"TkivListBox", PushAction::BorderColor},
    {"TkivGroupBox", PushAction::GroupBoxColors},
    {"TkivEdit", PushAction::BorderColor},
    {"TkivMemo", PushAction::BorderColor},
    {"TkivCheckListBox", PushAction::BorderColor},
    {"TkivSideChannel", PushAction::SideChannelColors},
    {"TkivCheckGroup", PushAction::Style},
    {"TkivComboBox", PushAction::Style},
    {"TkivColorBox", PushAction::Style},
    {"TkivFontComboBox", PushAction::Style},
    {"TkivFontSizeComboBox", PushAction::Style},
    {"TkivListView", PushAction::BorderColor},
    {"TkivTreeView", PushAction::BorderColor},
    {"TkivTabControl", PushAction::Style},
    {"TkivTrackBar", PushAction::Style},
    {"TkivToolBar", PushAction::Style},
    {"TkivPageControl", PushAction::Style},
    {"TkivScrollBar", PushAction::Style},
    {"TkivDrawGrid", PushAction::Style},
    {"TkivStringGrid", PushAction::Style},
};

constexpr const char* kFormPanelClasses[] = {"TkivImagePanel", "TkivGroupBox", "TkivTabControl",
                                             "TkivTabSheet"};

void Push(ui::TControl& control, PushAction action, TkivUIStyle style) {
  auto* styled = dynamic_cast<IkivStyled*>(&control);
  auto* bordered = dynamic_cast<IkivBorderColored*>(&control);
  switch (action) {
    case PushAction::StyleUnlessCustom:
      if (styled && styled->UIStyle() != TkivUIStyle::Custom) styled->SetUIStyle(style);
      break;
    case PushAction::Style:
      if (styled) styled->SetUIStyle(style);
      break;
    case PushAction::BorderColor:
      if (bordered) bordered->SetBorderColor(GetThemeColor(style, kControlBorderColor));
      break;
    case PushAction::GroupBoxColors:
      if (bordered) bordered->SetBorderColor(GetThemeColor(style, kControlBorderColor));
      control.Font().SetColor(GetThemeColor(style, kGroupBoxFontColor));
      control.SetColor(GetThemeColor(style, kControlFaceColor));
      break;
    case PushAction::SideChannelColors:
      control.SetColor(GetThemeColor(style, kControlFaceColor));
      if (auto* side = dynamic_cast<IkivSideBarColored*>(&control))
        side->SetSideBarColor(GetThemeColor(style, kControlFaceColor));
      break;
  }
}

}  // namespace

TkivUIStyle GetOwnerFormStyle(const ui::TComponent* container) {
  if (auto* styled = dynamic_cast<IkivStyled*>(FindFormSkin(container))) return styled->UIStyle();
  return TkivUIStyle::DeepBlue;
}

TColor GetOwnerFormColor(const ui::TComponent* container) {
  if (ui::TControl* skin = FindFormSkin(container)) return skin->Color();
  return ui::clBtnFace;
}

TColor GetOwnerFormBorderColor(const ui::TComponent* container) {
  if (auto* styled = dynamic_cast<IkivStyled*>(FindFormSkin(container)))
    return GetThemeColor(styled->UIStyle(), kControlBorderColor);
  return 0;
}

void ApplyStyleToChildren(ui::TWinControl& container, TkivUIStyle style) {
  for (int i = 0; i < container.ControlCount(); ++i) {
    ui::TControl& child = *container.Controls(i);
    for (const PushRow& row : kChildPushRows)
      if (child.InheritsFrom(row.className)) Push(child, row.action, style);
  }
}

void ApplyStyleToFormPanels(ui::TWinControl& skin, TkivUIStyle style) {
  for (int i = 0; i < skin.ControlCount(); ++i) {
    ui::TControl& child = *skin.Controls(i);
    for (const char* className : kFormPanelClasses)
      if (child.InheritsFrom(className))
        if (auto* panel = dynamic_cast<IkivFormPanel*>(&child)) panel->ApplyFormPanelStyle(style);
  }
}

}  // namespace kiv
