#include "KIVThemeTable.h"

#include <array>
#include <string>

namespace kiv {

namespace {

using K = ThemeKind;

// Entries holding numbers: kind, then the value for MacOS, WinXP, DeepBlue, Protein, BlueGlass.
struct NumberEntry {
  int entry;
  ThemeKind kind;
  std::int32_t values[kThemeRowCount];
};

constexpr NumberEntry kNumberEntries[] = {
    {1, K::Integer, {1, 2, 3, 4, 5}},
    {2, K::Color, {0x7F7F7F, 0xC82C00, 0x000000, 0x000000, 0x000000}},
    {3, K::Color, {0xE7E7E7, 0xDEEBEF, 0xE8E8E8, 0xFBFBFB, 0xE7E7E7}},
    {4, K::Integer, {1, 3, 1, 1, 1}},
    {5, K::Integer, {21, 27, 30, 21, 31}},
    {6, K::Integer, {130, 150, 130, 130, 270}},
    {7, K::Integer, {0, 13, 0, 0, 11}},
    {8, K::Color, {0x7F7F7F, 0x686868, 0x000000, 0x000000, 0x000000}},
    {9, K::Color, {0xE7E7E7, 0xDEEBEF, 0xE8E8E8, 0xFBFBFB, 0xE7E7E7}},
    {10, K::Color, {0x000000, 0xCF4602, 0x000000, 0x000000, 0x000000}},
    {11, K::Color, {0xC47339, 0xC66931, 0xA04A44, 0xC4302D, 0xEC5E5E}},
    {12, K::Color, {0xC47339, 0xEFD3C6, 0xA04A44, 0xC4302D, 0xEC5E5E}},
    {13, K::Color, {0xFFFFFF, 0x000000, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF}},
    {14, K::Color, {0x000000, 0x000000, 0x000000, 0x000000, 0x000000}},
    {15, K::Color, {0x000000, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xE7E7E7}},
    {16, K::Color, {0x000000, 0x000000, 0x000000, 0x000000, 0x000000}},
    {17, K::Color, {0x000000, 0xCED3D6, 0xCED3D6, 0xCED3D6, 0xCED3D6}},
    {18, K::Color, {0x000000, 0x848284, 0x848284, 0x848284, 0x848284}},
    {19, K::Color, {0x000000, 0x9CA6AD, 0x9CA6AD, 0x9CA6AD, 0x9CA6AD}},
    {20, K::Integer, {20, 21, 21, 21, 21}},
    {21, K::Integer, {12, 5, 5, 5, 5}},
    {22, K::Integer, {26, 26, 26, 26, 26}},
    {66, K::Boolean, {0, 0, 0, 1, 1}},
    {67, K::Integer, {3, 2, 0, 0, 4}},
    {68, K::Integer, {-2, -2, 0, 0, -3}},
    {69, K::Integer, {4, 5, 2, 2, 6}},
    {73, K::Integer, {34, 19, 22, 22, 22}},
    {74, K::Color, {0xE7E7E7, 0xDEEBEF, 0xE8E8E8, 0xFBFBFB, 0xE9D6D5}},
    {79, K::Color, {0xEEEEEE, 0xDEEBEF, 0xE8E8E8, 0xFBFBFB, 0xE7E7E7}},
    {80, K::Color, {0x474747, 0xC66931, 0x474747, 0x474747, 0x474747}},
    {81, K::Color, {0xEFEFEF, 0xEFD3C6, 0xEFEFEF, 0xEFEFEF, 0xEFEFEF}},
    {82, K::Color, {0xD8D8D8, 0xE1AC93, 0xD8D8D8, 0xD8D8D8, 0xD8D8D8}},
    {83, K::Color, {0xE7E7E7, 0xDEEBEF, 0xE8E8E8, 0xFBFBFB, 0xE7E7E7}},
    {84, K::Color, {0xC9C9C9, 0xF9F9F9, 0xF5F5F5, 0xF5F5F5, 0xF4F4F4}},
};

// Entries naming bitmaps: the part after the style's prefix, the WinXP row's own part where
// it differs, and whether the style prefix is put in front at all.
struct BitmapEntry {
  int entry;
  const char* part;
  const char* winXPPart;
  bool prefixed = true;
};

constexpr BitmapEntry kBitmapEntries[] = {
    {23, "MENU_CHECKED", nullptr, false},
    {24, "BUTTON_NORMAL", nullptr},
    {25, "BUTTON_MOUSEON", nullptr},
    {26, "BUTTON_MOUSEDOWN", nullptr},
    {27, "CHECKBOX_DISABLE_CHECK", nullptr},
    {28, "CHECKBOX_DISABLE_UNCHECK", nullptr},
    {29, "CHECKBOX_CHECK", "CHECKBOX_NORMAL_CHECK"},
    {30, "CHECKBOX_UNCHECK", "CHECKBOX_NORMAL_UNCHECK"},
    {31, "CHECKBOX_CHECK", "CHECKBOX_MOUSEON_CHECK"},
    {32, "CHECKBOX_UNCHECK", "CHECKBOX_MOUSEON_UNCHECK"},
    {33, "CHECKBOX_CHECK", "CHECKBOX_MOUSEDOWN_CHECK"},
    {34, "CHECKBOX_UNCHECK", "CHECKBOX_MOUSEDOWN_UNCHECK"},
    {35, "RADIOBUTTON_DISABLE_CHECK", nullptr},
    {36, "RADIOBUTTON_DISABLE_UNCHECK", nullptr},
    {37, "RADIOBUTTON_CHECK", "RADIOBUTTON_NORMAL_CHECK"},
    {38, "RADIOBUTTON_UNCHECK", "RADIOBUTTON_NORMAL_UNCHECK"},
    {39, "RADIOBUTTON_CHECK", "RADIOBUTTON_MOUSEON_CHECK"},
    {40, "RADIOBUTTON_UNCHECK", "RADIOBUTTON_MOUSEON_UNCHECK"},
    {41, "RADIOBUTTON_CHECK", "RADIOBUTTON_MOUSEDOWN_CHECK"},
    {42, "RADIOBUTTON_UNCHECK", "RADIOBUTTON_MOUSEDOWN_UNCHECK"},
    {43, "PROGRESSBAR", nullptr},
    {44, "PROGRESSBAR_V", nullptr},
    {45, "TITLE_LEFT", nullptr},
    {46, "TITLE_CLIENT", nullptr},
    {47, "TITLE_RIGHT", nullptr},
    {48, "TITLEBTN_CLOSE_NORMAL", nullptr},
    {49, "TITLEBTN_CLOSE_MOUSEON", nullptr},
    {50, "TITLEBTN_CLOSE_MOUSEDOWN", nullptr},
    {51, "TITLEBTN_MAX_NORMAL", nullptr},
    {52, "TITLEBTN_MAX_MOUSEON", nullptr},
    {53, "TITLEBTN_MAX_MOUSEDOWN", nullptr},
    {54, "TITLEBTN_MIN_NORMAL", nullptr},
    {55, "TITLEBTN_MIN_MOUSEON", nullptr},
    {56, "TITLEBTN_MIN_MOUSEDOWN", nullptr},
    {57, "TITLEBTN_HELP_NORMAL", nullptr},
    {58, "TITLEBTN_HELP_MOUSEON", nullptr},
    {59, "TITLEBTN_HELP_MOUSEDOWN", nullptr},
    {60, "TITLEBTN_CTLBOX_NORMAL", nullptr},
    {61, "TITLEBTN_CTLBOX_MOUSEON", nullptr},
    {62, "TITLEBTN_CTLBOX_MOUSEDOWN", nullptr},
    {63, "TITLEBTN_MAX_NORMAL", "TITLEBTN_RST_NORMAL"},
    {64, "TITLEBTN_MAX_MOUSEON", "TITLEBTN_RST_MOUSEON"},
    {65, "TITLEBTN_MAX_MOUSEDOWN", "TITLEBTN_RST_MOUSEDOWN"},
    {70, "TAB_ACTIVE", nullptr},
    {71, "TAB_INACTIVE", nullptr},
    {72, "TAB_LINE", nullptr},
    {75, "TRACKBAR_BAR", nullptr},
    {76, "TRACKBAR_SLIDER", nullptr},
    {77, "TRACKBAR_BAR", nullptr},
    {78, "TRACKBAR_SLIDER_V", nullptr},
    {85, "SCROLLBAR_TOPBUTTON_NORMAL", nullptr},
    {86, "SCROLLBAR_TOPBUTTON_MOUSEON", nullptr},
    {87, "SCROLLBAR_TOPBUTTON_MOUSEDOWN", nullptr},
    {88, "SCROLLBAR_BTMBUTTON_NORMAL", nullptr},
    {89, "SCROLLBAR_BTMBUTTON_MOUSEON", nullptr},
    {90, "SCROLLBAR_BTMBUTTON_MOUSEDOWN", nullptr},
    {91, "SCROLLBAR_TRACK", nullptr},
};

// Every entry number is described exactly once, by one of the two lists.
constexpr bool EveryEntryOnce() {
  int seen[kThemeEntryCount + 1] = {};
  for (const NumberEntry& e : kNumberEntries) ++seen[e.entry];
  for (const BitmapEntry& e : kBitmapEntries) ++seen[e.entry];
  for (int entry = 1; entry <= kThemeEntryCount; ++entry)
    if (seen[entry] != 1) return false;
  return true;
}
static_assert(EveryEntryOnce());

constexpr const char* kStylePrefixes[kThemeRowCount] = {"MACOS_", "WINXP_", "DEEPBLUE_",
                                                        "PROTEIN_", "BLUEGLASS_"};
constexpr int kWinXPRow = 2;

struct Table {
  std::array<ThemeKind, kThemeEntryCount + 1> kinds{};
  std::array<std::array<std::int32_t, kThemeEntryCount + 1>, kThemeRowCount + 1> values{};
  std::array<std::array<std::string, kThemeEntryCount + 1>, kThemeRowCount + 1> names;
};

const Table& BuiltTable() {
  static const Table table = [] {
    Table t;
    for (const NumberEntry& e : kNumberEntries) {
      t.kinds[e.entry] = e.kind;
      for (int row = 1; row <= kThemeRowCount; ++row) t.values[row][e.entry] = e.values[row - 1];
    }
    for (const BitmapEntry& e : kBitmapEntries) {
      t.kinds[e.entry] = ThemeKind::BitmapName;
      for (int row = 1; row <= kThemeRowCount; ++row) {
        const char* part = row == kWinXPRow && e.winXPPart ? e.winXPPart : e.part;
        t.names[row][e.entry] = std::string(e.prefixed ? kStylePrefixes[row - 1] : "") + part;
      }
    }
    return t;
  }();
  return table;
}

}  // namespace

ThemeKind ThemeEntryKind(int entry) { return BuiltTable().kinds.at(entry); }

ThemeEntryValue ThemeTableCell(int row, int entry) {
  const Table& t = BuiltTable();
  return {t.values.at(row).at(entry), t.names.at(row).at(entry).c_str(), t.kinds.at(entry)};
}

}  // namespace kiv
