// The skinned grids on the test display: cell colours by state, the frame, the theme's colours,
// fixed-cell text written once, and a picture of each grid in every style, checked as drawn.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "KIVGrid.h"
#include "KIVThemes.h"
#include "WindowCapture.h"
#include "WindowTestKit.h"

namespace {

using kiv::TkivUIStyle;

// Counts how often each cell's text is written.
class CountingGrid : public kiv::TkivStringGrid {
 public:
  using TkivStringGrid::TkivStringGrid;
  int cornerTexts = 0;

 protected:
  void DrawCellText(int col, int row, const RECT& rect) override {
    if (col == 0 && row == 0) ++cornerTexts;
    TkivStringGrid::DrawCellText(col, row, rect);
  }
};

template <typename Grid>
struct GridWindow {
  std::unique_ptr<ui::TForm> form = std::make_unique<ui::TForm>(nullptr);
  Grid* grid = new Grid(form.get());

  explicit GridWindow(TkivUIStyle style = TkivUIStyle::DeepBlue) {
    form->SetBorderStyle(ui::bsNone);
    form->SetBounds(30, 30, 360, 200);
    form->SetColor(ui::clWhite);
    grid->SetBounds(10, 10, 330, 170);
    grid->SetUIStyle(style);
    grid->SetParent(form.get());
    form->Show();
    grid->SetFocus();
    testkit::Pump();
  }

  ui::TColor CellPixel(int col, int row) {
    const RECT r = grid->CellRect(col, row);
    testkit::Pump();
    HDC dc = GetDC(grid->Handle());
    const COLORREF color = GetPixel(dc, (r.left + r.right) / 2, r.bottom - 3);
    ReleaseDC(grid->Handle(), dc);
    return color;
  }
};

TEST(KivGrid, FocusedAndSelectedCellsTakeTheirColoursInEveryStyle) {
  for (TkivUIStyle style : {TkivUIStyle::Custom, TkivUIStyle::WinXP, TkivUIStyle::BlueGlass}) {
    GridWindow<kiv::TkivStringGrid> w(style);
    w.grid->SetSelection({1, 1, 3, 2});
    EXPECT_EQ(w.CellPixel(1, 1), ui::clGreen) << "the focused cell";
    EXPECT_EQ(w.CellPixel(2, 2), ui::clYellow) << "a selected cell";
    EXPECT_EQ(w.CellPixel(4, 3), ui::ColorToRGB(w.grid->Color())) << "a plain cell";
    // A cell both selected and focused shows the focus.
    w.grid->SetOptions(w.grid->Options() | ui::goDrawFocusSelected);
    EXPECT_EQ(w.CellPixel(1, 1), ui::clGreen);
  }
}

TEST(KivGrid, AStyleSetsTheThemeColoursAndCustomKeepsThem) {
  GridWindow<kiv::TkivDrawGrid> w(TkivUIStyle::Protein);
  EXPECT_EQ(w.grid->BorderColor(), kiv::GetThemeColor(TkivUIStyle::Protein, 8));
  EXPECT_EQ(w.grid->FixedColor(), kiv::GetThemeColor(TkivUIStyle::Protein, 12));
  EXPECT_EQ(w.grid->Color(), kiv::GetThemeColor(TkivUIStyle::Protein, 9));
  EXPECT_EQ(w.grid->FixedFontColor(), kiv::GetThemeColor(TkivUIStyle::Protein, 13));
  EXPECT_EQ(w.grid->FontColor(), kiv::GetThemeColor(TkivUIStyle::Protein, 16));
  w.grid->SetBorderColor(ui::clRed);
  w.grid->SetUIStyle(TkivUIStyle::Custom);
  EXPECT_EQ(w.grid->UIStyle(), TkivUIStyle::Custom);
  EXPECT_EQ(w.grid->BorderColor(), ui::clRed);
  EXPECT_EQ(w.grid->FocusedColor(), ui::clGreen);
  EXPECT_FALSE(w.grid->Ctl3D());
  testkit::Pump();
  HDC dc = GetWindowDC(w.grid->Handle());
  EXPECT_EQ(GetPixel(dc, 0, 0), ui::clRed) << "the frame lies on the window's edge";
  ReleaseDC(w.grid->Handle(), dc);
}

TEST(KivGrid, FixedCellTextIsWrittenOnceInItsOwnColour) {
  for (bool defaultDrawing : {true, false}) {
    GridWindow<CountingGrid> w;
    w.grid->SetCells(0, 0, "WWW");
    w.grid->SetFixedFontColor(ui::clRed);
    w.grid->SetDefaultDrawing(defaultDrawing);
    testkit::Pump();
    w.grid->cornerTexts = 0;
    w.grid->Repaint();
    EXPECT_EQ(w.grid->cornerTexts, 1) << "default drawing " << defaultDrawing;
    auto shot = testkit::Capture(*w.grid);
    bool red = false;
    for (int x = 2; x < 30; ++x)
      for (int y = 2; y < 16; ++y) red = red || shot->Pixel(x, y) == ui::clRed;
    EXPECT_TRUE(red);
  }
}

TEST(KivGridPictures, EveryStyle) {
  for (TkivUIStyle style : {TkivUIStyle::MacOS, TkivUIStyle::WinXP, TkivUIStyle::DeepBlue,
                            TkivUIStyle::Protein, TkivUIStyle::BlueGlass}) {
    GridWindow<kiv::TkivStringGrid> w(style);
    w.grid->SetColCount(6);
    w.grid->SetRowCount(30);
    for (int c = 0; c < 6; ++c) w.grid->SetCells(c, 0, "Col " + std::to_string(c));
    for (int r = 1; r < 30; ++r) {
      w.grid->SetCells(0, r, std::to_string(r));
      for (int c = 1; c < 6; ++c) w.grid->SetCells(c, r, std::to_string(r * c));
    }
    w.grid->SetSelection({1, 2, 2, 4});
    const std::string name = std::to_string(static_cast<int>(style));
    testkit::CaptureAndSave(*w.form, "string_grid_style" + name);
    EXPECT_EQ(w.CellPixel(1, 2), ui::clGreen) << name;
    EXPECT_EQ(w.CellPixel(2, 4), ui::clYellow) << name;
    EXPECT_EQ(w.CellPixel(4, 3), ui::ColorToRGB(w.grid->Color())) << name;
    EXPECT_EQ(w.CellPixel(0, 3), ui::ColorToRGB(w.grid->FixedColor())) << name;
    // The column captions are written in the fixed font colour; the frame lies on the edge.
    const RECT header = w.grid->CellRect(1, 0);
    auto shot = testkit::Capture(*w.grid);
    int written = 0;
    for (int y = header.top; y < header.bottom; ++y)
      for (int x = header.left; x < header.right; ++x)
        written += shot->Pixel(x, y) == ui::ColorToRGB(w.grid->FixedFontColor());
    EXPECT_GT(written, 5) << name;
    HDC dc = GetWindowDC(w.grid->Handle());
    EXPECT_EQ(GetPixel(dc, 0, 0), ui::ColorToRGB(w.grid->BorderColor())) << name;
    ReleaseDC(w.grid->Handle(), dc);
  }
}

}  // namespace
