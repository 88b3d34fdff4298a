// The theme table: one constant row per skin style and 91 numbered entries per row (sizes,
// offsets, colours 0x00BBGGRR, flags and the names of the skin bitmaps). Plain data with no
// Windows dependency, so the build's bitmap generator draws from the very same table.
#pragma once

#include <cstdint>

namespace kiv {

enum class ThemeKind : std::uint8_t { Integer = 0, Color = 1, BitmapName = 2, Boolean = 3 };

constexpr int kThemeEntryCount = 91;
// Rows 1..5 hold the styles MacOS, WinXP, DeepBlue, Protein and BlueGlass.
constexpr int kThemeRowCount = 5;

struct ThemeEntryValue {
  std::int32_t value;  // integer, colour or boolean (0 or 1); 0 for a bitmap name
  const char* name;    // the bitmap name; empty for the other kinds
  ThemeKind kind;
};

// The kind of an entry, the same in every row; entry is 1..91.
ThemeKind ThemeEntryKind(int entry);
// One cell of the table; row is 1..5 and entry 1..91.
ThemeEntryValue ThemeTableCell(int row, int entry);

}  // namespace kiv
