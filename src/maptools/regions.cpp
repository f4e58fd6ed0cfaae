#include <algorithm>
#include <cmath>
#include <memory>

#include "TAxis.h"
#include "TMap.h"
#include "TMapTools.h"
#include "TPoint.h"
#include "TPointTools.h"
#include "cellloops.h"

namespace {
const char* const kNorthAfterSouth = "Northern edge must be less than southern edge in TMapTools::FillBlock";
const char* const kWestAfterEast = "Western edge must be less than eastern edge in TMapTools::FillBlock";
const char* const kNorthRange = "Northern ordinate is out of range in TMapTools::FillBlock";
const char* const kSouthRange = "Southern ordinate is out of range in TMapTools::FillBlock";
const char* const kWestRange = "Western ordinate is out of range in TMapTools::FillBlock";
const char* const kEastRange = "Eastern ordinate is out of range in TMapTools::FillBlock";
const char* const kCornerNotNumber = "Corner ordinate is not a number in TMapTools::Extract";
const char* const kNorthWestOutside = "Insert map's NW corner is outside of the destination map in TMapTools::Insert";
const char* const kSouthEastOutside = "Insert map's SE corner is outside of the destination map in TMapTools::Insert";
// Only marks a failed range check in the coordinate matcher: the failing cell is
// then placed as the cell-by-cell rule places it, and TMap::SetPoint throws its own
// message.
const char* const kNoDestinationCell = "Insert map cell has no destination cell in TMapTools::Insert";
const char* const kNoIntersection = "Maps do not intersect in TMapTools::Intersection";

const TAxis* Edges(const TMap* map, char axis) {
  map->RequireAxes(TMap::kNoAxesIndexMessage);
  return axis == 'X' ? map->GetXAxisInterval() : map->GetYAxisInterval();
}

// The cell along one axis that holds the ordinate. TMap::GetIndex answers the
// number of cells for an ordinate that passes its span check but lies in no
// half-open interval: the outer edge of greatest coordinate, which belongs to the
// cell on it, or a NaN, which is refused.
long CellIndex(const TMap* map, double ordinate, char axis) {
  const long index = map->GetIndex(ordinate, axis);
  const TAxis* edges = Edges(map, axis);
  const long cells = edges->GetSize() - 1;
  if (index < cells) return index;
  if (std::isnan(ordinate)) throw kCornerNotNumber;
  return TAxis::Ordinate(edges->MbrVecPoints.front(), axis) == ordinate ? 0 : cells - 1;
}

// The smallest and the largest ordinate of an axis's first and last points.
void Span(const TAxis* edges, char axis, double& low, double& high) {
  const double first = TAxis::Ordinate(edges->MbrVecPoints.front(), axis);
  const double last = TAxis::Ordinate(edges->MbrVecPoints.back(), axis);
  low = std::min(first, last);
  high = std::max(first, last);
}

// Whether the destination's extent, edges included, holds the source's corner on
// both axes: the NW corner (the first edge points) or the SE corner (the last).
bool HoldsCorner(const TMap* destination, const TMap* source, bool southEast) {
  for (char axis : {'X', 'Y'}) {
    const TAxis* edges = Edges(source, axis);
    const double ordinate = TAxis::Ordinate(southEast ? edges->MbrVecPoints.back() : edges->MbrVecPoints.front(), axis);
    double low, high;
    Span(Edges(destination, axis), axis, low, high);
    if (!(low <= ordinate && ordinate <= high)) return false;
  }
  return true;
}

// Writes one source cell into the destination by its centre, as TMap::SetPoint
// does it.
void PlaceCell(TMap* destination, const TMap* source, long x, long y) {
  std::unique_ptr<TMapPoint> point(source->GetPoint(x, y));
  destination->SetPoint(point.get(), point->GetValue());
}

// A new map holding the block of columns x1..x2 and rows y1..y2 of `map`, with the
// map's cell coordinates. GetSegment refuses indices outside the map.
std::unique_ptr<TMap> CutBlock(const TMap* map, long x1, long x2, long y1, long y2) {
  map->RequireAxes(TMap::kNoAxesCoordinatesMessage);
  std::unique_ptr<TAxis> columns(map->GetXAxis()->GetSegment(x1, x2));
  std::unique_ptr<TAxis> rows(map->GetYAxis()->GetSegment(y1, y2));
  auto part = std::make_unique<TMap>(columns.get(), rows.get());
  for (long y = y1; y <= y2; ++y) {
    const auto source = map->MbrVecValues[y].begin();
    std::copy(source + x1, source + x2 + 1, part->MbrVecValues[y - y1].begin());
  }
  return part;
}

// The first and the last cell along one axis whose midpoint lies in [low, high].
// The edges are monotonic, so these cells form one run. False when there is none.
bool CellsWithin(const TAxis* edges, char axis, double low, double high, long& first, long& last) {
  first = -1;
  last = -1;
  for (long i = 0; i + 1 < edges->GetSize(); ++i) {
    const double a = TAxis::Ordinate(edges->MbrVecPoints[i], axis);
    const double b = TAxis::Ordinate(edges->MbrVecPoints[i + 1], axis);
    const double middle = a + (b - a) * 0.5;
    if (low <= middle && middle <= high) {
      if (first < 0) first = i;
      last = i;
    }
  }
  return first >= 0;
}

// The corner of a map's extent with the smaller ordinates on both axes, or the one
// with the larger, whichever way its edges run.
std::unique_ptr<TPoint> ExtentCorner(const TMap* map, bool larger) {
  double lowX, highX, lowY, highY;
  Span(Edges(map, 'X'), 'X', lowX, highX);
  Span(Edges(map, 'Y'), 'Y', lowY, highY);
  return std::make_unique<TPoint>(larger ? highX : lowX, larger ? highY : lowY);
}

// The cells of `map` whose centres lie between the corners low and high of the
// common extent: false when there is none on one of the axes.
bool CommonBlock(const TMap* map, const TPoint* low, const TPoint* high, long& x1, long& x2, long& y1, long& y2) {
  return CellsWithin(Edges(map, 'X'), 'X', low->GetX(), high->GetX(), x1, x2) &&
         CellsWithin(Edges(map, 'Y'), 'Y', low->GetY(), high->GetY(), y1, y2);
}
}  // namespace

void TMapTools::FindPatchExtent(TMap* map, double value, long& north, long& south, long& west, long& east) {
  north = map->GetYDim() - 1;
  south = 0;
  west = map->GetXDim() - 1;
  east = 0;
  bool found = false;
  cellloops::ForEachCellColumnsOuter(map->GetXDim(), map->GetYDim(), [&](long x, long y) {
    if (map->MbrVecValues[y][x] != value) return;
    found = true;
    west = std::min(west, x);
    east = std::max(east, x);
    north = std::min(north, y);
    south = std::max(south, y);
  });
  if (!found) north = south = west = east = 0;
}

void TMapTools::BufferIndices(TMap* map, long margin, long& north, long& south, long& west, long& east) {
  const long lastColumn = map->GetXDim() - 1;
  const long lastRow = map->GetYDim() - 1;
  west = west <= margin ? 0 : west - margin;
  east = east >= lastColumn - margin ? lastColumn : east + margin;
  north = north <= margin ? 0 : north - margin;
  south = south >= lastRow - margin ? lastRow : south + margin;
}

void TMapTools::FillBlock(TMap* map, double value, long north, long south, long west, long east) {
  if (north > south) throw kNorthAfterSouth;
  if (west > east) throw kWestAfterEast;
  if (north < 0 || north >= map->GetYDim()) throw kNorthRange;
  if (south < 0 || south >= map->GetYDim()) throw kSouthRange;
  // west <= east, so these two keep the whole block inside the columns.
  if (west < 0) throw kWestRange;
  if (east >= map->GetXDim()) throw kEastRange;
  for (long y = north; y <= south; ++y) {
    const auto row = map->MbrVecValues[y].begin();
    std::fill(row + west, row + east + 1, value);
  }
}

TMap* TMapTools::Extract(TMap* map, TPoint* corner1, TPoint* corner2) {
  long x1 = CellIndex(map, corner1->GetX(), 'X');
  long y1 = CellIndex(map, corner1->GetY(), 'Y');
  long x2 = CellIndex(map, corner2->GetX(), 'X');
  long y2 = CellIndex(map, corner2->GetY(), 'Y');
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  return CutBlock(map, x1, x2, y1, y2).release();
}

void TMapTools::Insert(TMap* destination, TMap* source) {
  if (!HoldsCorner(destination, source, false)) throw kNorthWestOutside;
  if (!HoldsCorner(destination, source, true)) throw kSouthEastOutside;
  const long columns = source->GetXDim();
  const long rows = source->GetYDim();
  const cellloops::TCellMatch match(destination, cellloops::ColumnCentres(source), cellloops::RowCentres(source),
                                    kNoDestinationCell, kNoDestinationCell);
  // Every cell is checked before the first write, in the order of the writes, so a
  // failure leaves the destination as it was.
  long failedX = 0, failedY = 0;
  try {
    cellloops::ForEachCellRowsOuter(columns, rows, [&](long x, long y) {
      failedX = x;
      failedY = y;
      match.Check(x, y);
    });
  } catch (const char*) {
    PlaceCell(destination, source, failedX, failedY);
    throw;
  }
  cellloops::ForEachCellRowsOuter(columns, rows, [&](long x, long y) {
    destination->MbrVecValues[match.Row(y)][match.Column(x)] = source->MbrVecValues[y][x];
  });
}

void TMapTools::Intersection(TMap* first, TMap* second, TMap*& firstPart, TMap*& secondPart) {
  const std::unique_ptr<TPoint> firstLow = ExtentCorner(first, false), firstHigh = ExtentCorner(first, true);
  const std::unique_ptr<TPoint> secondLow = ExtentCorner(second, false), secondHigh = ExtentCorner(second, true);
  const std::unique_ptr<TPoint> low(TPointTools::Max(firstLow.get(), secondLow.get()));
  const std::unique_ptr<TPoint> high(TPointTools::Min(firstHigh.get(), secondHigh.get()));
  long fx1, fx2, fy1, fy2, sx1, sx2, sy1, sy2;
  if (!CommonBlock(first, low.get(), high.get(), fx1, fx2, fy1, fy2) ||
      !CommonBlock(second, low.get(), high.get(), sx1, sx2, sy1, sy2))
    throw kNoIntersection;
  firstPart = CutBlock(first, fx1, fx2, fy1, fy2).release();
  secondPart = CutBlock(second, sx1, sx2, sy1, sy2).release();
}
