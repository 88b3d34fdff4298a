#include "GridAxis.h"

#include <algorithm>

namespace ui {

namespace {

// Pixels taken by the fixed cells with their lines.
int FixedExtent(const TGridAxis& axis) {
  int total = 0;
  for (int i = 0; i < std::min(axis.FixedCount, axis.Count()); ++i)
    total += axis.Sizes[i] + axis.LineWidth;
  return total;
}

// Scrolled cells shown whole when the scrolled part starts at first.
int WholeCountFrom(const TGridAxis& axis, int first) {
  int room = axis.Extent - FixedExtent(axis);
  int count = 0;
  for (int i = first; i < axis.Count(); ++i) {
    room -= axis.Sizes[i] + axis.LineWidth;
    if (room < -axis.LineWidth) break;
    ++count;
  }
  return count;
}

}  // namespace

std::vector<TGridSpan> AxisVisibleCells(const TGridAxis& axis) {
  std::vector<TGridSpan> cells;
  int x = 0;
  auto add = [&](int i) {
    if (x >= axis.Extent) return false;
    cells.push_back({i, x});
    x += axis.Sizes[i] + axis.LineWidth;
    return true;
  };
  for (int i = 0; i < std::min(axis.FixedCount, axis.Count()); ++i)
    if (!add(i)) return cells;
  for (int i = std::max(axis.First, axis.FixedCount); i < axis.Count(); ++i)
    if (!add(i)) break;
  return cells;
}

int AxisCellStart(const TGridAxis& axis, int index) {
  for (const TGridSpan& cell : AxisVisibleCells(axis))
    if (cell.Index == index) return cell.Start;
  return -1;
}

int AxisCellAt(const TGridAxis& axis, int position) {
  if (position < 0 || position >= axis.Extent) return -1;
  for (const TGridSpan& cell : AxisVisibleCells(axis))
    if (position < cell.Start + axis.Sizes[cell.Index] + axis.LineWidth) return cell.Index;
  return -1;
}

int AxisFullyVisibleCount(const TGridAxis& axis) {
  const int first = std::max(axis.First, axis.FixedCount);
  if (first >= axis.Count()) return 0;
  return std::max(1, WholeCountFrom(axis, first));
}

int AxisMaxFirst(const TGridAxis& axis) {
  int first = std::max(axis.Count() - 1, axis.FixedCount);
  while (first > axis.FixedCount && WholeCountFrom(axis, first - 1) >= axis.Count() - first + 1)
    --first;
  return first;
}

int AxisClampFirst(const TGridAxis& axis, int first) {
  return std::clamp(first, axis.FixedCount, std::max(axis.FixedCount, AxisMaxFirst(axis)));
}

int AxisFirstToShow(const TGridAxis& axis, int index) {
  if (index < axis.FixedCount || index >= axis.Count()) return axis.First;
  if (index < axis.First) return index;
  if (index < axis.First + AxisFullyVisibleCount(axis)) return axis.First;
  // Scroll forward just so far that the cell is the last one shown whole.
  const int room = axis.Extent - FixedExtent(axis);
  int used = axis.Sizes[index];
  int first = index;
  while (first - 1 > axis.First && used + axis.LineWidth + axis.Sizes[first - 1] <= room)
    used += axis.LineWidth + axis.Sizes[--first];
  return first;
}

}  // namespace ui
