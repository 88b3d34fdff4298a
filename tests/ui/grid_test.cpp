// The painted grid on the test display: keys, clicks, drags and the scroll bar move the current
// cell, the selection and the scroll position as a user expects.
#include <gtest/gtest.h>

#include <memory>

#include "StringGrid.h"
#include "WindowTestKit.h"

using testkit::At;
using testkit::Pump;

namespace {

struct GridWindow {
  std::unique_ptr<ui::TForm> form = std::make_unique<ui::TForm>(nullptr);
  ui::TStringGrid* grid = new ui::TStringGrid(form.get());
  int topLeftChanges = 0;

  GridWindow() {
    form->SetBorderStyle(ui::bsNone);
    form->SetBounds(40, 40, 400, 300);
    grid->SetBounds(10, 10, 300, 200);
    grid->SetColCount(8);
    grid->SetRowCount(200);
    grid->SetParent(form.get());
    grid->OnTopLeftChanged = [this](ui::TComponent*) { ++topLeftChanges; };
    form->Show();
    grid->SetFocus();
    Pump();
  }

  // A key pressed on the grid, with Shift and Ctrl held as told.
  void Key(WORD key, bool shift = false, bool ctrl = false) {
    BYTE state[256];
    GetKeyboardState(state);
    state[VK_SHIFT] = shift ? 0x80 : 0;
    state[VK_CONTROL] = ctrl ? 0x80 : 0;
    SetKeyboardState(state);
    PostMessageA(grid->Handle(), WM_KEYDOWN, key, 1);
    PostMessageA(grid->Handle(), WM_KEYUP, key, 0xC0000001);
    Pump();
    state[VK_SHIFT] = state[VK_CONTROL] = 0;
    SetKeyboardState(state);
  }

  POINT Centre(int col, int row) const {
    const RECT r = grid->CellRect(col, row);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }

  void Click(int col, int row) {
    const POINT p = Centre(col, row);
    PostMessageA(grid->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(p.x, p.y));
    PostMessageA(grid->Handle(), WM_LBUTTONUP, 0, At(p.x, p.y));
    Pump();
  }
};

TEST(GridKeys, ArrowsPagesHomeAndEndMoveTheCurrentCellAndScrollItIntoView) {
  GridWindow w;
  EXPECT_EQ(w.grid->Col(), 1);
  EXPECT_EQ(w.grid->Row(), 1);
  w.Key(VK_UP);
  w.Key(VK_LEFT);
  EXPECT_EQ(w.grid->Row(), 1) << "the fixed row cannot become current";
  EXPECT_EQ(w.grid->Col(), 1);
  w.Key(VK_DOWN);
  w.Key(VK_RIGHT);
  EXPECT_EQ(w.grid->Row(), 2);
  EXPECT_EQ(w.grid->Col(), 2);
  const int page = w.grid->VisibleRowCount();
  ASSERT_GT(page, 2);
  w.Key(VK_NEXT);
  EXPECT_EQ(w.grid->Row(), 2 + page);
  EXPECT_EQ(w.grid->TopRow(), 3);  // scrolled just so far that the row shows whole
  w.Key(VK_END, false, true);
  EXPECT_EQ(w.grid->Col(), 7);
  EXPECT_EQ(w.grid->Row(), 199);
  EXPECT_EQ(w.grid->TopRow(), 200 - w.grid->VisibleRowCount());
  EXPECT_GT(w.topLeftChanges, 0);
  w.Key(VK_HOME, false, true);
  EXPECT_EQ(w.grid->Col(), 1);
  EXPECT_EQ(w.grid->Row(), 1);
  EXPECT_EQ(w.grid->TopRow(), 1);
  EXPECT_EQ(w.grid->LeftCol(), 1);
}

TEST(GridKeys, ShiftExtendsTheSelectionFromWhereItStarted) {
  GridWindow w;
  w.Key(VK_RIGHT, true);
  w.Key(VK_DOWN, true);
  w.Key(VK_DOWN, true);
  EXPECT_EQ(w.grid->Selection(), (ui::TGridRect{1, 1, 2, 3}));
  w.Key(VK_DOWN);
  EXPECT_EQ(w.grid->Selection(), (ui::TGridRect{2, 4, 2, 4}));
  w.grid->SetOptions(w.grid->Options() | ui::goRowSelect);
  EXPECT_EQ(w.grid->Selection(), (ui::TGridRect{1, 4, 7, 4}));
}

TEST(GridMouse, AClickMakesACellCurrentAndADragSelectsARange) {
  GridWindow w;
  w.Click(3, 2);
  EXPECT_EQ(w.grid->Col(), 3);
  EXPECT_EQ(w.grid->Row(), 2);
  w.Click(0, 4);  // a fixed cell
  EXPECT_EQ(w.grid->Row(), 2);
  w.grid->OnSelectCell = [](ui::TComponent*, int col, int, bool& can) { can = col != 4; };
  w.Click(4, 3);
  EXPECT_EQ(w.grid->Col(), 3) << "a cell refused by OnSelectCell does not become current";
  w.Click(2, 3);
  EXPECT_EQ(w.grid->Col(), 2);

  const POINT from = w.Centre(1, 1), to = w.Centre(3, 4);
  PostMessageA(w.grid->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(from.x, from.y));
  PostMessageA(w.grid->Handle(), WM_MOUSEMOVE, MK_LBUTTON, At(to.x, to.y));
  PostMessageA(w.grid->Handle(), WM_LBUTTONUP, 0, At(to.x, to.y));
  Pump();
  EXPECT_EQ(w.grid->Selection(), (ui::TGridRect{1, 1, 3, 4}));
}

TEST(GridScrolling, TheScrollBarPagesAndFollowsTheTopRow) {
  GridWindow w;
  const int page = w.grid->VisibleRowCount();
  SendMessageA(w.grid->Handle(), WM_VSCROLL, SB_PAGEDOWN, 0);
  EXPECT_EQ(w.grid->TopRow(), 1 + page);
  EXPECT_EQ(GetScrollPos(w.grid->Handle(), SB_VERT), 1 + page);
  SendMessageA(w.grid->Handle(), WM_VSCROLL, SB_BOTTOM, 0);
  EXPECT_EQ(w.grid->TopRow(), 200 - page);
  SendMessageA(w.grid->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
  EXPECT_EQ(w.grid->TopRow(), 197 - page);
  EXPECT_EQ(w.grid->Row(), 1) << "scrolling leaves the current cell where it was";
  // Shrinking the grid until everything fits takes the scroll position back.
  w.grid->SetRowCount(3);
  EXPECT_EQ(w.grid->TopRow(), 1);
  EXPECT_EQ(w.grid->Row(), 1);
}

TEST(GridLayout, SizesLinesAndFixedCountsPlaceTheCellsAndKeepTheCurrentOneInside) {
  GridWindow w;
  w.grid->SetDefaultColWidth(30);
  w.grid->SetDefaultRowHeight(20);
  w.grid->SetGridLineWidth(2);
  w.grid->SetColWidths(1, 50);
  w.grid->SetRowHeights(1, 12);
  EXPECT_EQ(w.grid->ColWidths(2), 30) << "the default width reaches every column";
  EXPECT_EQ(w.grid->GridLineWidth(), 2);
  const RECT corner = w.grid->CellRect(0, 0), wide = w.grid->CellRect(1, 1), after = w.grid->CellRect(2, 2);
  EXPECT_EQ(corner.right, 30);
  EXPECT_EQ(corner.bottom, 20);
  EXPECT_EQ(wide.left, 32);
  EXPECT_EQ(wide.right, 82);
  EXPECT_EQ(wide.top, 22);
  EXPECT_EQ(wide.bottom, 34);
  EXPECT_EQ(after.left, 84);
  EXPECT_EQ(after.top, 36);

  // More fixed columns and rows push the current cell out of them; a count that would leave
  // no scrolled column is refused.
  w.grid->SetFixedCols(3);
  w.grid->SetFixedRows(2);
  EXPECT_EQ(w.grid->Col(), 3);
  EXPECT_EQ(w.grid->Row(), 2);
  EXPECT_EQ(w.grid->LeftCol(), 3);
  EXPECT_EQ(w.grid->CellRect(3, 2).left, 116);
  w.grid->SetFixedCols(8);
  EXPECT_EQ(w.grid->FixedCols(), 3);
  w.grid->SetFixedRows(0);
  EXPECT_EQ(w.grid->CellRect(3, w.grid->TopRow()).top, 0) << "without fixed rows the scrolled rows start at the top";
}

}  // namespace
