#include <algorithm>
#include <memory>

#include "TMap.h"
#include "TMapTools.h"
#include "TVectorTools.h"
#include "cellloops.h"

namespace {
const char* const kStartMapRange = "Start map number is out of range in TMapTools::GetValuesVector";
const char* const kEndMapRange = "End map number is out of range in TMapTools::GetValuesVector";
const char* const kStartNotBeforeEnd = "Stat map number must be less than end map number";
const char* const kNeighbourX = "X-ordinate is out of range in TMapTools::FindNonzeroNeighbourVal";
const char* const kNeighbourY = "Y-ordinate is out of range in TMapTools::FindNonzeroNeighbourVal";
const char* const kWindowTooLarge = "Window size must be < number of maps in TMapTools::ValueGradients";
const char* const kWindowNegative = "Window size is negative in TMapTools::ValueGradients";
const char* const kDimensionsDiffer = "Map dimensions do not match in TMapTools::ValueGradients";

// The map numbers i, i + 1, ... of a window are read with this step.
const double kMapNumberStep = 1.0;

bool IsZero(double value) { return value == 0.0; }

// Replaces `series` with the values of cell (x, y) in maps first..last; the checks
// and messages of GetValuesVector, which ValueGradients shares without building a
// vector per cell.
void ReadSeries(const std::vector<TMap*>& stack, long x, long y, int first, int last, std::vector<double>& series) {
  const long count = static_cast<long>(stack.size());
  if (first < 0 || first >= count) throw kStartMapRange;
  if (last < 0 || last >= count) throw kEndMapRange;
  if (first >= last) throw kStartNotBeforeEnd;
  series.clear();
  for (int m = first; m <= last; ++m) series.push_back(stack[m]->GetPointVal(x, y));
}
}  // namespace

std::vector<double> TMapTools::GetValuesVector(std::vector<TMap*> stack, long x, long y, int first, int last) {
  std::vector<double> series;
  ReadSeries(stack, x, y, first, last, series);
  return series;
}

double TMapTools::FindNonzeroNeighbourVal(TMap* map, long x, long y) {
  if (x < 0 || x >= map->GetXDim()) throw kNeighbourX;
  if (y < 0 || y >= map->GetYDim()) throw kNeighbourY;
  const long lastColumn = std::min(x + 1, map->GetXDim() - 1);
  const long lastRow = std::min(y + 1, map->GetYDim() - 1);
  // Each column answers with its northernmost nonzero cell, and a later column
  // overrides an earlier one.
  double result = 0.0;
  for (long column = std::max(x - 1, 0L); column <= lastColumn; ++column)
    for (long row = std::max(y - 1, 0L); row <= lastRow; ++row) {
      const double value = map->MbrVecValues[row][column];
      if (!IsZero(value)) {
        result = value;
        break;
      }
    }
  return result;
}

std::vector<TMap*> TMapTools::ValueGradients(std::vector<TMap*> stack, int window) {
  const long count = static_cast<long>(stack.size());
  if (window >= count) throw kWindowTooLarge;
  if (window < 0) throw kWindowNegative;
  const long columns = stack[0]->GetXDim();
  const long rows = stack[0]->GetYDim();
  for (const TMap* map : stack)
    if (map->GetXDim() != columns || map->GetYDim() != rows) throw kDimensionsDiffer;

  std::vector<std::unique_ptr<TMap>> trends;
  std::vector<double> series, fitPositions, fitValues;
  for (int i = 0; i + window < count; ++i) {
    const std::vector<double> positions = TVectorTools::VectorSeries(i, i + window, kMapNumberStep);
    auto trend = std::make_unique<TMap>(stack[0]->GetXAxis(), stack[0]->GetYAxis());
    // Every cell is computed from its own values alone, and a window of 0 fails
    // alike at any cell that is not zero, so the rows run outermost to follow the
    // storage.
    cellloops::ForEachCellRowsOuter(columns, rows, [&](long x, long y) {
      if (IsZero(stack[i]->MbrVecValues[y][x])) return;
      ReadSeries(stack, x, y, i, i + window, series);
      fitPositions.clear();
      fitValues.clear();
      for (int l = 0; l <= window; ++l) {
        double value = series[l];
        if (IsZero(value)) value = FindNonzeroNeighbourVal(stack[i + l], x, y);
        if (value == stack[i + l]->GetNoData()) continue;
        fitPositions.push_back(positions[l]);
        fitValues.push_back(value);
      }
      trend->SetPoint(x, y, TVectorTools::Gradient(fitPositions, fitValues));
    });
    trends.push_back(std::move(trend));
  }

  std::vector<TMap*> result;
  result.reserve(trends.size());
  for (auto& trend : trends) result.push_back(trend.release());
  return result;
}
