#include "KIVGrid.h"

#include <type_traits>

#include "KIVPublic.h"

namespace kiv {

namespace {

constexpr int kControlBorderColor = 8;
constexpr int kControlFaceColor = 9;
constexpr int kGridFixedColor = 12;
constexpr int kGridFixedFontColor = 13;
constexpr int kGridFontColor = 16;

}  // namespace

template <typename Grid>
TkivGridLook<Grid>::TkivGridLook(ui::TComponent* AOwner) : Grid(AOwner) {
  this->SetControlStyle(this->ControlStyle() | ui::csOpaque);
  this->SetBorderStyle(ui::bsNone);
  // A one-pixel margin outside the client area holds the frame.
  this->SetBorderWidth(1);
  SetUIStyle(GetOwnerFormStyle(AOwner));
}

template <typename Grid>
void TkivGridLook<Grid>::SetUIStyle(TkivUIStyle style) {
  uiStyle_ = style;
  if (style == TkivUIStyle::Custom) return;
  SetBorderColor(GetThemeColor(style, kControlBorderColor));
  this->SetFixedColor(GetThemeColor(style, kGridFixedColor));
  this->SetColor(GetThemeColor(style, kControlFaceColor));
  SetFixedFontColor(GetThemeColor(style, kGridFixedFontColor));
  this->Font().SetColor(GetThemeColor(style, kGridFontColor));
}

template <typename Grid>
void TkivGridLook<Grid>::Changed(TColor& field, TColor value) {
  field = value;
  this->Invalidate();
}

template <typename Grid>
void TkivGridLook<Grid>::SetBorderColor(TColor color) {
  Changed(borderColor_, color);
  DrawFrame();
}

template <typename Grid>
void TkivGridLook<Grid>::SetFocusedColor(TColor color) { Changed(focusedColor_, color); }

template <typename Grid>
void TkivGridLook<Grid>::SetSelectedColor(TColor color) { Changed(selectedColor_, color); }

template <typename Grid>
void TkivGridLook<Grid>::SetFixedFontColor(TColor color) { Changed(fixedFontColor_, color); }

template <typename Grid>
void TkivGridLook<Grid>::SetFontColor(TColor color) {
  this->Font().SetColor(color);
  this->Invalidate();
}

template <typename Grid>
void TkivGridLook<Grid>::DrawCell(int ACol, int ARow, const RECT& ARect, ui::TGridDrawState AState) {
  ui::TCanvas& canvas = this->Canvas();
  if (AState & ui::gdFixed) {
    canvas.Font().SetColor(fixedFontColor_);
    // With default drawing the string grid writes the text itself, in the colour just set:
    // writing it here too would draw it twice.
    if constexpr (std::is_base_of_v<ui::TStringGrid, Grid>)
      if (!this->DefaultDrawing()) this->DrawCellText(ACol, ARow, ARect);
  } else {
    TColor fill = this->Color();
    if (AState & ui::gdSelected) fill = selectedColor_;
    if (AState & ui::gdFocused) fill = focusedColor_;
    canvas.Brush().SetStyle(ui::bsSolid);
    canvas.Brush().SetColor(fill);
    canvas.FillRect(ARect);
    // The focused cell's dark fill takes light text; the others the grid's font colour.
    canvas.Font().SetColor((AState & ui::gdFocused) ? ui::clHighlightText : this->Font().Color());
  }
  Grid::DrawCell(ACol, ARow, ARect, AState);
}

template <typename Grid>
void TkivGridLook<Grid>::Paint() {
  Grid::Paint();
  DrawFrame();
}

template <typename Grid>
void TkivGridLook<Grid>::WndProc(ui::TMessage& Message) {
  Grid::WndProc(Message);
  // The system's non-client painting (scroll bars, margin) would otherwise cover the frame.
  if (Message.Msg == WM_NCPAINT) DrawFrame();
}

template <typename Grid>
void TkivGridLook<Grid>::DrawFrame() {
  if (this->HandleAllocated()) DrawControlFrame(*this, borderColor_, this->Color());
}

template class TkivGridLook<ui::TCustomDrawGrid>;
template class TkivGridLook<ui::TStringGrid>;

}  // namespace kiv
