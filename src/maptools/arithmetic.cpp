#include <cmath>
#include <memory>
#include <vector>

#include "TMap.h"
#include "TMapTools.h"
#include "cellloops.h"

using cellloops::TCellOrder;

namespace {
const char* const kDivideResolution =
    "Divisor must be of equal of coarser resolution than the dividend in TMapTools::Divide";
const char* const kSubtractX = "X dimensions do not match in TMapTools::Subtract";
const char* const kSubtractY = "Y dimensions do not match in TMapTools::Subtract";
const char* const kSumTooFew = "Must have more than 2 maps to sum in TMapTools::Sum";
const char* const kSumX = "X-dimension of maps are inconsistent in TMapTools::Sum";
const char* const kSumY = "Y-dimension of maps are inconsistent in TMapTools::Sum";
const char* const kCountsEmpty = "Map stack is empty in TMapTools::DataCounts";
const char* const kCountsX = "X-dimension of maps are inconsistent in TMapTools::DataCounts";
const char* const kCountsY = "Y-dimension of maps are inconsistent in TMapTools::DataCounts";

const std::size_t kFewestToSum = 2;
const double kRoundUpFrom = 0.5;

// Which of two maps matched by coordinates gives the result its grid.
enum class TBaseRule {
  FinerOrFirst,  // the second map if its cells are strictly smaller, else the first
  First,
};

// A new map on the base map's grid: its resolution and dimensions, copies of its
// centre axes, and its no-data value, in every cell too.
std::unique_ptr<TMap> BaseGrid(const TMap* base) {
  auto result = std::make_unique<TMap>(base->GetResolution(), base->GetXDim(), base->GetYDim());
  result->SetNoData(base->GetNoData());
  result->InitValues(base->GetNoData());
  result->SetXAxis(base->GetXAxis());  // the setters copy the axes
  result->SetYAxis(base->GetYAxis());
  return result;
}

// The two-map family. Each base cell (rows outer) is combined with the other
// map's cell that holds its centre: combine(base value, other value) where both
// hold data for their own map, else the base's no-data value. The other map's
// cell is looked up for every base cell, no data or not, so a centre outside the
// other map fails at the first such cell with TMap::GetPointVal's message.
template <typename Combine>
TMap* CombineByCoordinates(TMap* first, TMap* second, TBaseRule rule, Combine combine) {
  const bool secondIsBase = rule == TBaseRule::FinerOrFirst && second->GetResolution() < first->GetResolution();
  const TMap* base = secondIsBase ? second : first;
  const TMap* other = secondIsBase ? first : second;

  std::unique_ptr<TMap> result = BaseGrid(base);
  const cellloops::TCellMatch match(other, cellloops::ColumnCentres(base), cellloops::RowCentres(base),
                                    cellloops::kGetPointValColumn, cellloops::kGetPointValRow);
  const double baseNoData = base->GetNoData();
  const double otherNoData = other->GetNoData();
  cellloops::ForEachCellRowsOuter(base->GetXDim(), base->GetYDim(), [&](long column, long row) {
    const double v = base->MbrVecValues[row][column];
    const double w = match.Value(column, row);
    result->MbrVecValues[row][column] = v != baseNoData && w != otherNoData ? combine(v, w) : baseNoData;
  });
  return result.release();
}

// Every map after the first must have the first map's dimensions; the first
// map that differs reports its X dimension before its Y dimension.
void CheckSameShape(const std::vector<TMap*>& maps, const char* xMessage, const char* yMessage) {
  for (std::size_t m = 1; m < maps.size(); ++m) {
    if (maps[m]->GetXDim() != maps[0]->GetXDim()) throw xMessage;
    if (maps[m]->GetYDim() != maps[0]->GetYDim()) throw yMessage;
  }
}
}  // namespace

TMap* TMapTools::Add(TMap* first, TMap* second) {
  return CombineByCoordinates(first, second, TBaseRule::FinerOrFirst, [](double v, double w) { return v + w; });
}

TMap* TMapTools::Multiply(TMap* first, TMap* second) {
  return CombineByCoordinates(first, second, TBaseRule::FinerOrFirst, [](double v, double w) { return v * w; });
}

TMap* TMapTools::Divide(TMap* dividend, TMap* divisor) {
  if (dividend->GetResolution() > divisor->GetResolution()) throw kDivideResolution;
  return CombineByCoordinates(dividend, divisor, TBaseRule::First, [](double v, double w) { return v / w; });
}

TMap* TMapTools::Subtract(TMap* minuend, TMap* subtrahend) {
  if (minuend->GetXDim() != subtrahend->GetXDim()) throw kSubtractX;
  if (minuend->GetYDim() != subtrahend->GetYDim()) throw kSubtractY;
  std::unique_ptr<TMap> result = cellloops::GridCopy(minuend);
  const double noData = minuend->GetNoData();
  const double otherNoData = subtrahend->GetNoData();
  result->SetNoData(noData);
  cellloops::ForEachCellRowsOuter(result->GetXDim(), result->GetYDim(), [&](long column, long row) {
    const double a = minuend->MbrVecValues[row][column];
    const double b = subtrahend->MbrVecValues[row][column];
    result->MbrVecValues[row][column] = a != noData && b != otherNoData ? a - b : noData;
  });
  return result.release();
}

TMap* TMapTools::Multiply(TMap* map, double factor) {
  std::unique_ptr<TMap> result = cellloops::GridCopy(map);
  // The cells left alone are those equal to the new map's own no-data value,
  // not the input's.
  const double noData = result->GetNoData();
  cellloops::RecodeCells(result.get(), map, TCellOrder::RowsOuter,
                         [noData, factor](double v) { return v == noData ? noData : factor * v; });
  return result.release();
}

TMap* TMapTools::Divide(TMap* map, double divisor) {
  std::unique_ptr<TMap> result = cellloops::GridCopy(map);
  const double noData = map->GetNoData();
  cellloops::RecodeCells(result.get(), map, TCellOrder::RowsOuter,
                         [noData, divisor](double v) { return v == noData ? noData : v / divisor; });
  return result.release();
}

TMap* TMapTools::Sum(std::vector<TMap*> maps) {
  if (maps.size() < kFewestToSum) throw kSumTooFew;
  CheckSameShape(maps, kSumX, kSumY);
  std::unique_ptr<TMap> result = cellloops::GridCopy(maps[0]);
  cellloops::ForEachCellRowsOuter(result->GetXDim(), result->GetYDim(), [&](long column, long row) {
    // The sum stands only where every map holds data; elsewhere the cell takes
    // the no-data value of the first map, in stack order, that lacks it.
    double sum = 0;
    for (std::size_t m = 0; m < maps.size(); ++m) {
      const double v = maps[m]->MbrVecValues[row][column];
      const double noData = maps[m]->GetNoData();
      if (v == noData) {
        result->MbrVecValues[row][column] = noData;
        return;
      }
      sum = m == 0 ? v : sum + v;
    }
    result->MbrVecValues[row][column] = sum;
  });
  return result.release();
}

TMap* TMapTools::DataCounts(std::vector<TMap*> maps) {
  if (maps.empty()) throw kCountsEmpty;
  CheckSameShape(maps, kCountsX, kCountsY);
  std::unique_ptr<TMap> result = cellloops::GridCopy(maps[0]);
  cellloops::ForEachCellRowsOuter(result->GetXDim(), result->GetYDim(), [&](long column, long row) {
    long count = 0;
    for (const TMap* map : maps) count += map->MbrVecValues[row][column] != map->GetNoData();
    result->MbrVecValues[row][column] = static_cast<double>(count);
  });
  return result.release();
}

TMap* TMapTools::Average(std::vector<TMap*> maps) {
  std::unique_ptr<TMap> sums(Sum(maps));
  std::unique_ptr<TMap> counts(DataCounts(maps));
  return Divide(sums.get(), counts.get());
}

std::vector<TMap*> TMapTools::MovingAverage(std::vector<TMap*> maps, int window) {
  std::vector<std::unique_ptr<TMap>> averages;
  const long size = static_cast<long>(maps.size());
  for (long first = 0; first <= size - window; ++first) {
    std::vector<TMap*> run;
    for (long m = first; m < first + window; ++m) run.push_back(maps[m]);
    averages.emplace_back(Average(run));
  }
  std::vector<TMap*> result;
  result.reserve(averages.size());
  for (auto& average : averages) result.push_back(average.release());
  return result;
}

TMap* TMapTools::RoundContents(TMap* map) {
  std::unique_ptr<TMap> result = cellloops::GridCopy(map);
  cellloops::RecodeCells(result.get(), map, TCellOrder::RowsOuter, [](double v) {
    // The integer part by truncation toward zero, as a 32-bit conversion gives it
    // where one is defined (with +0 for a zero), and for any magnitude. NaN and
    // infinities pass through: v - r is NaN for them, never >= 0.5.
    double r = std::trunc(v);
    if (r == 0) r = 0;
    if (v - r >= kRoundUpFrom) r += 1;
    return r;
  });
  return result.release();
}
