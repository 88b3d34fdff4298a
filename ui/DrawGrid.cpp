#include "DrawGrid.h"

#include <algorithm>
#include <tuple>

namespace ui {

namespace {

constexpr TColor kCellLineColor = clSilver;
constexpr TColor kFixedLineColor = clGray;

}  // namespace

TCustomDrawGrid::TCustomDrawGrid(TComponent* AOwner) : TCustomControl(AOwner) {
  // The grid paints every pixel of its client area itself.
  SetControlStyle(ControlStyle() | csOpaque);
  SetTabStop(true);
  cols_.LineWidth = rows_.LineWidth = 1;
  cols_.FixedCount = rows_.FixedCount = 1;
  cols_.First = rows_.First = 1;
  ResizeAxis(cols_, 5, defaultColWidth_);
  ResizeAxis(rows_, 5, defaultRowHeight_);
  SetBounds(0, 0, 320, 120);
}

TGridAxis TCustomDrawGrid::Axis(const TGridAxis& axis, bool across) const {
  TGridAxis shown = axis;
  const RECT client = ClientRect();
  shown.Extent = across ? client.right : client.bottom;
  return shown;
}

void TCustomDrawGrid::ResizeAxis(TGridAxis& axis, int count, int size) {
  axis.Sizes.resize(std::max(count, 0), size);
}

void TCustomDrawGrid::SetColCount(int value) {
  if (value < 1 || value == ColCount()) return;
  ResizeAxis(cols_, value, defaultColWidth_);
  cols_.FixedCount = std::min(cols_.FixedCount, value - 1);
  LayoutChanged();
}

void TCustomDrawGrid::SetRowCount(int value) {
  if (value < 1 || value == RowCount()) return;
  ResizeAxis(rows_, value, defaultRowHeight_);
  rows_.FixedCount = std::min(rows_.FixedCount, value - 1);
  LayoutChanged();
}

void TCustomDrawGrid::SetFixedCols(int value) {
  if (value < 0 || value >= ColCount()) return;
  cols_.FixedCount = value;
  LayoutChanged();
}

void TCustomDrawGrid::SetFixedRows(int value) {
  if (value < 0 || value >= RowCount()) return;
  rows_.FixedCount = value;
  LayoutChanged();
}

void TCustomDrawGrid::SetDefaultColWidth(int value) {
  defaultColWidth_ = value;
  std::fill(cols_.Sizes.begin(), cols_.Sizes.end(), value);
  LayoutChanged();
}

void TCustomDrawGrid::SetDefaultRowHeight(int value) {
  defaultRowHeight_ = value;
  std::fill(rows_.Sizes.begin(), rows_.Sizes.end(), value);
  LayoutChanged();
}

void TCustomDrawGrid::SetColWidths(int col, int value) {
  cols_.Sizes.at(col) = std::max(value, 0);
  LayoutChanged();
}

void TCustomDrawGrid::SetRowHeights(int row, int value) {
  rows_.Sizes.at(row) = std::max(value, 0);
  LayoutChanged();
}

void TCustomDrawGrid::SetGridLineWidth(int value) {
  cols_.LineWidth = rows_.LineWidth = std::max(value, 0);
  LayoutChanged();
}

void TCustomDrawGrid::SetOptions(TGridOptions value) {
  options_ = value;
  Invalidate();
}

void TCustomDrawGrid::SetFixedColor(TColor value) {
  fixedColor_ = value;
  Invalidate();
}

void TCustomDrawGrid::SetDefaultDrawing(bool value) {
  defaultDrawing_ = value;
  Invalidate();
}

void TCustomDrawGrid::SetScrollBars(TScrollStyle value) {
  if (value == scrollBars_) return;
  scrollBars_ = value;
  RecreateWnd();
}

void TCustomDrawGrid::SetBorderStyle(TFormBorderStyle value) {
  if (value == borderStyle_) return;
  borderStyle_ = value;
  RecreateWnd();
}

// Counts and sizes changed: the current cell, the selection and the scroll position are kept
// inside the grid as it now is.
void TCustomDrawGrid::LayoutChanged() {
  const int lastCol = ColCount() - 1, lastRow = RowCount() - 1;
  col_ = std::clamp(col_, FixedCols(), lastCol);
  row_ = std::clamp(row_, FixedRows(), lastRow);
  anchorCol_ = std::clamp(anchorCol_, FixedCols(), lastCol);
  anchorRow_ = std::clamp(anchorRow_, FixedRows(), lastRow);
  cols_.First = AxisClampFirst(Axis(cols_, true), cols_.First);
  rows_.First = AxisClampFirst(Axis(rows_, false), rows_.First);
  UpdateScrollBars();
  Invalidate();
}

TGridRect TCustomDrawGrid::Selection() const {
  TGridRect r{std::min(col_, anchorCol_), std::min(row_, anchorRow_), std::max(col_, anchorCol_),
              std::max(row_, anchorRow_)};
  if (!(options_ & (goRangeSelect | goRowSelect))) r = {col_, row_, col_, row_};
  if (options_ & goRowSelect) {
    r.Left = FixedCols();
    r.Right = ColCount() - 1;
  }
  return r;
}

void TCustomDrawGrid::SetSelection(const TGridRect& value) {
  col_ = std::clamp(value.Left, FixedCols(), ColCount() - 1);
  row_ = std::clamp(value.Top, FixedRows(), RowCount() - 1);
  anchorCol_ = std::clamp(value.Right, FixedCols(), ColCount() - 1);
  anchorRow_ = std::clamp(value.Bottom, FixedRows(), RowCount() - 1);
  Invalidate();
}

RECT TCustomDrawGrid::CellRect(int ACol, int ARow) const {
  const TGridAxis cols = Axis(cols_, true), rows = Axis(rows_, false);
  const int x = AxisCellStart(cols, ACol), y = AxisCellStart(rows, ARow);
  if (x < 0 || y < 0) return {0, 0, 0, 0};
  return {x, y, std::min<int>(x + cols.Sizes[ACol], cols.Extent),
          std::min<int>(y + rows.Sizes[ARow], rows.Extent)};
}

bool TCustomDrawGrid::MouseToCell(int X, int Y, int& ACol, int& ARow) const {
  ACol = AxisCellAt(Axis(cols_, true), X);
  ARow = AxisCellAt(Axis(rows_, false), Y);
  if (ACol >= 0 && ARow >= 0) return true;
  ACol = ARow = -1;
  return false;
}

void TCustomDrawGrid::MoveCurrent(int col, int row, bool extend) {
  if (FixedCols() >= ColCount() || FixedRows() >= RowCount()) return;
  col = std::clamp(col, FixedCols(), ColCount() - 1);
  row = std::clamp(row, FixedRows(), RowCount() - 1);
  if (!SelectCell(col, row)) return;
  col_ = col;
  row_ = row;
  if (!extend || !(options_ & (goRangeSelect | goRowSelect))) {
    anchorCol_ = col;
    anchorRow_ = row;
  }
  ScrollTo(AxisFirstToShow(Axis(cols_, true), col), AxisFirstToShow(Axis(rows_, false), row));
  Invalidate();
}

void TCustomDrawGrid::ScrollTo(int leftCol, int topRow) {
  leftCol = AxisClampFirst(Axis(cols_, true), leftCol);
  topRow = AxisClampFirst(Axis(rows_, false), topRow);
  if (leftCol == cols_.First && topRow == rows_.First) return;
  cols_.First = leftCol;
  rows_.First = topRow;
  UpdateScrollBars();
  Invalidate();
  TopLeftChanged();
}

void TCustomDrawGrid::TopLeftChanged() {
  if (OnTopLeftChanged) OnTopLeftChanged(this);
}

bool TCustomDrawGrid::SelectCell(int ACol, int ARow) {
  bool canSelect = true;
  if (OnSelectCell) OnSelectCell(this, ACol, ARow, canSelect);
  return canSelect;
}

void TCustomDrawGrid::DrawCell(int ACol, int ARow, const RECT& ARect, TGridDrawState AState) {
  if (OnDrawCell) OnDrawCell(this, ACol, ARow, ARect, AState);
}

bool TCustomDrawGrid::HasFocusedCell() const { return Focused(); }

TGridDrawState TCustomDrawGrid::CellState(int col, int row) const {
  if (col < FixedCols() || row < FixedRows()) return gdFixed;
  TGridDrawState state = 0;
  const bool current = col == col_ && row == row_;
  if (current && HasFocusedCell()) state |= gdFocused;
  const bool drawnAsFocus = current && HasFocusedCell() && !(options_ & goDrawFocusSelected) &&
                            !(options_ & goRowSelect);
  if (Selection().Contains(col, row) && !drawnAsFocus) state |= gdSelected;
  return state;
}

void TCustomDrawGrid::Paint() {
  TCanvas& canvas = Canvas();
  const TGridAxis cols = Axis(cols_, true), rows = Axis(rows_, false);
  const std::vector<TGridSpan> shownCols = AxisVisibleCells(cols);
  const std::vector<TGridSpan> shownRows = AxisVisibleCells(rows);
  int right = 0, bottom = 0;
  for (const TGridSpan& r : shownRows) {
    for (const TGridSpan& c : shownCols) {
      const RECT cell{c.Start, r.Start, c.Start + cols.Sizes[c.Index], r.Start + rows.Sizes[r.Index]};
      const TGridDrawState state = CellState(c.Index, r.Index);
      canvas.Brush().SetStyle(bsSolid);
      if (defaultDrawing_) {
        const bool selected = (state & gdSelected) != 0;
        canvas.Brush().SetColor((state & gdFixed) ? fixedColor_ : selected ? clHighlight : Color());
        canvas.Font().SetColor(selected ? clHighlightText : Font().Color());
        canvas.FillRect(cell);
      }
      DrawCell(c.Index, r.Index, cell, state);
      if (defaultDrawing_ && (state & gdFocused)) DrawFocusRect(canvas.Handle(), &cell);
      // The lines to the right of and below the cell, in the style of the cell they close.
      const bool fixed = (state & gdFixed) != 0;
      const int lw = cols.LineWidth;
      canvas.Brush().SetStyle(bsSolid);
      canvas.Brush().SetColor(Color());
      if (fixed ? (options_ & goFixedVertLine) : (options_ & goVertLine))
        canvas.Brush().SetColor(fixed ? kFixedLineColor : kCellLineColor);
      canvas.FillRect({cell.right, cell.top, cell.right + lw, cell.bottom + lw});
      canvas.Brush().SetColor(Color());
      if (fixed ? (options_ & goFixedHorzLine) : (options_ & goHorzLine))
        canvas.Brush().SetColor(fixed ? kFixedLineColor : kCellLineColor);
      canvas.FillRect({cell.left, cell.bottom, cell.right, cell.bottom + lw});
      right = std::max<int>(right, cell.right + lw);
      bottom = std::max<int>(bottom, cell.bottom + lw);
    }
  }
  // The client area past the last column and below the last row.
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(Color());
  canvas.FillRect({right, 0, cols.Extent, rows.Extent});
  canvas.FillRect({0, bottom, right, rows.Extent});
}

void TCustomDrawGrid::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  if (scrollBars_ == ssHorizontal || scrollBars_ == ssBoth) Params.Style |= WS_HSCROLL;
  if (scrollBars_ == ssVertical || scrollBars_ == ssBoth) Params.Style |= WS_VSCROLL;
  if (borderStyle_ == bsSingle) Params.Style |= WS_BORDER;
}

void TCustomDrawGrid::CreateWindowHandle() {
  TCustomControl::CreateWindowHandle();
  UpdateScrollBars();
}

void TCustomDrawGrid::UpdateScrollBars() {
  if (!HandleAllocated() || updatingScrollBars_) return;
  updatingScrollBars_ = true;
  // Showing or hiding a bar changes the client size, and with it what fits: settle twice.
  for (int round = 0; round < 2; ++round) {
    for (const auto& [bar, axis, wanted] :
         {std::tuple{SB_HORZ, Axis(cols_, true), scrollBars_ == ssHorizontal || scrollBars_ == ssBoth},
          std::tuple{SB_VERT, Axis(rows_, false), scrollBars_ == ssVertical || scrollBars_ == ssBoth}}) {
      if (!wanted) continue;
      SCROLLINFO info{sizeof(info), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 0, 0, 0, 0};
      info.nMin = axis.FixedCount;
      info.nMax = std::max(axis.Count() - 1, axis.FixedCount);
      info.nPage = static_cast<UINT>(AxisFullyVisibleCount(axis));
      info.nPos = axis.First;
      SetScrollInfo(Handle(), bar, &info, TRUE);
    }
    cols_.First = AxisClampFirst(Axis(cols_, true), cols_.First);
    rows_.First = AxisClampFirst(Axis(rows_, false), rows_.First);
  }
  updatingScrollBars_ = false;
}

void TCustomDrawGrid::Scrolled(int bar, int code) {
  const TGridAxis axis = bar == SB_HORZ ? Axis(cols_, true) : Axis(rows_, false);
  const int page = std::max(AxisFullyVisibleCount(axis), 1);
  int first = axis.First;
  switch (code) {
    case SB_LINEUP: --first; break;
    case SB_LINEDOWN: ++first; break;
    case SB_PAGEUP: first -= page; break;
    case SB_PAGEDOWN: first += page; break;
    case SB_TOP: first = axis.FixedCount; break;
    case SB_BOTTOM: first = axis.Count(); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      // The full 32-bit position: the message's own is only 16 bits wide.
      SCROLLINFO info{sizeof(info), SIF_TRACKPOS, 0, 0, 0, 0, 0};
      GetScrollInfo(Handle(), bar, &info);
      first = info.nTrackPos;
      break;
    }
    default: return;
  }
  if (bar == SB_HORZ) ScrollTo(first, rows_.First);
  else ScrollTo(cols_.First, first);
}

void TCustomDrawGrid::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETDLGCODE:
      Message.Result = DLGC_WANTARROWS;
      return;
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (Message.LParam) break;
      return Scrolled(Message.Msg == WM_HSCROLL ? SB_HORZ : SB_VERT, LOWORD(Message.WParam));
    case WM_MOUSEWHEEL:
      return ScrollTo(cols_.First,
                      rows_.First - static_cast<short>(HIWORD(Message.WParam)) / WHEEL_DELTA * 3);
    case WM_SIZE:
      TCustomControl::WndProc(Message);
      return LayoutChanged();
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      TCustomControl::WndProc(Message);
      return Invalidate();
    case WM_ERASEBKGND:
      // Nothing is erased: the grid paints its whole client area over it at once.
      PaintHandler(reinterpret_cast<HDC>(Message.WParam));
      Message.Result = 1;
      return;
  }
  TCustomControl::WndProc(Message);
}

void TCustomDrawGrid::KeyDown(WORD& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  const bool ctrl = (Shift & ssCtrl) != 0;
  const bool extend = (Shift & ssShift) != 0;
  int col = col_, row = row_;
  switch (Key) {
    case VK_UP: --row; break;
    case VK_DOWN: ++row; break;
    case VK_LEFT: --col; break;
    case VK_RIGHT: ++col; break;
    case VK_PRIOR: row -= VisibleRowCount(); break;
    case VK_NEXT: row += VisibleRowCount(); break;
    case VK_HOME:
      col = FixedCols();
      if (ctrl) row = FixedRows();
      break;
    case VK_END:
      col = ColCount() - 1;
      if (ctrl) row = RowCount() - 1;
      break;
    default: return;
  }
  MoveCurrent(col, row, extend);
  Key = 0;
}

void TCustomDrawGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft && CanFocus() && !Focused()) SetFocus();
  int col, row;
  if (Button == mbLeft && MouseToCell(X, Y, col, row) && col >= FixedCols() && row >= FixedRows())
    MoveCurrent(col, row, (Shift & ssShift) != 0);
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TCustomDrawGrid::MouseMove(TShiftState Shift, int X, int Y) {
  int col, row;
  if ((Shift & ssLeft) && MouseCapture() && (options_ & goRangeSelect) &&
      MouseToCell(X, Y, col, row) && col >= FixedCols() && row >= FixedRows() &&
      (col != col_ || row != row_))
    MoveCurrent(col, row, true);
  TCustomControl::MouseMove(Shift, X, Y);
}

}  // namespace ui
