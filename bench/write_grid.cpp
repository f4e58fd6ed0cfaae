// Times the grid file writer on a generated grid and checks that the file loads
// back to the same cells, bit for bit.
//
//   write_grid COLUMNS ROWS KIND OUTPUT
//
// KIND: "integers" (land-cover classes), "decimals" (three decimals, as
// elevations in millimetres), "doubles" (random doubles that need 16 or 17 digits).
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <random>
#include <string>

#include "TARCGISFileTools.h"
#include "TAxis.h"
#include "TMap.h"
#include "TPoint.h"

namespace {
const double kCellSize = 1.0 / 1200;
const double kWest = -105.560416666684;
const double kNorth = 40.209583333329;
const double kRange = 3000;

std::unique_ptr<TMap> MakeGrid(long columns, long rows, const std::string& kind) {
  auto map = std::make_unique<TMap>(kCellSize, columns, rows);
  TAxis columnEdges(kCellSize, columns + 1);
  double x = kWest;
  for (long i = 0; i <= columns; ++i, x += kCellSize) columnEdges.SetPoint(i, new TPoint(x, kNorth));
  TAxis rowEdges(kCellSize, rows + 1);
  double y = kNorth;
  for (long i = 0; i <= rows; ++i, y -= kCellSize) rowEdges.SetPoint(i, new TPoint(kWest, y));
  map->SetXAxisInterval(&columnEdges);
  map->SetYAxisInterval(&rowEdges);
  std::mt19937_64 random(1);
  std::uniform_real_distribution<double> uniform(0, kRange);
  for (long row = 0; row < rows; ++row)
    for (long column = 0; column < columns; ++column) {
      double& cell = map->MbrVecValues[row][column];
      if (kind == "integers")
        cell = static_cast<double>((column / 50 + row / 40) % 12);
      else if (kind == "decimals")
        cell = std::round(uniform(random) * 1000) / 1000;
      else
        cell = uniform(random);
    }
  return map;
}

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}
}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: write_grid COLUMNS ROWS integers|decimals|doubles OUTPUT\n");
    return 2;
  }
  const long columns = std::atol(argv[1]);
  const long rows = std::atol(argv[2]);
  const std::string kind = argv[3];
  const std::string output = argv[4];
  std::unique_ptr<TMap> map = MakeGrid(columns, rows, kind);

  const auto start = std::chrono::steady_clock::now();
  TARCGISFileTools::WriteARCGISFile(map.get(), output);
  const double writing = Seconds(start);

  std::unique_ptr<TMap> back(TARCGISFileTools::LoadARCGISFile(output));
  long differing = 0;
  for (long row = 0; row < rows; ++row)
    differing += std::memcmp(map->MbrVecValues[row].data(), back->MbrVecValues[row].data(),
                             sizeof(double) * static_cast<std::size_t>(columns)) != 0;
  std::printf("%ld x %ld %s: written in %.2f s; rows differing after loading back: %ld\n", columns, rows, kind.c_str(),
              writing, differing);
  return differing == 0 ? 0 : 1;
}
