// Unit KIVGrid: the skinned grids. TkivCustomDrawGrid (and its published form TkivDrawGrid)
// and TkivStringGrid add the same things to the class library's grids: cell backgrounds by
// state, fixed-cell text in its own colour, a one-pixel frame in BorderColor instead of the
// 3-D border, and colours taken from the theme when UIStyle is set.
#pragma once

#include "DrawGrid.h"
#include "KIVThemes.h"
#include "StringGrid.h"

namespace kiv {

// The additions, written once for both grids (Grid is ui::TCustomDrawGrid or ui::TStringGrid).
template <typename Grid>
class TkivGridLook : public Grid, public IkivStyled, public IkivBorderColored {
 public:
  explicit TkivGridLook(ui::TComponent* AOwner);

  TkivUIStyle UIStyle() const override { return uiStyle_; }
  // Custom is stored and changes nothing else; another style sets every colour from the theme.
  void SetUIStyle(TkivUIStyle style) override;
  TColor BorderColor() const { return borderColor_; }
  void SetBorderColor(TColor color) override;
  TColor FocusedColor() const { return focusedColor_; }
  void SetFocusedColor(TColor color);
  TColor SelectedColor() const { return selectedColor_; }
  void SetSelectedColor(TColor color);
  // Text colour of fixed cells (written by the string grid; only kept by the draw grid, whose
  // cells are drawn by its OnDrawCell).
  TColor FixedFontColor() const { return fixedFontColor_; }
  void SetFixedFontColor(TColor color);
  TColor FontColor() const { return this->Font().Color(); }
  void SetFontColor(TColor color);
  // The grids are always flat: there is no 3-D look to switch on.
  bool Ctl3D() const { return false; }

 protected:
  void DrawCell(int ACol, int ARow, const RECT& ARect, ui::TGridDrawState AState) override;
  void Paint() override;
  void WndProc(ui::TMessage& Message) override;

 private:
  void Changed(TColor& field, TColor value);
  // The frame over the window's one-pixel margin (and the client's outermost pixels).
  void DrawFrame();

  TkivUIStyle uiStyle_ = TkivUIStyle::Custom;
  TColor borderColor_ = ui::clBlack;
  TColor focusedColor_ = ui::clGreen;
  TColor selectedColor_ = ui::clYellow;
  TColor fixedFontColor_ = ui::clWindowText;
};

class TkivCustomDrawGrid : public TkivGridLook<ui::TCustomDrawGrid> {
  UI_CLASS(TkivCustomDrawGrid, TkivGridLook<ui::TCustomDrawGrid>)
 public:
  using TkivGridLook::TkivGridLook;
};

class TkivDrawGrid : public TkivCustomDrawGrid {
  UI_CLASS(TkivDrawGrid, TkivCustomDrawGrid)
 public:
  using TkivCustomDrawGrid::TkivCustomDrawGrid;
};

class TkivStringGrid : public TkivGridLook<ui::TStringGrid> {
  UI_CLASS(TkivStringGrid, TkivGridLook<ui::TStringGrid>)
 public:
  using TkivGridLook::TkivGridLook;
};

extern template class TkivGridLook<ui::TCustomDrawGrid>;
extern template class TkivGridLook<ui::TStringGrid>;

}  // namespace kiv
