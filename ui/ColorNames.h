// The table of named colours: every colour constant by its name, in the order colour lists
// show them (16 standard colours, 4 extended ones, then the system colours and the two
// markers clNone and clDefault in alphabetical order of name).
#pragma once

#include <span>
#include <string_view>

#include "Color.h"

namespace ui {

struct TColorName {
  const char* Name;
  TColor Value;
};

// Positions in the table where each group starts.
constexpr int kFirstExtendedColor = 16;
constexpr int kFirstSystemColor = 20;
constexpr int kColorNameCount = 52;

std::span<const TColorName> ColorNames();
// The colour of that name (exact spelling); false when the table has no such name.
bool IdentToColor(std::string_view name, TColor& color);

}  // namespace ui
