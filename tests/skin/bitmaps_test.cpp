// Every skin bitmap the theme table names, for every style, and every bitmap loaded by fixed
// name, from the program's own resources; and the sizes and transparency keys the controls'
// drawing rules rely on.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Bitmap.h"
#include "Icon.h"
#include "KIVThemes.h"

using kiv::GetThemeBoolean;
using kiv::GetThemeInteger;
using kiv::GetThemeString;
using kiv::TkivUIStyle;
using ui::TBitmap;

namespace {

constexpr TkivUIStyle kStyles[] = {TkivUIStyle::MacOS, TkivUIStyle::WinXP, TkivUIStyle::DeepBlue,
                                   TkivUIStyle::Protein, TkivUIStyle::BlueGlass};
constexpr ui::TColor kMagenta = 0xFF00FF;

const char* const kFixedNames[] = {
    "MACOS_MENU_BAR",          "MACOS_MENU_SELECT",       "MACOS_FORM_BACKGROUND",
    "PROTEIN_FORM_BACKGROUND", "MACOS_COMBOBOX_BUTTON",   "SIDECHANNEL_BAR_NORMAL",
    "SIDECHANNEL_BAR_MOUSEON", "SIDECHANNEL_BTN_ONTOP",   "SIDECHANNEL_BTN_NOONTOP",
    "MSGDLG_WARNING",          "MSGDLG_ERROR",            "MSGDLG_INFORMATION",
    "MSGDLG_QUESTION",         "FONTCOMBO_TRUETYPE_FNT",  "FONTCOMBO_DEVICE_FNT",
};

std::string Name(TkivUIStyle style, int entry) { return GetThemeString(style, entry); }

struct Loaded {
  TBitmap bitmap;
  explicit Loaded(const std::string& name) {
    EXPECT_TRUE(bitmap.LoadFromResourceName(nullptr, name.c_str())) << name;
  }
};

TEST(SkinBitmaps, EveryNameOfEveryStyleLoads) {
  int loaded = 0;
  for (TkivUIStyle style : kStyles)
    for (int entry = 1; entry <= kiv::kThemeEntryCount; ++entry) {
      const std::string name = Name(style, entry);
      if (name.empty()) continue;
      Loaded picture(name);
      EXPECT_FALSE(picture.bitmap.Empty()) << name;
      ++loaded;
    }
  EXPECT_EQ(loaded, 5 * 57);
}

TEST(SkinBitmaps, EveryFixedNameLoads) {
  for (const char* name : kFixedNames) {
    Loaded picture(name);
    EXPECT_FALSE(picture.bitmap.Empty()) << name;
  }
  // 20 x 12, as the font box measures its item height on them.
  Loaded trueType("FONTCOMBO_TRUETYPE_FNT");
  EXPECT_EQ(trueType.bitmap.Width(), 20);
  EXPECT_EQ(trueType.bitmap.Height(), 12);
}

TEST(SkinBitmaps, TheProgramIconLoadsInBothSizes) {
  for (int size : {16, 32}) {
    ui::TIcon icon;
    ASSERT_TRUE(icon.LoadFromResourceName(nullptr, "MAINICON", size, size));
    EXPECT_EQ(icon.Width(), size);
    EXPECT_EQ(icon.Height(), size);
  }
}

TEST(SkinBitmaps, NineGridButtonsHaveOddSizesAndKeyedCornersWhereTransparent) {
  for (TkivUIStyle style : kStyles)
    for (int entry : {24, 25, 26}) {
      Loaded b(Name(style, entry));
      EXPECT_EQ(b.bitmap.Width() % 2, 1) << Name(style, entry);
      EXPECT_EQ(b.bitmap.Height() % 2, 1) << Name(style, entry);
      // Only BlueGlass buttons are transparent; the others draw their corners opaque.
      EXPECT_EQ(b.bitmap.Pixel(0, 0) == kMagenta, style == TkivUIStyle::BlueGlass) << Name(style, entry);
      // The edges and middle are keyed on magenta too: none of it may be magenta.
      EXPECT_NE(b.bitmap.Pixel(b.bitmap.Width() / 2, b.bitmap.Height() / 2), kMagenta);
      EXPECT_NE(b.bitmap.Pixel(b.bitmap.Width() / 2, 0), kMagenta);
    }
  Loaded mac(Name(TkivUIStyle::MacOS, 24));
  EXPECT_EQ(mac.bitmap.Height(), 23);  // a MacOS button is 23 high
}

TEST(SkinBitmaps, ThreePartPicturesDivideIntoThreeEqualCells) {
  for (TkivUIStyle style : kStyles) {
    for (int entry : {70, 71, 75}) {
      Loaded b(Name(style, entry));
      EXPECT_EQ(b.bitmap.Width() % 3, 0) << Name(style, entry);
    }
    // Tabs are drawn keyed on magenta: their top-left corner is the key.
    for (int entry : {70, 71}) {
      Loaded tab(Name(style, entry));
      EXPECT_EQ(tab.bitmap.Pixel(0, 0), kMagenta) << Name(style, entry);
    }
  }
}

TEST(SkinBitmaps, TabsAndTheirLineFillTheStrip) {
  for (TkivUIStyle style : kStyles) {
    Loaded active(Name(style, 70)), inactive(Name(style, 71)), line(Name(style, 72));
    EXPECT_EQ(active.bitmap.Height(), inactive.bitmap.Height());
    EXPECT_EQ(inactive.bitmap.Height() + line.bitmap.Height(), GetThemeInteger(style, 73));
  }
}

TEST(SkinBitmaps, CheckAndRadioPicturesOfAStyleShareOneSize) {
  for (TkivUIStyle style : kStyles) {
    Loaded box(Name(style, 30));
    for (int entry = 27; entry <= 42; ++entry) {
      Loaded b(Name(style, entry));
      EXPECT_EQ(b.bitmap.Width(), box.bitmap.Width()) << Name(style, entry);
      EXPECT_EQ(b.bitmap.Height(), box.bitmap.Height()) << Name(style, entry);
      // Radio buttons are keyed on their top-left pixel.
      if (entry >= 35) {
        EXPECT_EQ(b.bitmap.Pixel(0, 0), kMagenta) << Name(style, entry);
      }
    }
  }
}

TEST(SkinBitmaps, TitleButtonsFitTheTitleBar) {
  for (TkivUIStyle style : kStyles) {
    Loaded left(Name(style, 45)), client(Name(style, 46)), right(Name(style, 47));
    const int height = left.bitmap.Height();
    EXPECT_EQ(client.bitmap.Height(), height);
    EXPECT_EQ(right.bitmap.Height(), height);
    const int top = GetThemeInteger(style, 69);
    for (int entry = 48; entry <= 65; ++entry) {
      Loaded b(Name(style, entry));
      EXPECT_LE(top + b.bitmap.Height(), height) << Name(style, entry);
      // Buttons drawn transparently are keyed on their bottom-left pixel.
      const bool keyed = b.bitmap.Pixel(0, b.bitmap.Height() - 1) == kMagenta;
      EXPECT_EQ(keyed, GetThemeBoolean(style, 66)) << Name(style, entry);
    }
  }
}

TEST(SkinBitmaps, ScrollBarPartsShareTheBarsWidth) {
  for (TkivUIStyle style : kStyles) {
    Loaded up(Name(style, 85)), track(Name(style, 91));
    for (int entry = 85; entry <= 90; ++entry) {
      Loaded b(Name(style, entry));
      EXPECT_EQ(b.bitmap.Width(), up.bitmap.Width()) << Name(style, entry);
      EXPECT_EQ(b.bitmap.Pixel(0, 0), kMagenta) << Name(style, entry);  // keyed on the top-left
    }
    EXPECT_EQ(track.bitmap.Width(), up.bitmap.Width());
    EXPECT_EQ(track.bitmap.Height() % 3, 0);  // turned and cut into three pieces
  }
}

TEST(SkinBitmaps, BarsHaveTheThicknessTheirControlsDraw) {
  for (TkivUIStyle style : kStyles) {
    Loaded horizontal(Name(style, 43)), vertical(Name(style, 44));
    EXPECT_EQ(horizontal.bitmap.Height(), 10);  // a progress bar is 12 with its frame
    EXPECT_EQ(vertical.bitmap.Width(), 10);
    // Light enough at its middle for the bar's black percentage to read on it.
    const ui::TColor middle = horizontal.bitmap.Pixel(8, 5);
    EXPECT_GE(299 * (middle & 0xFF) + 587 * ((middle >> 8) & 0xFF) + 114 * ((middle >> 16) & 0xFF), 110 * 1000)
        << Name(style, 43) << " " << std::hex << middle;
    Loaded slider(Name(style, 76)), sliderV(Name(style, 78));
    EXPECT_EQ(slider.bitmap.Width(), sliderV.bitmap.Height());
    EXPECT_EQ(slider.bitmap.Height(), sliderV.bitmap.Width());
  }
}

TEST(SkinBitmaps, TheMenuCheckMarkLiesOnWhite) {
  Loaded check("MENU_CHECKED");
  EXPECT_EQ(check.bitmap.Pixel(0, 0), ui::clWhite);
  EXPECT_LE(check.bitmap.Height(), 21 - 3);  // drawn at the item's top + 3
}

}  // namespace
