// TStringGrid: the draw grid with a text in every cell, written by the grid's default drawing.
#pragma once

#include <string>
#include <vector>

#include "DrawGrid.h"

namespace ui {

class TStringGrid : public TDrawGrid {
  UI_CLASS(TStringGrid, TDrawGrid)
 public:
  using TDrawGrid::TDrawGrid;

  // The cell's text; cells outside the grid read as empty and are not stored.
  std::string Cells(int ACol, int ARow) const;
  void SetCells(int ACol, int ARow, const std::string& value);

 protected:
  // With DefaultDrawing, writes the cell's text (DrawCellText); then raises OnDrawCell.
  void DrawCell(int ACol, int ARow, const RECT& ARect, TGridDrawState AState) override;
  // Writes the cell's text 2 pixels in from the rectangle's top-left corner, clipped to it.
  virtual void DrawCellText(int ACol, int ARow, const RECT& ARect);

 private:
  std::vector<std::vector<std::string>> cells_;  // by row, then column; grown on demand
};

}  // namespace ui
