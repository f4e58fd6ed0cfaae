// Times TMapTools::Insert of large maps (against placing each cell by its own
// coordinate look-up, on a smaller map) and TMapTools::ValueGradients over a stack
// of 20 maps of 1000 x 1000 cells. Run a Release build:
//   bench/regions.sh
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <memory>
#include <vector>

#include "TAxis.h"
#include "TMap.h"
#include "TMapTools.h"
#include "TPoint.h"

namespace {
using Clock = std::chrono::steady_clock;

// Wall-clock and processor time of one timed step: on a shared machine the
// processor time is the steadier figure.
class TTimer {
 public:
  TTimer() : MbrWall(Clock::now()), MbrCpu(std::clock()) {}
  double Wall() const { return std::chrono::duration<double>(Clock::now() - MbrWall).count(); }
  double Cpu() const { return static_cast<double>(std::clock() - MbrCpu) / CLOCKS_PER_SEC; }

 private:
  Clock::time_point MbrWall;
  std::clock_t MbrCpu;
};

// A map laid out as a grid file lays it out: X edges ascending from xll, Y edges
// descending from the northern edge.
std::unique_ptr<TMap> MakeMap(long columns, long rows, double xll, double yll, double cellSize) {
  auto map = std::make_unique<TMap>(cellSize, columns, rows);
  TAxis xEdges(cellSize), yEdges(cellSize);
  double x = xll;
  for (long i = 0; i <= columns; ++i, x += cellSize) xEdges.AddPoint(new TPoint(x, yll));
  double y = yll + rows * cellSize;
  for (long i = 0; i <= rows; ++i, y -= cellSize) yEdges.AddPoint(new TPoint(xll, y));
  map->SetXAxisInterval(&xEdges);
  map->SetYAxisInterval(&yEdges);
  return map;
}

// Deterministic values with about one zero in 16 cells and one no-data in 64.
void Fill(TMap* map, std::uint32_t seed) {
  std::uint32_t state = seed * 2654435761u + 1;
  for (auto& row : map->MbrVecValues)
    for (double& cell : row) {
      state = state * 1664525u + 1013904223u;
      const std::uint32_t draw = state >> 8;
      cell = draw % 16 == 0 ? 0.0 : draw % 64 == 1 ? map->GetNoData() : static_cast<double>(draw % 1000);
    }
}

void TimeInsert(long destinationSize, long sourceSize, double sourceCellSize) {
  auto destination = MakeMap(destinationSize, destinationSize, 0, 0, 1);
  auto source = MakeMap(sourceSize, sourceSize, 10, 10, sourceCellSize);
  Fill(source.get(), 7);
  const TTimer timer;
  TMapTools::Insert(destination.get(), source.get());
  std::printf("Insert %ld x %ld cells of size %g into %ld x %ld: %.3f s wall, %.3f s cpu\n", sourceSize, sourceSize,
              sourceCellSize, destinationSize, destinationSize, timer.Wall(), timer.Cpu());
}

// The same insertion with one coordinate look-up per cell, checked against Insert.
void TimeCellByCell(long destinationSize, long sourceSize) {
  auto byCell = MakeMap(destinationSize, destinationSize, 0, 0, 1);
  auto byInsert = MakeMap(destinationSize, destinationSize, 0, 0, 1);
  auto source = MakeMap(sourceSize, sourceSize, 10, 10, 1);
  Fill(source.get(), 11);
  const TTimer cellTimer;
  for (long y = 0; y < sourceSize; ++y)
    for (long x = 0; x < sourceSize; ++x) {
      std::unique_ptr<TMapPoint> point(source->GetPoint(x, y));
      byCell->SetPoint(point.get(), point->GetValue());
    }
  const double cellByCell = cellTimer.Cpu();
  const TTimer insertTimer;
  TMapTools::Insert(byInsert.get(), source.get());
  const double insert = insertTimer.Cpu();
  std::printf("%ld x %ld into %ld x %ld: cell by cell %.3f s cpu, Insert %.3f s cpu, same cells: %s\n", sourceSize,
              sourceSize, destinationSize, destinationSize, cellByCell, insert,
              byCell->MbrVecValues == byInsert->MbrVecValues ? "yes" : "NO");
}

void TimeValueGradients(const std::vector<TMap*>& stack, int window) {
  const TTimer timer;
  std::vector<TMap*> trends = TMapTools::ValueGradients(stack, window);
  std::printf("ValueGradients, 20 maps of 1000 x 1000, window %2d: %zu trend maps, %.3f s wall, %.3f s cpu\n", window,
              trends.size(), timer.Wall(), timer.Cpu());
  for (TMap* trend : trends) delete trend;
}
}  // namespace

int main() {
  TimeCellByCell(1000, 500);
  TimeInsert(4000, 3000, 1);
  TimeInsert(4000, 3000, 0.5);

  const int kMaps = 20;
  const long kSide = 1000;
  std::vector<std::unique_ptr<TMap>> maps;
  std::vector<TMap*> stack;
  for (int m = 0; m < kMaps; ++m) {
    maps.push_back(MakeMap(kSide, kSide, 0, 0, 1));
    Fill(maps.back().get(), 100 + m);
    stack.push_back(maps.back().get());
  }
  for (int window : {1, 5, 19}) TimeValueGradients(stack, window);
  return 0;
}
