#include <cmath>
#include <limits>
#include <memory>
#include <vector>

#include "TAxis.h"
#include "TMap.h"
#include "TMapTools.h"
#include "TPoint.h"
#include "cellloops.h"

namespace {
const char* const kDownscaleCellSize = "New cell size is not positive in TMapTools::Downscale";
const char* const kDownscaleCount = "Cell count is out of range in TMapTools::Downscale";
const char* const kSubdivideFactor = "Factor is below 1 in TMapTools::Subdivide";
const char* const kNewResolution = "New resolution cannot be <= 0.0 in TMapTools::BilinearInterpolate";
const char* const kX1 = "LngGetX1 is out of range in TMapTools::BilinearInterpolate";
const char* const kX2 = "LngGetX2 is out of range in TMapTools::BilinearInterpolate";
const char* const kY1 = "LngGetY1 is out of range in TMapTools::BilinearInterpolate";
const char* const kY2 = "LngGetY2 is out of range in TMapTools::BilinearInterpolate";

const double kHalf = 0.5;
// Counts at or beyond this magnitude do not convert to a long.
const double kLongLimit = static_cast<double>(std::numeric_limits<long>::max());

// The outer edges of a map, read from its interval axes.
struct TEdges {
  double West, North, East, South;
};

TEdges EdgesOf(const TMap* map) {
  map->RequireAxes(TMap::kNoAxesIndexMessage);
  const TAxis* xEdges = map->GetXAxisInterval();
  const TAxis* yEdges = map->GetYAxisInterval();
  return {xEdges->GetPoint(0)->GetX(), yEdges->GetPoint(0)->GetY(), xEdges->GetPoint(xEdges->GetSize() - 1)->GetX(),
          yEdges->GetPoint(yEdges->GetSize() - 1)->GetY()};
}

// An axis of `count` points from (x, y); each next point adds `step` to the
// previous point's selected ordinate and keeps the other one.
std::unique_ptr<TAxis> SteppedAxis(double resolution, long count, double x, double y, char which, double step) {
  auto axis = std::make_unique<TAxis>(resolution);
  axis->MbrVecPoints.reserve(static_cast<std::size_t>(count));
  for (long k = 0; k < count; ++k) {
    axis->AddPoint(new TPoint(x, y));
    if (which == 'X')
      x += step;
    else
      y += step;
  }
  return axis;
}

// The whole new cells that fit: the quotient truncated toward zero.
long WholeCells(double extent, double cellSize) {
  const double quotient = extent / cellSize;
  if (!(std::fabs(quotient) < kLongLimit)) throw kDownscaleCount;
  return static_cast<long>(quotient);
}

// Sample positions from `first`, each next one the previous plus `step`, as long
// as `within` admits the next one. The first is taken unchecked when
// `firstAlways`, else only if admitted. The bounds lie inside the new grid, whose
// edges were laid out by adding the same step, so an admitted position always
// advances and the run ends.
template <typename Within>
std::vector<double> SamplePositions(double first, double step, bool firstAlways, Within within) {
  std::vector<double> positions;
  if (!firstAlways && !within(first)) return positions;
  double position = first;
  for (;;) {
    positions.push_back(position);
    if (!within(position + step)) return positions;
    position += step;
  }
}

// The two input columns (or rows) that frame a sample position, and the message
// for the first of them outside the input, if any.
struct TNeighbours {
  long First = 0;
  long Second = 0;
  const char* Failure = nullptr;
};

TNeighbours Frame(long first, long second, long cells, const char* firstOutside, const char* secondOutside) {
  TNeighbours pair{first, second, nullptr};
  if (first < 0 || first >= cells)
    pair.Failure = firstOutside;
  else if (second < 0 || second >= cells)
    pair.Failure = secondOutside;
  return pair;
}
}  // namespace

TMap* TMapTools::Downscale(TMap* map, double cellSize) {
  if (!(cellSize > 0)) throw kDownscaleCellSize;
  const double s = map->GetResolution();
  const long columns = WholeCells(s * static_cast<double>(map->GetXDim()), cellSize);
  const long rows = WholeCells(s * static_cast<double>(map->GetYDim()), cellSize);
  const TEdges edges = EdgesOf(map);

  auto result = std::make_unique<TMap>(cellSize, columns, rows);
  const double h = cellSize * kHalf;
  const bool ascending = edges.South > edges.North;
  const auto xCentres = SteppedAxis(cellSize, columns, edges.West + h, edges.North, 'X', cellSize);
  const auto yCentres = SteppedAxis(cellSize, rows, edges.West, ascending ? edges.North + h : edges.North - h, 'Y',
                                    ascending ? cellSize : -cellSize);
  result->SetXAxis(xCentres.get());
  result->SetYAxis(yCentres.get());
  return result.release();
}

TMap* TMapTools::Subdivide(TMap* map, int factor) {
  if (factor < 1) throw kSubdivideFactor;
  const long k = factor;
  const double f = map->GetResolution() / factor;
  const TEdges edges = EdgesOf(map);

  auto result = std::make_unique<TMap>(f, k * map->GetXDim(), k * map->GetYDim());
  cellloops::ForEachCellRowsOuter(map->GetXDim(), map->GetYDim(), [&](long column, long row) {
    const double v = map->MbrVecValues[row][column];
    for (long a = 0; a < k; ++a)
      for (long b = 0; b < k; ++b) result->MbrVecValues[row * k + b][column * k + a] = v;
  });
  const auto xEdges = SteppedAxis(f, result->GetXDim() + 1, edges.West, edges.North, 'X', f);
  const auto yEdges =
      SteppedAxis(f, result->GetYDim() + 1, edges.West, edges.North, 'Y', edges.South <= edges.North ? -f : f);
  result->SetXAxisInterval(xEdges.get());
  result->SetYAxisInterval(yEdges.get());
  return result.release();
}

double TMapTools::BilinearInterpolate(double q11, double q21, double q12, double q22, double x, double x1, double x2,
                                      double y, double y1, double y2) {
  const double d = (x2 - x1) * (y2 - y1);
  return (y2 - y) * ((x2 - x) * (q11 / d)) + (y2 - y) * ((x - x1) * (q21 / d)) + (y - y1) * ((x2 - x) * (q12 / d)) +
         (y - y1) * ((x - x1) * (q22 / d));
}

void TMapTools::BilinearInterpolate(TMapPoint* p11, TMapPoint* p21, TMapPoint* p12, TMapPoint* p22, TMapPoint* target) {
  target->MbrDblValue =
      BilinearInterpolate(p11->GetValue(), p21->GetValue(), p12->GetValue(), p22->GetValue(), target->GetX(),
                          p11->GetX(), p21->GetX(), target->GetY(), p11->GetY(), p12->GetY());
}

TMap* TMapTools::BilinearInterpolate(TMap* map, double cellSize) {
  if (cellSize <= 0) throw kNewResolution;
  std::unique_ptr<TMap> result(Downscale(map, cellSize));
  result->InitValues(map->GetNoData());

  // Sample positions keep a margin of one input cell inside the new grid's
  // edges, so that both neighbours of a position lie in the input; only the
  // first row position, which is always taken, can need a row outside it.
  const double s = map->GetResolution();
  const TEdges edges = EdgesOf(result.get());
  const bool southward = edges.North > edges.South;
  const std::vector<double> xs =
      SamplePositions(edges.West + s, cellSize, false, [&](double x) { return x <= edges.East - s - cellSize; });
  const std::vector<double> ys =
      southward
          ? SamplePositions(edges.North - s - cellSize, -cellSize, true, [&](double y) { return y >= edges.South + s; })
          : SamplePositions(edges.North + s, cellSize, true, [&](double y) { return y <= edges.South - s; });

  // Each position is looked up in the new grid first, then in the input, as
  // TMap::GetPoint(TPoint*) does; then its neighbours are chosen and checked.
  const cellloops::TCellMatch inResult(result.get(), xs, ys, cellloops::kGetPointColumn, cellloops::kGetPointRow);
  const cellloops::TCellMatch inInput(map, xs, ys, cellloops::kGetPointColumn, cellloops::kGetPointRow);
  const std::vector<double> centreXs = cellloops::ColumnCentres(map);
  const std::vector<double> centreYs = cellloops::RowCentres(map);

  // The containing cell and its neighbour on the position's side; on the centre's
  // ordinate itself, the neighbour with the smaller ordinate.
  std::vector<TNeighbours> across(xs.size());
  for (std::size_t a = 0; a < xs.size(); ++a) {
    const long c0 = inInput.Column(static_cast<long>(a));
    if (c0 < 0) continue;  // the look-up fails before the pair is needed
    across[a] = centreXs[c0] >= xs[a] ? Frame(c0 - 1, c0, map->GetXDim(), kX1, kX2)
                                      : Frame(c0, c0 + 1, map->GetXDim(), kX1, kX2);
  }
  std::vector<TNeighbours> along(ys.size());
  for (std::size_t b = 0; b < ys.size(); ++b) {
    const long r0 = inInput.Row(static_cast<long>(b));
    if (r0 < 0) continue;
    const double cy = centreYs[r0];
    const bool towardsPrevious = southward ? ys[b] > cy : !(cy < ys[b]);
    along[b] =
        towardsPrevious ? Frame(r0 - 1, r0, map->GetYDim(), kY1, kY2) : Frame(r0, r0 + 1, map->GetYDim(), kY1, kY2);
  }

  const long columns = static_cast<long>(xs.size());
  const long rows = static_cast<long>(ys.size());
  cellloops::ForEachCellColumnsOuter(columns, rows, [&](long a, long b) {
    inResult.Check(a, b);
    inInput.Check(a, b);
    const TNeighbours& c = across[a];
    const TNeighbours& r = along[b];
    if (c.Failure) throw c.Failure;
    if (r.Failure) throw r.Failure;
    const std::vector<double>& row1 = map->MbrVecValues[r.First];
    const std::vector<double>& row2 = map->MbrVecValues[r.Second];
    result->MbrVecValues[inResult.Row(b)][inResult.Column(a)] =
        BilinearInterpolate(row1[c.First], row1[c.Second], row2[c.First], row2[c.Second], xs[a], centreXs[c.First],
                            centreXs[c.Second], ys[b], centreYs[r.First], centreYs[r.Second]);
  });
  return result.release();
}
