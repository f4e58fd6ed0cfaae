#include <cmath>
#include <memory>

#include "TMap.h"
#include "TMapTools.h"
#include "TPoint.h"
#include "TVectorTools.h"
#include "cellloops.h"

namespace {
const char* const kFewerTables = "Fewer location tables than maps in TMapTools::FetchMapValues";
const char* const kXDimensionsDiffer = "Map X-dimensions do not match";
const char* const kYDimensionsDiffer = "Map Y-Dimensions do not match";

// Deletes the points of the tables under construction unless dismissed, so a
// failure part way leaves no point behind.
class TLocationsGuard {
 public:
  explicit TLocationsGuard(std::vector<ValueLocationTable>& tables) : MbrTables(tables) {}
  ~TLocationsGuard() {
    if (MbrArmed)
      for (auto& table : MbrTables)
        for (auto& entry : table) delete entry.second;
  }
  TLocationsGuard(const TLocationsGuard&) = delete;
  TLocationsGuard& operator=(const TLocationsGuard&) = delete;
  void Dismiss() { MbrArmed = false; }

 private:
  std::vector<ValueLocationTable>& MbrTables;
  bool MbrArmed = true;
};

// Enters into `table` the first cell of each value of the map, as GetFirstValues
// describes; the table owns the points it receives.
void AddFirstValues(const TMap* map, const std::vector<double>& excluded, ValueLocationTable& table) {
  double previous = map->GetNoData();
  cellloops::ForEachCellColumnsOuter(map->GetXDim(), map->GetYDim(), [&](long x, long y) {
    const double value = map->MbrVecValues[y][x];
    if (value == previous) return;
    previous = value;
    if (std::isnan(value) || TVectorTools::HasValue(excluded, value) || table.count(value) != 0) return;
    std::unique_ptr<TMapPoint> point(map->GetPoint(x, y));
    table.emplace(value, point.get());
    point.release();
  });
}
}  // namespace

ValueLocationTable TMapTools::GetFirstValues(TMap* map, std::vector<double> excluded) {
  std::vector<ValueLocationTable> tables(1);
  TLocationsGuard guard(tables);
  AddFirstValues(map, excluded, tables.front());
  guard.Dismiss();
  return std::move(tables.front());
}

std::vector<ValueLocationTable> TMapTools::GetFirstValues(std::vector<TMap*> stack, std::vector<double> excluded) {
  std::vector<ValueLocationTable> tables;
  TLocationsGuard guard(tables);
  tables.reserve(stack.size());
  for (const TMap* map : stack) {
    tables.emplace_back();
    AddFirstValues(map, excluded, tables.back());
  }
  guard.Dismiss();
  return tables;
}

FetchedValueTable TMapTools::FetchMapValues(TMap* map, std::map<double, TMapPoint*> locations) {
  FetchedValueTable values;
  for (const auto& entry : locations) values.emplace_hint(values.end(), entry.first, map->GetPointVal(entry.second));
  return values;
}

std::vector<FetchedValueTable> TMapTools::FetchMapValues(std::vector<TMap*> stack,
                                                         std::vector<std::map<double, TMapPoint*>> locations) {
  if (locations.size() < stack.size()) throw kFewerTables;
  std::vector<FetchedValueTable> tables;
  tables.reserve(stack.size());
  for (std::size_t i = 0; i < stack.size(); ++i) tables.push_back(FetchMapValues(stack[i], locations[i]));
  return tables;
}

OverlayValueTable TMapTools::GetValuesOverlay(TMap* values, TMap* zones, std::vector<double> excluded) {
  if (values->GetXDim() != zones->GetXDim()) throw kXDimensionsDiffer;
  if (values->GetYDim() != zones->GetYDim()) throw kYDimensionsDiffer;
  OverlayValueTable table;
  cellloops::ForEachCellColumnsOuter(zones->GetXDim(), zones->GetYDim(), [&](long x, long y) {
    const double zone = zones->MbrVecValues[y][x];
    if (std::isnan(zone) || TVectorTools::HasValue(excluded, zone)) return;
    table[zone].push_back(values->MbrVecValues[y][x]);
  });
  return table;
}
