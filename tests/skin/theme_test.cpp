// The theme table as the skinned controls read it: kind rules, spot values and bitmap names.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "KIVThemes.h"

using kiv::GetThemeBoolean;
using kiv::GetThemeColor;
using kiv::GetThemeInteger;
using kiv::GetThemeString;
using kiv::TkivUIStyle;

namespace {

constexpr TkivUIStyle kStyles[] = {TkivUIStyle::MacOS, TkivUIStyle::WinXP, TkivUIStyle::DeepBlue,
                                   TkivUIStyle::Protein, TkivUIStyle::BlueGlass};

TEST(ThemeKinds, CustomHasNoTheme) {
  EXPECT_EQ(GetThemeInteger(TkivUIStyle::Custom, 20), -1);
  EXPECT_EQ(GetThemeColor(TkivUIStyle::Custom, 8), 0u);
  EXPECT_EQ(GetThemeString(TkivUIStyle::Custom, 24), "");
  EXPECT_FALSE(GetThemeBoolean(TkivUIStyle::Custom, 66));
}

TEST(ThemeKinds, AGetterOfTheWrongKindGivesItsNeutralValue) {
  EXPECT_EQ(GetThemeInteger(TkivUIStyle::WinXP, 8), -1);    // a colour entry
  EXPECT_EQ(GetThemeColor(TkivUIStyle::WinXP, 20), 0u);     // an integer entry
  EXPECT_EQ(GetThemeString(TkivUIStyle::WinXP, 66), "");    // a boolean entry
  EXPECT_FALSE(GetThemeBoolean(TkivUIStyle::WinXP, 24));    // a bitmap entry
  EXPECT_EQ(GetThemeColor(TkivUIStyle::DeepBlue, 48), 0u);  // a bitmap entry
}

TEST(ThemeKinds, OnlyTheLowSevenBitsOfTheStyleCount) {
  const auto deepBlue = static_cast<TkivUIStyle>(0x83);
  EXPECT_EQ(GetThemeInteger(deepBlue, 1), 3);
  EXPECT_EQ(GetThemeString(deepBlue, 49), "DEEPBLUE_TITLEBTN_CLOSE_MOUSEON");
  EXPECT_EQ(GetThemeColor(deepBlue, 11), 0xA04A44u);
}

TEST(ThemeKinds, StylesAboveTheTableReadAsMinusOne) {
  EXPECT_EQ(GetThemeInteger(static_cast<TkivUIStyle>(6), 1), -1);
  EXPECT_EQ(GetThemeInteger(static_cast<TkivUIStyle>(0x80), 1), -1);  // Custom with the high bit
  EXPECT_EQ(GetThemeString(static_cast<TkivUIStyle>(0x7F), 24), "");
}

TEST(ThemeKinds, EntriesOutsideTheTableReadAsMinusOne) {
  for (int entry : {0, -1, 92, 1000}) {
    const kiv::ThemeEntryValue v = kiv::LookupThemeEntry(TkivUIStyle::WinXP, entry);
    EXPECT_EQ(v.kind, kiv::ThemeKind::Integer) << entry;
    EXPECT_EQ(v.value, -1) << entry;
    EXPECT_EQ(GetThemeString(TkivUIStyle::WinXP, entry), "");
  }
}

TEST(ThemeValues, SpotValuesOfEachStyle) {
  EXPECT_EQ(GetThemeColor(TkivUIStyle::MacOS, 2), 0x7F7F7Fu);
  EXPECT_EQ(GetThemeInteger(TkivUIStyle::MacOS, 68), -2);
  EXPECT_EQ(GetThemeInteger(TkivUIStyle::MacOS, 73), 34);
  EXPECT_EQ(GetThemeColor(TkivUIStyle::WinXP, 2), 0xC82C00u);
  EXPECT_EQ(GetThemeInteger(TkivUIStyle::WinXP, 4), 3);
  EXPECT_EQ(GetThemeInteger(TkivUIStyle::WinXP, 7), 13);
  EXPECT_EQ(GetThemeColor(TkivUIStyle::WinXP, 10), 0xCF4602u);
  EXPECT_EQ(GetThemeColor(TkivUIStyle::DeepBlue, 3), 0xE8E8E8u);
  EXPECT_EQ(GetThemeInteger(TkivUIStyle::DeepBlue, 69), 2);
  EXPECT_TRUE(GetThemeBoolean(TkivUIStyle::Protein, 66));
  EXPECT_FALSE(GetThemeBoolean(TkivUIStyle::DeepBlue, 66));
  EXPECT_EQ(GetThemeColor(TkivUIStyle::Protein, 3), 0xFBFBFBu);
  EXPECT_EQ(GetThemeInteger(TkivUIStyle::BlueGlass, 6), 270);
  EXPECT_EQ(GetThemeInteger(TkivUIStyle::BlueGlass, 68), -3);
  EXPECT_EQ(GetThemeColor(TkivUIStyle::BlueGlass, 74), 0xE9D6D5u);
  EXPECT_EQ(GetThemeColor(TkivUIStyle::BlueGlass, 84), 0xF4F4F4u);
  for (TkivUIStyle style : kStyles) EXPECT_EQ(GetThemeInteger(style, 22), 26);
}

TEST(ThemeNames, NamesAreTheStylePrefixAndThePart) {
  EXPECT_EQ(GetThemeString(TkivUIStyle::DeepBlue, 49), "DEEPBLUE_TITLEBTN_CLOSE_MOUSEON");
  EXPECT_EQ(GetThemeString(TkivUIStyle::MacOS, 24), "MACOS_BUTTON_NORMAL");
  EXPECT_EQ(GetThemeString(TkivUIStyle::Protein, 62), "PROTEIN_TITLEBTN_CTLBOX_MOUSEDOWN");
  EXPECT_EQ(GetThemeString(TkivUIStyle::BlueGlass, 91), "BLUEGLASS_SCROLLBAR_TRACK");
  EXPECT_EQ(GetThemeString(TkivUIStyle::WinXP, 44), "WINXP_PROGRESSBAR_V");
}

TEST(ThemeNames, TheMenuCheckMarkHasNoPrefix) {
  for (TkivUIStyle style : kStyles) EXPECT_EQ(GetThemeString(style, 23), "MENU_CHECKED");
}

TEST(ThemeNames, OnlyWinXPHasCheckBoxPicturesPerStateAndARestoreButton) {
  EXPECT_EQ(GetThemeString(TkivUIStyle::MacOS, 29), "MACOS_CHECKBOX_CHECK");
  EXPECT_EQ(GetThemeString(TkivUIStyle::MacOS, 33), "MACOS_CHECKBOX_CHECK");
  EXPECT_EQ(GetThemeString(TkivUIStyle::MacOS, 34), "MACOS_CHECKBOX_UNCHECK");
  EXPECT_EQ(GetThemeString(TkivUIStyle::WinXP, 33), "WINXP_CHECKBOX_MOUSEDOWN_CHECK");
  EXPECT_EQ(GetThemeString(TkivUIStyle::WinXP, 40), "WINXP_RADIOBUTTON_MOUSEON_UNCHECK");
  EXPECT_EQ(GetThemeString(TkivUIStyle::WinXP, 64), "WINXP_TITLEBTN_RST_MOUSEON");
  EXPECT_EQ(GetThemeString(TkivUIStyle::BlueGlass, 64), "BLUEGLASS_TITLEBTN_MAX_MOUSEON");
}

TEST(ThemeNames, TheVerticalTrackBarUsesTheSameBar) {
  for (TkivUIStyle style : kStyles) {
    EXPECT_EQ(GetThemeString(style, 77), GetThemeString(style, 75));
    EXPECT_NE(GetThemeString(style, 78), GetThemeString(style, 76));
  }
}

TEST(ThemeNames, EachStyleNamesItsOwnSetOfBitmaps) {
  std::set<std::string> all;
  for (TkivUIStyle style : kStyles) {
    std::set<std::string> names;
    for (int entry = 1; entry <= kiv::kThemeEntryCount; ++entry) {
      const std::string name = GetThemeString(style, entry);
      if (!name.empty() && name != "MENU_CHECKED") names.insert(name);
    }
    EXPECT_EQ(names.size(), style == TkivUIStyle::WinXP ? 55u : 44u);
    all.insert(names.begin(), names.end());
  }
  EXPECT_EQ(all.size(), 4u * 44 + 55);
}

}  // namespace
