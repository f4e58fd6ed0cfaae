#include "TARCGISFileTools.h"

#include <algorithm>
#include <fstream>
#include <memory>

#include "TAxis.h"
#include "TGridScanner.h"
#include "TInputFile.h"
#include "TMap.h"
#include "TPoint.h"

namespace {
// Rows are reserved in full only when the input is known to hold their values;
// otherwise storage grows with the values read.
const std::size_t kCautiousRowReserve = 4096;

// The edge axes: repeated addition of the cell size from the south-western corner.
void SetEdgeAxes(TMap& map, const TGridHeader& h) {
  auto rowEdges = std::make_unique<TAxis>(h.cellsize, h.nrows + 1);
  double y = h.yllcorner;
  for (long slot = h.nrows; slot >= 0; --slot) {
    rowEdges->SetPoint(slot, new TPoint(h.xllcorner, y));
    if (slot > 0) y += h.cellsize;
  }
  const double north = rowEdges->GetPoint(0)->GetY();
  auto columnEdges = std::make_unique<TAxis>(h.cellsize, h.ncols + 1);
  double x = h.xllcorner;
  for (long slot = 0; slot <= h.ncols; ++slot) {
    columnEdges->SetPoint(slot, new TPoint(x, north));
    if (slot < h.ncols) x += h.cellsize;
  }
  map.SetXAxisInterval(columnEdges.get());
  map.SetYAxisInterval(rowEdges.get());
}
}  // namespace

TMap* TARCGISFileTools::LoadARCGISFile(std::istream& stream) {
  TGridScanner scanner(stream);
  const TGridHeader h = scanner.ReadHeader();

  const long long remaining = scanner.RemainingBytes();
  const bool fits = remaining >= 0 && h.Cells() <= remaining / 2 + 1;
  const std::size_t rowReserve = fits ? static_cast<std::size_t>(h.ncols)
                                      : std::min(static_cast<std::size_t>(h.ncols), kCautiousRowReserve);

  auto map = std::make_unique<TMap>(h.cellsize);
  std::vector<std::vector<double>>& rows = map->MbrVecValues;
  rows.reserve(fits ? static_cast<std::size_t>(h.nrows)
                    : std::min(static_cast<std::size_t>(h.nrows), kCautiousRowReserve));
  if (h.ncols == 0) rows.resize(static_cast<std::size_t>(h.nrows));
  scanner.ReadCells(h.ncols, h.nrows, [&](const char* text, std::size_t length, long row, long column) {
    const double value = TGridScanner::ParseCell(text, length, row, column);
    if (column == 0) {
      rows.emplace_back();
      rows.back().reserve(rowReserve);
    }
    rows.back().push_back(value);
  });
  map->MbrLngXDim = h.ncols;
  map->MbrLngYDim = h.nrows;
  map->SetNoData(h.nodata);
  SetEdgeAxes(*map, h);
  return map.release();
}

TMap* TARCGISFileTools::LoadARCGISFile(std::string fileName) {
  TInputFile file(fileName);
  return LoadARCGISFile(file.Stream());
}

std::vector<TMap*> TARCGISFileTools::LoadFileList(std::vector<std::string> fileNames) {
  std::vector<std::unique_ptr<TMap>> loaded;
  loaded.reserve(fileNames.size());
  for (const std::string& name : fileNames) loaded.emplace_back(LoadARCGISFile(name));
  std::vector<TMap*> maps;
  maps.reserve(loaded.size());
  for (auto& map : loaded) maps.push_back(map.release());
  return maps;
}
