#pragma once

// Cell machinery shared by the map tools: the two visiting orders, and the
// matching of positions to the cells of another map by coordinates.

#include <memory>
#include <vector>

#include "TMap.h"

class TAxis;

namespace cellloops {

// The visiting order shows only where the work can fail: it decides which cell
// fails first. Where the work cannot fail and writes each cell once from inputs
// that do not change, every order gives the same map; the tools then visit rows
// outer, the order in which the cells are stored, since going down a column
// touches a new row's memory at every cell.

// Visits every (column, row) of a columns x rows grid: all columns of row 0,
// then of row 1, and so on.
template <typename Work>
void ForEachCellRowsOuter(long columns, long rows, Work&& work) {
  for (long row = 0; row < rows; ++row)
    for (long column = 0; column < columns; ++column) work(column, row);
}

// Visits every (column, row) of a columns x rows grid: all rows of column 0,
// then of column 1, and so on.
template <typename Work>
void ForEachCellColumnsOuter(long columns, long rows, Work&& work) {
  for (long column = 0; column < columns; ++column)
    for (long row = 0; row < rows; ++row) work(column, row);
}

enum class TCellOrder { RowsOuter, ColumnsOuter };

template <typename Work>
void ForEachCell(TCellOrder order, long columns, long rows, Work&& work) {
  if (order == TCellOrder::RowsOuter)
    ForEachCellRowsOuter(columns, rows, work);
  else
    ForEachCellColumnsOuter(columns, rows, work);
}

// A new map on a copy of the map's grid, built from its centre axes: its
// dimensions, the resolution of its X centre axis, every cell and the no-data
// value -9999. Throws "Axes resolutions do not match in TMap::TMap" when the two
// centre axes differ in resolution.
inline std::unique_ptr<TMap> GridCopy(const TMap* map) {
  return std::make_unique<TMap>(map->GetXAxis(), map->GetYAxis());
}

// Sets every cell (column, row) of `result` to recode(value of `values` at
// (column, row)), visiting the cells in `order`. `values` must have at least
// `result`'s dimensions.
template <typename Recode>
void RecodeCells(TMap* result, const TMap* values, TCellOrder order, Recode&& recode) {
  ForEachCell(order, result->GetXDim(), result->GetYDim(), [&](long column, long row) {
    result->MbrVecValues[row][column] = recode(values->MbrVecValues[row][column]);
  });
}

// The range messages of TMap's look-ups by point, for loops that reproduce them
// through a TCellMatch.
const char* const kGetPointValColumn = "LngX is out of range in TMap::GetPointVal";
const char* const kGetPointValRow = "LngY is out of range in TMap::GetPointVal";
const char* const kGetPointColumn = "LngX is out of range in TMap::GetPoint (TPoint*)";
const char* const kGetPointRow = "LngY is out of range in TMap::GetPoint (TPoint*)";

// Where each of a list of ordinates falls on an interval (edge) axis of a map,
// found once with TAxis::GetIndex. For ordinate k either Index[k] is the cell
// (column or row) that holds it, or the look-up failed: LookupFailure[k] is what
// GetIndex threw (the ordinate lies outside the axis), or RangeFailure[k] is the
// caller's message for an index outside 0 .. cells - 1.
struct TOrdinateMatch {
  std::vector<long> Index;
  std::vector<const char*> LookupFailure;
  std::vector<const char*> RangeFailure;

  bool Fails(long k) const { return LookupFailure[k] != nullptr || RangeFailure[k] != nullptr; }
};

// Costs ordinates x axis length (each GetIndex scans the axis).
TOrdinateMatch MatchOrdinates(const std::vector<double>& ordinates, const TAxis* edges, char selector, long cells,
                              const char* outOfRange);

// The X ordinates of a map's column centres and the Y ordinates of its row
// centres, as TMap::GetCoordinates gives them.
std::vector<double> ColumnCentres(const TMap* map);
std::vector<double> RowCentres(const TMap* map);

// The cells of map `other` that hold the positions (xs[j], ys[i]) of a grid of
// positions, with the outcome of TMap::GetPointVal(TPoint*) (or GetPoint) at each
// position. Looked up cell by cell, a position goes through four steps, and the
// first one to fail throws:
//   1. GetIndex of x on other's X interval axis  ("Ordinate is out of range in TAxis::GetIndex")
//   2. GetIndex of y on other's Y interval axis  (the same)
//   3. column outside other                       (columnOutOfRange)
//   4. row outside other                          (rowOutOfRange)
// Steps 1 and 3 depend on the column only and steps 2 and 4 on the row only, and
// the axes do not change during an operation, so each column and each row is
// matched once, at a cost of (columns + rows) x axis length, and Check(j, i)
// throws exactly what the cell-by-cell look-up of position (j, i) would throw.
// A loop that calls Check for each position in its own order therefore fails at
// the same cell with the same message as the cell-by-cell rule.
class TCellMatch {
 public:
  TCellMatch(const TMap* other, const std::vector<double>& xs, const std::vector<double>& ys,
             const char* columnOutOfRange, const char* rowOutOfRange);

  // Throws what the look-up of position (j, i) throws first; returns if it succeeds.
  void Check(long j, long i) const {
    if (MbrVecColumnFails[j] || MbrVecRowFails[i]) ThrowFirstFailure(j, i);
  }
  // The column and row of `other` for position column j / row i; valid once
  // Check(j, i) has passed.
  long Column(long j) const { return MbrColumns.Index[j]; }
  long Row(long i) const { return MbrRows.Index[i]; }
  // The value of other's cell that holds position (j, i), after Check.
  double Value(long j, long i) const {
    Check(j, i);
    return MbrPtrOther->MbrVecValues[MbrRows.Index[i]][MbrColumns.Index[j]];
  }

 private:
  [[noreturn]] void ThrowFirstFailure(long j, long i) const;

  const TMap* MbrPtrOther;
  TOrdinateMatch MbrColumns;
  TOrdinateMatch MbrRows;
  std::vector<char> MbrVecColumnFails;
  std::vector<char> MbrVecRowFails;
};

}  // namespace cellloops
