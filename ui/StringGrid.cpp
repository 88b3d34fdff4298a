#include "StringGrid.h"

namespace ui {

std::string TStringGrid::Cells(int ACol, int ARow) const {
  if (ARow < 0 || ARow >= static_cast<int>(cells_.size())) return {};
  const auto& row = cells_[ARow];
  if (ACol < 0 || ACol >= static_cast<int>(row.size())) return {};
  return row[ACol];
}

void TStringGrid::SetCells(int ACol, int ARow, const std::string& value) {
  if (ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount()) return;
  if (ARow >= static_cast<int>(cells_.size())) cells_.resize(ARow + 1);
  auto& row = cells_[ARow];
  if (ACol >= static_cast<int>(row.size())) row.resize(ACol + 1);
  row[ACol] = value;
  const RECT r = CellRect(ACol, ARow);
  if (HandleAllocated() && !IsRectEmpty(&r)) InvalidateRect(Handle(), &r, FALSE);
}

void TStringGrid::DrawCell(int ACol, int ARow, const RECT& ARect, TGridDrawState AState) {
  if (DefaultDrawing()) DrawCellText(ACol, ARow, ARect);
  TDrawGrid::DrawCell(ACol, ARow, ARect, AState);
}

void TStringGrid::DrawCellText(int ACol, int ARow, const RECT& ARect) {
  Canvas().TextRect(ARect, ARect.left + 2, ARect.top + 2, Cells(ACol, ARow));
}

}  // namespace ui
