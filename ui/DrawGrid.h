// TCustomDrawGrid / TDrawGrid: a painted grid of cells in rows and columns, with fixed leading
// rows and columns that do not scroll, a current cell and a selected range, scrolling by the
// scroll bars, the wheel and the keys, and cells drawn by DrawCell (and OnDrawCell) after the
// grid's own default drawing. Windows has no native grid: this one draws every pixel itself.
#pragma once

#include <functional>
#include <vector>

#include "CustomControl.h"
#include "Form.h"
#include "GridAxis.h"

namespace ui {

enum TGridOption : unsigned {
  goFixedVertLine = 1,
  goFixedHorzLine = 2,
  goVertLine = 4,
  goHorzLine = 8,
  goRangeSelect = 16,       // Shift+keys and dragging select a range of cells
  goDrawFocusSelected = 32, // the current cell is drawn selected too while the grid has focus
  goRowSelect = 64,         // whole rows are selected
};
using TGridOptions = unsigned;

enum TGridDrawStateFlag : unsigned { gdSelected = 1, gdFocused = 2, gdFixed = 4 };
using TGridDrawState = unsigned;

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
struct TGridRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  bool Contains(int col, int row) const {
    return Left <= col && col <= Right && Top <= row && row <= Bottom;
  }
  bool operator==(const TGridRect&) const = default;
};

using TDrawCellEvent = std::function<void(TComponent* Sender, int ACol, int ARow, const RECT& Rect,
                                          TGridDrawState State)>;
using TSelectCellEvent = std::function<void(TComponent* Sender, int ACol, int ARow, bool& CanSelect)>;

class TCustomDrawGrid : public TCustomControl {
  UI_CLASS(TCustomDrawGrid, TCustomControl)
 public:
  explicit TCustomDrawGrid(TComponent* AOwner);

  int ColCount() const { return cols_.Count(); }
  void SetColCount(int value);
  int RowCount() const { return rows_.Count(); }
  void SetRowCount(int value);
  int FixedCols() const { return cols_.FixedCount; }
  void SetFixedCols(int value);
  int FixedRows() const { return rows_.FixedCount; }
  void SetFixedRows(int value);
  int DefaultColWidth() const { return defaultColWidth_; }
  void SetDefaultColWidth(int value);
  int DefaultRowHeight() const { return defaultRowHeight_; }
  void SetDefaultRowHeight(int value);
  int ColWidths(int col) const { return cols_.Sizes.at(col); }
  void SetColWidths(int col, int value);
  int RowHeights(int row) const { return rows_.Sizes.at(row); }
  void SetRowHeights(int row, int value);
  int GridLineWidth() const { return cols_.LineWidth; }
  void SetGridLineWidth(int value);
  TGridOptions Options() const { return options_; }
  void SetOptions(TGridOptions value);
  TColor FixedColor() const { return fixedColor_; }
  void SetFixedColor(TColor value);
  bool DefaultDrawing() const { return defaultDrawing_; }
  void SetDefaultDrawing(bool value);
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle value);
  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  // bsNone or bsSingle (a one-pixel window border).
  void SetBorderStyle(TFormBorderStyle value);

  // The current cell; writing moves it (and the selection) there, as a click would.
  int Col() const { return col_; }
  void SetCol(int value) { MoveCurrent(value, row_, false); }
  int Row() const { return row_; }
  void SetRow(int value) { MoveCurrent(col_, value, false); }
  TGridRect Selection() const;
  void SetSelection(const TGridRect& value);
  int LeftCol() const { return cols_.First; }
  void SetLeftCol(int value) { ScrollTo(value, rows_.First); }
  int TopRow() const { return rows_.First; }
  void SetTopRow(int value) { ScrollTo(cols_.First, value); }
  int VisibleColCount() const { return AxisFullyVisibleCount(Axis(cols_, true)); }
  int VisibleRowCount() const { return AxisFullyVisibleCount(Axis(rows_, false)); }
  // The cell's rectangle in client coordinates; empty when it is out of view.
  RECT CellRect(int ACol, int ARow) const;
  // The cell at a client point; false (and -1, -1) when there is none.
  bool MouseToCell(int X, int Y, int& ACol, int& ARow) const;

  TDrawCellEvent OnDrawCell;
  TSelectCellEvent OnSelectCell;
  TNotifyEvent OnTopLeftChanged;

 protected:
  // Draws one cell after the default drawing: raises OnDrawCell.
  virtual void DrawCell(int ACol, int ARow, const RECT& ARect, TGridDrawState AState);
  // Whether the cell may become the current one: raises OnSelectCell.
  virtual bool SelectCell(int ACol, int ARow);
  virtual void TopLeftChanged();
  void Paint() override;
  void CreateParams(TCreateParams& Params) override;
  void CreateWindowHandle() override;
  void WndProc(TMessage& Message) override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  bool HasFocusedCell() const;

 private:
  // The axis with its extent set to the client area's.
  TGridAxis Axis(const TGridAxis& axis, bool across) const;
  void MoveCurrent(int col, int row, bool extend);
  void ScrollTo(int leftCol, int topRow);
  void Scrolled(int bar, int code);
  void ResizeAxis(TGridAxis& axis, int count, int size);
  void LayoutChanged();
  void UpdateScrollBars();
  void DrawLines(TCanvas& canvas, const TGridAxis& cols, const TGridAxis& rows);
  TGridDrawState CellState(int col, int row) const;

  TGridAxis cols_, rows_;
  int defaultColWidth_ = 64;
  int defaultRowHeight_ = 24;
  TGridOptions options_ = goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect;
  TColor fixedColor_ = clBtnFace;
  bool defaultDrawing_ = true;
  TScrollStyle scrollBars_ = ssBoth;
  TFormBorderStyle borderStyle_ = bsSingle;
  int col_ = 1, row_ = 1;
  int anchorCol_ = 1, anchorRow_ = 1;
  bool updatingScrollBars_ = false;
};

// The draw grid as placed on a window: the same grid, every property published.
class TDrawGrid : public TCustomDrawGrid {
  UI_CLASS(TDrawGrid, TCustomDrawGrid)
 public:
  using TCustomDrawGrid::TCustomDrawGrid;
};

}  // namespace ui
