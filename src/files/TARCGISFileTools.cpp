#include "TARCGISFileTools.h"

#include <algorithm>
#include <fstream>
#include <memory>

#include "TAxis.h"
#include "TGridScanner.h"
#include "TGridWriter.h"
#include "TInputFile.h"
#include "TMap.h"
#include "TOutputFile.h"
#include "TPoint.h"

namespace {
// Rows are reserved in full only when the input is known to hold their values;
// otherwise storage grows with the values read.
const std::size_t kCautiousRowReserve = 4096;

const char* const kWriteWithoutAxes = "Map has no axes in TARCGISFileTools::WriteARCGISFile";
const char* const kListWithoutAxes = "Map has no axes in TARCGISFileTools::WriteFileList";
const char* const kListSizes = "Size of map list and filename list do not match in TARCGISFileTools::WriteFileList";
const char kValueSeparator = ' ';

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

// The header of a map about to be written. Everything that can refuse the map
// happens here, so a refused map leaves no output and no file behind.
TGridHeader HeaderToWrite(const TMap& map, const char* withoutAxes) {
  const TAxis* columnEdges = map.GetXAxisInterval();
  const TAxis* rowEdges = map.GetYAxisInterval();
  if (columnEdges == nullptr || rowEdges == nullptr) throw withoutAxes;
  TGridHeader header;
  header.ncols = map.GetXDim();
  header.nrows = map.GetYDim();
  header.xllcorner = columnEdges->GetPoint(0)->GetX();
  // Rows run from north to south, so the last row edge is the southern one.
  header.yllcorner = rowEdges->GetPoint(map.GetYDim())->GetY();
  header.cellsize = map.GetResolution();
  header.nodata = map.GetNoData();
  return header;
}

void WriteGridFile(const TMap& map, const TGridHeader& header, const std::string& fileName) {
  TOutputFile file(fileName);
  TGridWriter::WriteHeader(file.Stream(), header, TGridWriter::TTarget::OwnFile);
  TGridWriter::WriteRows(file.Stream(), map, kValueSeparator, TGridWriter::TTarget::OwnFile);
  file.Close();
}
}  // namespace

TMap* TARCGISFileTools::LoadARCGISFile(std::istream& stream) {
  TGridScanner scanner(stream);
  const TGridHeader h = scanner.ReadHeader();

  const long long remaining = scanner.RemainingBytes();
  const bool fits = remaining >= 0 && h.Cells() <= remaining / 2 + 1;
  const std::size_t rowReserve =
      fits ? static_cast<std::size_t>(h.ncols) : std::min(static_cast<std::size_t>(h.ncols), kCautiousRowReserve);

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

void TARCGISFileTools::WriteARCGISFile(TMap* map, std::ostream& stream) {
  const TGridHeader header = HeaderToWrite(*map, kWriteWithoutAxes);
  TGridWriter::WriteHeader(stream, header, TGridWriter::TTarget::CallerStream);
  TGridWriter::WriteRows(stream, *map, kValueSeparator, TGridWriter::TTarget::CallerStream);
}

void TARCGISFileTools::WriteARCGISFile(TMap* map, std::string fileName) {
  WriteGridFile(*map, HeaderToWrite(*map, kWriteWithoutAxes), fileName);
}

void TARCGISFileTools::WriteFileList(std::vector<TMap*> maps, std::vector<std::string> fileNames) {
  if (maps.size() != fileNames.size()) throw kListSizes;
  std::vector<TGridHeader> headers;
  headers.reserve(maps.size());
  for (const TMap* map : maps) headers.push_back(HeaderToWrite(*map, kListWithoutAxes));
  for (std::size_t i = 0; i < maps.size(); ++i) WriteGridFile(*maps[i], headers[i], fileNames[i]);
}
