// Times the map-algebra operations on square maps of a few sizes and prints a
// table. Usage: map_algebra_bench [millions of cells ...]   (default 1 4 16)

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "TAxis.h"
#include "TMap.h"
#include "TMapTools.h"
#include "TPoint.h"

namespace {
const int kStackSize = 10;
const double kNoData = -9999;
const long kNoDataEvery = 97;  // one cell in so many holds no data
const double kUpsampledCellSize = 0.5;
const long kReferenceLimit = 1000 * 1000;  // the cell-by-cell reference runs up to this many cells

using MapPtr = std::unique_ptr<TMap>;

// A side x side map of the given cell size from (0, 0), rows from the north,
// with a smooth surface and scattered no-data cells.
MapPtr MakeMap(long side, double cellSize, int seed) {
  auto map = std::make_unique<TMap>(cellSize, side, side);
  TAxis xEdges(cellSize), yEdges(cellSize);
  double x = 0, y = side * cellSize;
  for (long k = 0; k <= side; ++k, x += cellSize) xEdges.AddPoint(new TPoint(x, y));
  for (long k = 0; k <= side; ++k, y -= cellSize) yEdges.AddPoint(new TPoint(0, y));
  map->SetXAxisInterval(&xEdges);
  map->SetYAxisInterval(&yEdges);
  for (long row = 0; row < side; ++row)
    for (long column = 0; column < side; ++column) {
      const long n = row * side + column + seed;
      map->MbrVecValues[row][column] = n % kNoDataEvery == 0 ? kNoData : std::sin(0.001 * n) * 100 + seed;
    }
  return map;
}

double Seconds(const std::function<void()>& run) {
  const auto start = std::chrono::steady_clock::now();
  run();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Add as the cell-by-cell rule does it: each centre looked up in the other map
// through TMap::GetPointVal(TPoint*), each look-up scanning the axes.
void AddCellByCell(const TMap* a, const TMap* b) {
  TMap result(a->GetResolution(), a->GetXDim(), a->GetYDim());
  for (long i = 0; i < a->GetYDim(); ++i)
    for (long j = 0; j < a->GetXDim(); ++j) {
      std::unique_ptr<TPoint> centre(a->GetCoordinates(j, i));
      const double v = a->GetPointVal(j, i);
      const double w = b->GetPointVal(centre.get());
      result.SetPoint(j, i, v != a->GetNoData() && w != b->GetNoData() ? v + w : a->GetNoData());
    }
}
}  // namespace

int main(int argc, char** argv) {
  std::vector<long> millions;
  for (int k = 1; k < argc; ++k) millions.push_back(std::atol(argv[k]));
  if (millions.empty()) millions = {1, 4, 16};

  std::printf(
      "| cells | side | Add | Divide (by a map of cell size 2) | Average of %d maps | BilinearInterpolate to %.2g |"
      " Add cell by cell |\n",
      kStackSize, kUpsampledCellSize);
  std::printf("|---|---|---|---|---|---|---|\n");
  for (long m : millions) {
    const long side = std::lround(std::sqrt(static_cast<double>(m) * 1e6));
    std::vector<MapPtr> maps;
    for (int k = 0; k < kStackSize; ++k) maps.push_back(MakeMap(side, 1.0, k));
    MapPtr divisor = MakeMap(side / 2, 2.0, 3);
    std::vector<TMap*> stack;
    for (auto& map : maps) stack.push_back(map.get());

    const double add = Seconds([&] { MapPtr(TMapTools::Add(maps[0].get(), maps[1].get())); });
    const double divide = Seconds([&] { MapPtr(TMapTools::Divide(maps[0].get(), divisor.get())); });
    const double average = Seconds([&] { MapPtr(TMapTools::Average(stack)); });
    // Upsampling to half the cell size: the result has four times the cells.
    const double bilinear = Seconds([&] { MapPtr(TMapTools::BilinearInterpolate(maps[0].get(), kUpsampledCellSize)); });
    std::string reference = "-";
    if (side * side <= kReferenceLimit) {
      char text[32];
      std::snprintf(text, sizeof text, "%.2f s", Seconds([&] { AddCellByCell(maps[0].get(), maps[1].get()); }));
      reference = text;
    }
    std::printf("| %ldM | %ld | %.3f s | %.3f s | %.3f s | %.3f s | %s |\n", m, side, add, divide, average, bilinear,
                reference.c_str());
    std::fflush(stdout);
  }
  return 0;
}
