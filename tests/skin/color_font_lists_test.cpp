// What the colour box and the font boxes list, without a window: colour entries by style and
// their names, swatch frames, font filters and the size list.
#include <gtest/gtest.h>

#include "KIVColorBox.h"
#include "KIVFontComboBox.h"

namespace {

using namespace kiv;

TEST(ColorBoxEntries, TheDefaultStyleListsFiftyColoursWithoutTheMarkers) {
  auto entries = ColorBoxEntries(kDefaultColorBoxStyle, ui::clBlack);
  ASSERT_EQ(entries.size(), 50u);
  EXPECT_EQ(entries.front().Text, "clBlack");
  EXPECT_EQ(entries.back().Text, "clWindowText");
  for (const auto& e : entries) EXPECT_TRUE(e.Color != ui::clNone && e.Color != ui::clDefault);
}

TEST(ColorBoxEntries, StylesChooseRangesMarkersAndTheCustomEntry) {
  const TColorBoxStyle markersOnly = ColorBoxFlag(cbIncludeNone) | ColorBoxFlag(cbIncludeDefault);
  EXPECT_TRUE(ColorBoxEntries(markersOnly, 0).empty()) << "the markers lie in the system range";
  auto withMarkers = ColorBoxEntries(kDefaultColorBoxStyle | markersOnly, 0);
  EXPECT_EQ(withMarkers.size(), 52u);
  auto extended = ColorBoxEntries(ColorBoxFlag(cbExtendedColors) | ColorBoxFlag(cbCustomColor) |
                                      ColorBoxFlag(cbPrettyNames),
                                  0x123456);
  ASSERT_EQ(extended.size(), 5u);
  EXPECT_EQ(extended[0].Text, "Custom...");
  EXPECT_EQ(extended[0].Color, 0x123456u);
  EXPECT_EQ(extended[1].Text, "Money Green");
  EXPECT_EQ(extended[4].Text, "Med Gray");
  EXPECT_EQ(PrettyColorName("clBtnFace"), "Btn Face");
  EXPECT_EQ(PrettyColorName("cl3DDkShadow"), "3 D Dk Shadow");
  EXPECT_EQ(PrettyColorName("Clear"), "Clear");
}

TEST(ColorBoxEntries, SwatchFramesStandOutFromTheirColour) {
  EXPECT_EQ(SwatchFrameColor(ui::clWhite, false), ui::clBlack);
  EXPECT_EQ(SwatchFrameColor(ui::clNavy, true), ui::clWhite);
  EXPECT_EQ(SwatchFrameColor(ui::clNavy, false), ui::clNavy);
  EXPECT_EQ(SwatchFrameColor(0xC1C1C1, false), ui::clBlack);
  EXPECT_EQ(SwatchFrameColor(0xC0C0C0, false), 0xC0C0C0u);
}

TEST(FontLists, OptionsRuleFontsOut) {
  EXPECT_TRUE(FontPassesOptions(0, SYMBOL_CHARSET, RASTER_FONTTYPE, VARIABLE_PITCH));
  EXPECT_FALSE(FontPassesOptions(FontListFlag(foAnsiOnly), OEM_CHARSET, TRUETYPE_FONTTYPE, 0));
  EXPECT_FALSE(FontPassesOptions(FontListFlag(foTrueTypeOnly), ANSI_CHARSET, RASTER_FONTTYPE, 0));
  EXPECT_TRUE(FontPassesOptions(FontListFlag(foFixedPitchOnly), ANSI_CHARSET, 0, FIXED_PITCH | FF_MODERN));
  EXPECT_FALSE(FontPassesOptions(FontListFlag(foFixedPitchOnly), ANSI_CHARSET, 0, VARIABLE_PITCH));
  EXPECT_FALSE(FontPassesOptions(FontListFlag(foNoOEMFonts), OEM_CHARSET, 0, 0));
  EXPECT_FALSE(FontPassesOptions(FontListFlag(foOEMFontsOnly), ANSI_CHARSET, 0, 0));
  EXPECT_FALSE(FontPassesOptions(FontListFlag(foNoSymbolFonts), SYMBOL_CHARSET, 0, 0));
  EXPECT_FALSE(FontPassesOptions(FontListFlag(foScalableOnly), ANSI_CHARSET, RASTER_FONTTYPE, 0));
  EXPECT_TRUE(FontPassesOptions(FontListFlag(foScalableOnly), ANSI_CHARSET, DEVICE_FONTTYPE, 0));
}

TEST(FontLists, BitmapSizesAreRoundedEvenlyAndKeptAscendingWithoutRepeats) {
  EXPECT_EQ(FontPointSize(16, 3, 96), 10);  // 9.75
  EXPECT_EQ(FontPointSize(14, 2, 96), 9);   // exactly 9
  EXPECT_EQ(FontPointSize(15, 1, 96), 10);  // 10.5 goes to the even 10
  EXPECT_EQ(FontPointSize(17, 1, 96), 12);  // 11.5 goes to the even 12
  std::vector<std::string> sizes;
  for (int size : {10, 8, 12, 10, 9, 24}) InsertFontSize(sizes, size);
  EXPECT_EQ(sizes, (std::vector<std::string>{"8", "9", "10", "12", "24"}));
  EXPECT_EQ(TrueTypeFontSizes().size(), 16u);
  EXPECT_EQ(TrueTypeFontSizes().back(), "72");
}

}  // namespace
