#include <cmath>
#include <map>
#include <memory>
#include <vector>

#include "TMap.h"
#include "TMapTools.h"
#include "cellloops.h"

using cellloops::TCellOrder;

namespace {
const char* const kMaskX = "X dimensions do not match in TMapTools::Mask";
const char* const kMaskY = "Y dimensions do not match in TMapTools::Mask";

const double kBelowThreshold = 0;

// A copy of the map's grid, each cell recoded from the same cell of the map.
template <typename Recode>
TMap* RecodeMap(const TMap* map, Recode recode) {
  std::unique_ptr<TMap> result = cellloops::GridCopy(map);
  cellloops::RecodeCells(result.get(), map, TCellOrder::RowsOuter, recode);
  return result.release();
}
}  // namespace

TMap* TMapTools::Threshold(TMap* map, double threshold) {
  return RecodeMap(map, [threshold](double v) { return v >= threshold ? v : kBelowThreshold; });
}

std::vector<TMap*> TMapTools::Threshold(std::vector<TMap*> maps, double threshold) {
  std::vector<std::unique_ptr<TMap>> results;
  results.reserve(maps.size());
  for (TMap* map : maps) results.emplace_back(Threshold(map, threshold));
  std::vector<TMap*> released;
  released.reserve(results.size());
  for (auto& result : results) released.push_back(result.release());
  return released;
}

TMap* TMapTools::ThresholdReplace(TMap* map, double threshold, double replacement) {
  return RecodeMap(map,
                   [threshold, replacement](double v) { return v < threshold || std::isnan(v) ? v : replacement; });
}

TMap* TMapTools::Mask(TMap* gridMap, TMap* valueMap, double toReplace, double replacement) {
  if (gridMap->GetXDim() != valueMap->GetXDim()) throw kMaskX;
  if (gridMap->GetYDim() != valueMap->GetYDim()) throw kMaskY;
  // The grid map gives only the grid; every value comes from the value map.
  std::unique_ptr<TMap> result = cellloops::GridCopy(gridMap);
  cellloops::RecodeCells(result.get(), valueMap, TCellOrder::RowsOuter,
                         [toReplace, replacement](double w) { return w == toReplace ? replacement : w; });
  return result.release();
}

TMap* TMapTools::ReplaceValue(TMap* map, std::map<double, double> table, double otherwise) {
  return RecodeMap(map, [&table, otherwise](double v) {
    // A NaN is never looked up: it would find whatever key the search ends at.
    // The key found must also equal the value, so that a NaN key the caller put in
    // the table matches nothing either.
    if (std::isnan(v)) return otherwise;
    const auto entry = table.find(v);
    return entry != table.end() && entry->first == v ? entry->second : otherwise;
  });
}
