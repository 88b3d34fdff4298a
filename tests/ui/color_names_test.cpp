// The table of named colours that colour lists are filled from.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "ColorNames.h"

namespace {

TEST(ColorNames, FiftyTwoColoursInListOrder) {
  auto names = ui::ColorNames();
  ASSERT_EQ(names.size(), 52u);
  EXPECT_STREQ(names[0].Name, "clBlack");
  EXPECT_STREQ(names[15].Name, "clWhite");
  EXPECT_EQ(names[15].Value, 0xFFFFFFu);
  EXPECT_STREQ(names[ui::kFirstExtendedColor].Name, "clMoneyGreen");
  EXPECT_EQ(names[17].Value, 0xF0CAA6u);  // clSkyBlue, 0x00BBGGRR
  EXPECT_STREQ(names[ui::kFirstSystemColor].Name, "clActiveBorder");
  EXPECT_STREQ(names[51].Name, "clWindowText");
  std::set<std::string> seen;
  for (int i = ui::kFirstSystemColor; i < 52; ++i) {
    const ui::TColor v = names[i].Value;
    EXPECT_TRUE((v & 0xFF000000u) == 0xFF000000u || v == ui::clNone || v == ui::clDefault)
        << names[i].Name;
    EXPECT_TRUE(seen.insert(names[i].Name).second) << names[i].Name;
  }
}

TEST(ColorNames, NamesTurnIntoTheirValuesExactlySpelt) {
  ui::TColor color = 0;
  EXPECT_TRUE(ui::IdentToColor("clScrollBar", color));
  EXPECT_EQ(color, 0xFF000000u);
  EXPECT_TRUE(ui::IdentToColor("clNone", color));
  EXPECT_EQ(color, 0x1FFFFFFFu);
  EXPECT_TRUE(ui::IdentToColor("clHotLight", color));
  EXPECT_EQ(color, ui::SystemColor(COLOR_HOTLIGHT));
  color = 7;
  EXPECT_FALSE(ui::IdentToColor("clblack", color));
  EXPECT_FALSE(ui::IdentToColor("Black", color));
  EXPECT_EQ(color, 7u);
}

}  // namespace
