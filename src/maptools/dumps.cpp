#include <memory>
#include <ostream>

#include "TAxis.h"
#include "TGridWriter.h"
#include "TMap.h"
#include "TMapTools.h"
#include "TPoint.h"

namespace {
const char* const kCSVWithoutAxes = "Map has no axes in TMapTools::WriteCSVFile";
const char kCSVSeparator = ',';
}  // namespace

void TMapTools::WriteFlatFile(TMap* map, std::ostream& stream, char separator) {
  TGridWriter::WriteRows(stream, *map, separator, TGridWriter::TTarget::CallerStream);
}

void TMapTools::WriteCSVFile(TMap* map, std::ostream& stream) {
  const TAxis* columns = map->GetXAxis();
  const TAxis* rows = map->GetYAxis();
  if (columns == nullptr || rows == nullptr) throw kCSVWithoutAxes;
  const long xDim = map->GetXDim();
  const long yDim = map->GetYDim();
  // The last cell needs the longest reach into both axes: reading it first makes
  // an axis shorter than the map fail before any line is written.
  if (xDim > 0 && yDim > 0) {
    const std::unique_ptr<TMapPoint> lastCell(map->GetPoint(xDim - 1, yDim - 1));
  }
  for (long column = 0; column < xDim; ++column) {
    const double x = columns->MbrVecPoints[column]->GetX();
    for (long row = 0; row < yDim; ++row) {
      stream << x << kCSVSeparator << rows->MbrVecPoints[row]->GetY() << kCSVSeparator << map->MbrVecValues[row][column]
             << std::endl;
    }
  }
}
