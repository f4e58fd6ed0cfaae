#include <cmath>

#include "TMap.h"
#include "TMapTools.h"
#include "TValueCensus.h"

ValueCountTable TMapTools::CountValues(TMap* map) {
  TValueCensus census;
  const long rows = map->GetYDim();
  const long columns = map->GetXDim();
  census.ExpectCells(static_cast<long long>(rows) * columns);
  for (long row = 0; row < rows; ++row) {
    const double* cells = map->MbrVecValues[row].data();
    for (long column = 0; column < columns; ++column) census.Add(cells[column], column, row);
  }
  ValueCountTable table;
  census.ForEachAscending([&table](double value, long count) { table.emplace_hint(table.end(), value, count); });
  return table;
}

long TMapTools::CountValues(TMap* map, double value) {
  long count = 0;
  for (const auto& row : map->MbrVecValues)
    for (double cell : row) count += cell == value;
  return count;
}
