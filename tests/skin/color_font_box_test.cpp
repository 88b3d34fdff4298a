// The colour box and the font boxes as real combo boxes on the test display: the colours
// listed and selected, the custom colour answered through the colour dialog, the prefix's fonts
// and sizes, and a picture of each box in every style.
#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>

#include "Application.h"
#include "Handles.h"
#include "KIVColorBox.h"
#include "KIVFontComboBox.h"
#include "WindowCapture.h"
#include "WindowTestKit.h"

namespace {

using namespace kiv;

struct BoxWindow {
  std::unique_ptr<ui::TForm> form = std::make_unique<ui::TForm>(nullptr);

  BoxWindow() {
    form->SetBorderStyle(ui::bsNone);
    form->SetBounds(40, 40, 260, 120);
    form->SetColor(ui::clWhite);
  }
  template <typename Box>
  Box* Place(int top) {
    auto* box = new Box(form.get());
    box->SetBounds(10, top, 200, 22);
    box->SetParent(form.get());
    form->Show();
    testkit::Pump();
    return box;
  }
};

// The list dropped and an item clicked with the mouse, as a user picks one.
void PickWithMouse(ui::TCustomComboBox& box, int index) {
  box.SetDroppedDown(true);
  testkit::PumpFor(30);
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  ASSERT_TRUE(GetComboBoxInfo(box.Handle(), &info));
  // The user scrolls the list until the item shows.
  SendMessageA(info.hwndList, LB_SETTOPINDEX, index, 0);
  RECT item{};
  SendMessageA(info.hwndList, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
  const POINT at{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
  POINT screen = at;
  ClientToScreen(info.hwndList, &screen);
  SetCursorPos(screen.x, screen.y);
  PostMessageA(info.hwndList, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
  testkit::PumpFor(30);
  PostMessageA(info.hwndList, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
  testkit::PumpFor(30);
}

TEST(ColorBox, SelectedTellsNothingApartFromScrollBarColour) {
  BoxWindow w;
  auto* box = w.Place<TkivColorBox>(10);
  EXPECT_EQ(box->Items().Count(), 50);
  EXPECT_EQ(box->Selected(), ui::clBlack);
  box->SetSelected(0x123456);  // not a listed colour
  EXPECT_EQ(box->ItemIndex(), -1);
  EXPECT_EQ(box->Selected(), kNoColorSelected);
  EXPECT_FALSE(box->HasSelected());
  box->SetSelected(ui::clScrollBar);
  EXPECT_TRUE(box->HasSelected());
  EXPECT_EQ(box->Items()[box->ItemIndex()], "clScrollBar");
  box->SetStyle(ColorBoxFlag(cbIncludeNone) | ColorBoxFlag(cbIncludeDefault));
  EXPECT_EQ(box->Items().Count(), 0);
  EXPECT_FALSE(box->Enabled());
}

TEST(ColorBox, TheCustomEntryAsksTheColourDialog) {
  BoxWindow w;
  auto* box = w.Place<TkivColorBox>(10);
  box->SetStyle(kDefaultColorBoxStyle | ColorBoxFlag(cbCustomColor));
  box->SetSelected(0x00AA5500);
  EXPECT_EQ(box->ItemIndex(), 0);
  EXPECT_EQ(box->Colors(0), 0x00AA5500u);
  int selects = 0;
  box->OnSelect = [&](ui::TComponent*) { ++selects; };
  std::string customLine;
  bool confirm = false;
  ui::Application().ChooseColorSink = [&](CHOOSECOLORA& choose) {
    customLine = std::to_string(choose.rgbResult);
    choose.rgbResult = 0x00336699;
    return confirm;
  };
  box->SetItemIndex(3);
  PickWithMouse(*box, 0);
  EXPECT_EQ(selects, 0) << "cancelling the dialog is no choice";
  EXPECT_EQ(box->Colors(0), 0x00AA5500u);
  EXPECT_EQ(customLine, std::to_string(0x00AA5500));
  confirm = true;
  box->SetItemIndex(3);
  PickWithMouse(*box, 0);
  EXPECT_EQ(selects, 1);
  EXPECT_EQ(box->Selected(), 0x00336699u);
  // Moving onto the custom entry with the keys asks nothing; Enter there does.
  int asked = 0;
  ui::Application().ChooseColorSink = [&](CHOOSECOLORA&) { return ++asked, false; };
  box->SetItemIndex(3);
  box->SetFocus();
  testkit::PressKey(VK_HOME);
  EXPECT_EQ(box->ItemIndex(), 0);
  EXPECT_EQ(asked, 0);
  testkit::PressKey(VK_RETURN);
  EXPECT_EQ(asked, 1);
  ui::Application().ChooseColorSink = nullptr;
}

// How many pixels of the colour the box shows, closed.
int CountShown(ui::TWinControl& box, ui::TColor color) {
  box.Repaint();
  testkit::Pump();
  auto shot = testkit::Capture(box);
  int n = 0;
  for (int y = 0; y < shot->Height(); ++y)
    for (int x = 0; x < shot->Width(); ++x) n += shot->Pixel(x, y) == ui::ColorToRGB(color);
  return n;
}

TEST(ColorBox, TheNoneAndDefaultEntriesShowTheirSwatchColours) {
  BoxWindow w;
  auto* box = w.Place<TkivColorBox>(10);
  box->SetStyle(kDefaultColorBoxStyle | ColorBoxFlag(cbIncludeNone) | ColorBoxFlag(cbIncludeDefault));
  box->SetSelected(ui::clNone);
  ASSERT_TRUE(box->HasSelected());
  EXPECT_EQ(CountShown(*box, ui::clFuchsia), 0);
  box->SetNoneColorColor(ui::clFuchsia);
  EXPECT_EQ(box->NoneColorColor(), ui::clFuchsia);
  EXPECT_GT(CountShown(*box, ui::clFuchsia), 50) << "the swatch of the none entry";
  box->SetSelected(ui::clDefault);
  ASSERT_TRUE(box->HasSelected());
  box->SetDefaultColorColor(ui::clTeal);
  EXPECT_GT(CountShown(*box, ui::clTeal), 50) << "the swatch of the default entry";
  EXPECT_EQ(CountShown(*box, ui::clFuchsia), 0);
}

TEST(FontBox, ListsThePrefixFontsAndFindsNamesIgnoringCase) {
  BoxWindow w;
  auto* fonts = w.Place<TkivFontComboBox>(10);
  ASSERT_GT(fonts->Items().Count(), 3);
  const int tahoma = fonts->Items().IndexOf("Tahoma");
  ASSERT_GE(tahoma, 0);
  EXPECT_GE(fonts->ItemHeight(), 11);
  int changes = 0;
  fonts->OnChange = [&](ui::TComponent*) { ++changes; };
  fonts->SetFontName("tahoma");
  EXPECT_EQ(fonts->ItemIndex(), tahoma);
  EXPECT_EQ(changes, 1);
  fonts->SetFontName(fonts->FontName());
  EXPECT_EQ(changes, 1);
  fonts->SetFontName("No Such Font");
  EXPECT_EQ(fonts->ItemIndex(), -1);
  EXPECT_EQ(changes, 2);
  // A font change makes the window anew; the list stays.
  const int count = fonts->Items().Count();
  ui::TFont bigger;
  bigger.SetSize(14);
  fonts->SetFont(bigger);
  testkit::Pump();
  EXPECT_EQ(fonts->Items().Count(), count);
  const auto object = [&](const char* name) {
    return reinterpret_cast<std::uintptr_t>(fonts->Items().Objects(fonts->Items().IndexOf(name)));
  };
  EXPECT_EQ(object("Tahoma"), TRUETYPE_FONTTYPE | kFontNotSymbol);
  EXPECT_EQ(object("Symbol") & kFontNotSymbol, 0u) << "a symbol font is never drawn in itself";
  fonts->SetDevice(fdPrinter);  // no printer here
  EXPECT_EQ(fonts->Items().Count(), 0);
}

TEST(FontSizeBox, TrueTypeFamiliesListTheFixedSizesAndKeepTheSizeShown) {
  BoxWindow w;
  auto* sizes = w.Place<TkivFontSizeComboBox>(10);
  int clicks = 0;
  sizes->OnClick = [&](ui::TComponent*) { ++clicks; };
  sizes->SetFontName("Tahoma");
  EXPECT_EQ(sizes->Items().Count(), 16);
  EXPECT_EQ(clicks, 1);
  // The size shown is kept when the new family has it; with none shown, OnClick still comes.
  sizes->SetItemIndex(4);
  sizes->SetFontName("DejaVu Sans");
  EXPECT_EQ(sizes->Text(), "12");
  sizes->SetItemIndex(-1);
  sizes->SetFontName("Tahoma");
  EXPECT_EQ(sizes->ItemIndex(), -1);
  EXPECT_EQ(clicks, 3);
  sizes->SetFontName("");
  EXPECT_EQ(sizes->Items().Count(), 0);
  EXPECT_EQ(clicks, 3);
}

// The dropped list of a box as it shows, saved for a person to look at.
void SaveDroppedList(ui::TCustomComboBox& box, const std::string& name) {
  box.SetDroppedDown(true);
  testkit::PumpFor(50);
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  ASSERT_TRUE(GetComboBoxInfo(box.Handle(), &info));
  RECT r{};
  GetWindowRect(info.hwndList, &r);
  ui::TBitmap picture(r.right - r.left, r.bottom - r.top);
  com::window_dc list = com::window_dc::whole(info.hwndList);
  BitBlt(picture.MemoryDc(), 0, 0, picture.Width(), picture.Height(), list.get(), 0, 0, SRCCOPY);
  testkit::SavePicture(picture, name);
  box.SetDroppedDown(false);
}

TEST(ColorFontBoxPictures, DroppedLists) {
  BoxWindow w;
  auto* colors = w.Place<TkivColorBox>(10);
  colors->SetStyle(kDefaultColorBoxStyle | ColorBoxFlag(cbCustomColor) | ColorBoxFlag(cbPrettyNames));
  colors->SetSelected(ui::clNavy);
  SaveDroppedList(*colors, "color_box_list");
  auto* fonts = w.Place<TkivFontComboBox>(45);
  fonts->SetUseFonts(true);
  fonts->SetFontName("Tahoma");
  SaveDroppedList(*fonts, "font_box_list");
}

TEST(ColorFontBoxPictures, EveryStyle) {
  for (TkivUIStyle style : {TkivUIStyle::MacOS, TkivUIStyle::WinXP, TkivUIStyle::DeepBlue,
                            TkivUIStyle::Protein, TkivUIStyle::BlueGlass}) {
    BoxWindow w;
    auto* colors = w.Place<TkivColorBox>(10);
    colors->SetStyle(kDefaultColorBoxStyle | ColorBoxFlag(cbPrettyNames));
    colors->SetSelected(ui::clSkyBlue);
    auto* fonts = w.Place<TkivFontComboBox>(45);
    fonts->SetUseFonts(true);
    fonts->SetFontName("Tahoma");
    auto* sizes = w.Place<TkivFontSizeComboBox>(80);
    sizes->SetFontName("Tahoma");
    sizes->SetItemIndex(4);
    ApplyStyleToChildren(*w.form, style);
    const std::string name = std::to_string(static_cast<int>(style));
    testkit::CaptureAndSave(*w.form, "color_font_boxes_style" + name);
    EXPECT_GT(CountShown(*colors, ui::clSkyBlue), 50) << "the swatch of the colour shown, style " << name;
    for (TkivCustomComboBox* box : std::initializer_list<TkivCustomComboBox*>{colors, fonts, sizes}) {
      auto shot = testkit::Capture(*box);
      EXPECT_EQ(shot->Pixel(0, shot->Height() / 2), ui::ColorToRGB(box->BorderColor())) << "the frame, style " << name;
    }
    EXPECT_GT(CountShown(*sizes, ui::clBlack), 10) << "the size written, style " << name;
  }
}

}  // namespace
