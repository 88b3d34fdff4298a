// Unit KIVPublic: the drawing and placing routines the skinned controls share: the parent's
// background under a control, tiling, nine-grid and three-part stretching of theme bitmaps,
// the flat frame of bordered controls, quarter turns of bitmaps and small geometry helpers.
#pragma once

#include <string>

#include "Bitmap.h"
#include "Canvas.h"
#include "Color.h"
#include "Form.h"
#include "WinControl.h"

namespace kiv {

using ui::TColor;

// The transparent colour of the nine-grid's pieces.
constexpr TColor kNineGridKey = 0xFF00FF;

// Draws the control's parent, as it lies under the control, into the canvas (whose origin is
// the control's top-left corner). A control without a parent leaves the canvas untouched.
void PaintParentBackground(ui::TCanvas& canvas, ui::TControl& control);
// Covers the rectangle's extent with copies of the picture, starting at the canvas origin (the
// last row and column may reach past the rectangle). An empty picture draws nothing.
void TileBitmap(ui::TCanvas& canvas, const ui::TGraphic& picture, const RECT& rect);
// Draws the bitmap stretched to rect with its four corners unscaled: corners keyed on magenta
// when transparent, edges and middle always keyed on magenta.
void DrawNineGrid(const ui::TBitmap& bitmap, ui::TCanvas& canvas, const RECT& rect, bool transparent);
// Draws the bitmap cut in three equal columns: left cap and right cap unscaled at the ends
// (keyed on the top-left pixel's colour when transparent), the middle stretched between them.
void DrawThreePartBitmap(const ui::TBitmap& bitmap, ui::TCanvas& canvas, const RECT& rect,
                         bool transparent);
// Two nested one-pixel frames over the control's whole window, non-client area included.
void DrawControlFrame(ui::TWinControl& control, TColor outer, TColor inner);
// The square between a window's two scroll bars in the plain button face, as a native control
// shows it. Wine places that square from the window's edges but the bars beside the client
// area, so a control with a non-client margin of its own is left with an unpainted strip.
void FillScrollBarCorner(ui::TWinControl& control);
// Turns the bitmap a quarter turn counter-clockwise.
void RotateBitmap(ui::TBitmap& bitmap);
// Turns the bitmap a quarter turn clockwise.
void RotateBitmapClockwise(ui::TBitmap& bitmap);
// True when left <= x <= right and top <= y <= bottom: all four edges count as inside.
bool PointInRect(POINT point, const RECT& rect);
bool PointInRect(int x, int y, const RECT& rect);
// The desktop work area.
RECT GetWorkAreaRect();
// Left := x, then Top := y.
void MoveControlTo(ui::TControl& control, POINT point);
// Left, Top, Width and Height of the form from the rectangle, in that order.
void SetFormBounds(ui::TForm& form, const RECT& rect);

// Loads the skin bitmap of that name from the program's resources; a program built without
// the skin bitmaps is a broken program, so a missing one is an error.
void LoadSkinBitmap(ui::TBitmap& bitmap, const std::string& name);
// Refuses a property write with an error message box; while the component's window layout is
// being applied, where no message box may appear, with an exception carrying the text.
void RefuseWrite(const ui::TComponent& component, const std::string& text);

}  // namespace kiv
