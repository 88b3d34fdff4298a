// Where a grid's cells lie and how far it may scroll, along one axis, without a window.
#include <gtest/gtest.h>

#include "GridAxis.h"

namespace {

using ui::TGridAxis;

// Ten cells of 20 pixels with a 1-pixel line, one fixed, in 100 pixels.
TGridAxis TenCells() {
  TGridAxis axis;
  axis.Sizes.assign(10, 20);
  axis.FixedCount = 1;
  axis.LineWidth = 1;
  axis.First = 1;
  axis.Extent = 100;
  return axis;
}

TEST(GridAxis, CellsLieAfterTheFixedOnesFromTheFirstScrolledOne) {
  TGridAxis axis = TenCells();
  axis.First = 4;
  auto cells = ui::AxisVisibleCells(axis);
  ASSERT_EQ(cells.size(), 5u);  // 0, 4, 5, 6 whole and 7 cut off at 100
  EXPECT_EQ(cells[0].Index, 0);
  EXPECT_EQ(cells[1].Index, 4);
  EXPECT_EQ(cells[1].Start, 21);
  EXPECT_EQ(cells[4].Index, 7);
  EXPECT_EQ(cells[4].Start, 84);
  EXPECT_EQ(ui::AxisCellStart(axis, 2), -1);  // scrolled out
  EXPECT_EQ(ui::AxisCellStart(axis, 8), -1);  // past the extent
  EXPECT_EQ(ui::AxisCellStart(axis, 5), 42);
}

TEST(GridAxis, APointOnACellsLineBelongsToThatCell) {
  TGridAxis axis = TenCells();
  EXPECT_EQ(ui::AxisCellAt(axis, 0), 0);
  EXPECT_EQ(ui::AxisCellAt(axis, 20), 0);  // the line after cell 0
  EXPECT_EQ(ui::AxisCellAt(axis, 21), 1);
  EXPECT_EQ(ui::AxisCellAt(axis, 99), 4);
  EXPECT_EQ(ui::AxisCellAt(axis, 100), -1);
  EXPECT_EQ(ui::AxisCellAt(axis, -1), -1);
  axis.Sizes.resize(3);
  EXPECT_EQ(ui::AxisCellAt(axis, 70), -1);  // past the last cell
}

TEST(GridAxis, ScrollingStopsWhenTheLastCellIsShownWhole) {
  TGridAxis axis = TenCells();
  // 79 pixels after the fixed cell: three cells of 21 fit whole, the fourth is cut.
  EXPECT_EQ(ui::AxisFullyVisibleCount(axis), 3);
  EXPECT_EQ(ui::AxisMaxFirst(axis), 7);
  EXPECT_EQ(ui::AxisClampFirst(axis, 50), 7);
  EXPECT_EQ(ui::AxisClampFirst(axis, 0), 1);
  // Everything fits: no scrolling at all.
  axis.Extent = 1000;
  EXPECT_EQ(ui::AxisMaxFirst(axis), 1);
  // A cell wider than the view still scrolls to every cell.
  axis.Extent = 30;
  EXPECT_EQ(ui::AxisFullyVisibleCount(axis), 1);
  EXPECT_EQ(ui::AxisMaxFirst(axis), 9);
}

TEST(GridAxis, BringingACellIntoViewScrollsAsLittleAsPossible) {
  TGridAxis axis = TenCells();
  axis.First = 3;
  EXPECT_EQ(ui::AxisFirstToShow(axis, 4), 3);  // already shown whole
  EXPECT_EQ(ui::AxisFirstToShow(axis, 2), 2);  // above: it becomes the first
  EXPECT_EQ(ui::AxisFirstToShow(axis, 9), 7);  // below: it becomes the last shown whole
  EXPECT_EQ(ui::AxisFirstToShow(axis, 0), 3);  // fixed cells never scroll
  EXPECT_EQ(ui::AxisFirstToShow(axis, 10), 3);
}

TEST(GridAxis, AHundredThousandRowsScrollToTheEnd) {
  TGridAxis axis;
  axis.Sizes.assign(100000, 18);
  axis.FixedCount = 1;
  axis.LineWidth = 1;
  axis.First = 1;
  axis.Extent = 400;
  const int first = ui::AxisFirstToShow(axis, 99999);
  axis.First = first;
  EXPECT_EQ(first, ui::AxisMaxFirst(axis));
  EXPECT_EQ(ui::AxisVisibleCells(axis).back().Index, 99999);
}

}  // namespace
