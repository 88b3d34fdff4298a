// Where the cells of a grid lie along one axis (the columns across, or the rows down): the
// leading fixed cells never scroll, and the scrolled ones are shown from `First` on after them.
// Plain arithmetic, so the grid's layout and scrolling are checked without a window.
#pragma once

#include <vector>

namespace ui {

struct TGridAxis {
  std::vector<int> Sizes;  // width of each column (height of each row), in pixels
  int FixedCount = 0;      // leading cells that stay in place
  int LineWidth = 0;       // grid line after every cell
  int First = 0;           // first scrolled cell shown (LeftCol or TopRow)
  int Extent = 0;          // client width (height) the cells are shown in

  int Count() const { return static_cast<int>(Sizes.size()); }
};

struct TGridSpan {
  int Index;  // the cell
  int Start;  // its first pixel
};

// The cells shown (fixed ones first, then the scrolled ones from First), in screen order.
std::vector<TGridSpan> AxisVisibleCells(const TGridAxis& axis);
// The pixel start of the cell, or -1 when it is scrolled out of view or past the extent.
int AxisCellStart(const TGridAxis& axis, int index);
// The cell (grid line included) at a pixel position, or -1 when there is none.
int AxisCellAt(const TGridAxis& axis, int position);
// Scrolled cells shown whole from First on (at least 1 when any scrolled cell exists).
int AxisFullyVisibleCount(const TGridAxis& axis);
// The highest First that still fills the extent: from it the last cell is shown whole.
int AxisMaxFirst(const TGridAxis& axis);
// The First that brings the cell into full view with the least scrolling (the current First
// when it already is, or when the cell is fixed or out of range).
int AxisFirstToShow(const TGridAxis& axis, int index);
// First kept within FixedCount .. AxisMaxFirst.
int AxisClampFirst(const TGridAxis& axis, int first);

}  // namespace ui
