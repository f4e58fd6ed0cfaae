#include "TMap.h"

#include <cassert>
#include <memory>

#include "TAxis.h"
#include "TAxisTools.h"
#include "TPoint.h"

namespace {
const double kDefaultNoData = -9999;

const char* const kNegativeDimensions = "Dimensions are negative in TMap::TMap";
const char* const kResolutionsDiffer = "Axes resolutions do not match in TMap::TMap";
const char* const kXAxisLength = "Length of new X axis does not match the X dimension of the map";
const char* const kYAxisLength = "Length of new Y axis does not match the Y dimension of the map";
const char* const kXIntervalLength = "Length of new X interval axis does not fit the X dimension of the map";
const char* const kYIntervalLength = "Length of new Y interval axis does not fit the Y dimension of the map";
const char* const kCoordinatesX = "LngX is out of range for the X-axis in TMap::GetCoordinates";
const char* const kCoordinatesY = "LngY is out of range for the Y-axis in TMap::GetCoordinates";
const char* const kGetPointIndexX = "LngX is out of range in TMap::GetPoint (long,long)";
const char* const kGetPointIndexY = "LngY is out of range in TMap::GetPoint (long,long)";
const char* const kGetPointValX = TMap::kGetPointValColumnMessage;
const char* const kGetPointValY = TMap::kGetPointValRowMessage;
const char* const kGetPointX = TMap::kGetPointColumnMessage;
const char* const kGetPointY = TMap::kGetPointRowMessage;
const char* const kSetPointX = "LngX is out of range in TMap::SetPoint (TPoint*)";
const char* const kSetPointY = "LngY is out of range in TMap::SetPoint (TPoint*)";
const char* const kRowRange = "Index is out of bounds in TMap::GetRow";
const char* const kNoAxesPoint = "Map has no axes in TMap::GetPoint";
const char* const kNoAxesSetPoint = "Map has no axes in TMap::SetPoint";
const char* const kMissingAxis = "Axis is missing in TMap::TMap";
const char* const kMissingXAxis = "Axis is missing in TMap::SetXAxis";
const char* const kMissingYAxis = "Axis is missing in TMap::SetYAxis";
const char* const kMissingXInterval = "Axis is missing in TMap::SetXAxisInterval";
const char* const kMissingYInterval = "Axis is missing in TMap::SetYAxisInterval";

using TDerive = TAxis* (*)(const TAxis*, char);

// Replaces one pair of axes with a copy of `axis` and the member derived from it.
// Both new members are built before either old one is released, so a failure
// leaves the map as it was.
void ReplacePair(const TAxis* axis, long size, const char* missing, const char* wrongLength, TDerive derive, char which,
                 TAxis*& kept, TAxis*& derived) {
  if (axis == nullptr) throw missing;
  if (axis->GetSize() != size) throw wrongLength;
  std::unique_ptr<TAxis> newKept(axis->Clone());
  std::unique_ptr<TAxis> newDerived(derive(axis, which));
  delete kept;
  kept = newKept.release();
  delete derived;
  derived = newDerived.release();
}
}  // namespace

TMap::TMap(double resolution) { Init(resolution, 0, 0, kDefaultNoData); }

TMap::TMap(double resolution, long xDim, long yDim) {
  if (xDim < 0 || yDim < 0) throw kNegativeDimensions;
  Init(resolution, xDim, yDim, kDefaultNoData);
}

TMap::TMap(const TAxis* xAxis, const TAxis* yAxis) {
  if (xAxis == nullptr || yAxis == nullptr) throw kMissingAxis;
  if (!(xAxis->GetResolution() == yAxis->GetResolution())) throw kResolutionsDiffer;
  Init(xAxis->GetResolution(), xAxis->GetSize(), yAxis->GetSize(), kDefaultNoData);
  try {
    SetXAxis(xAxis);
    SetYAxis(yAxis);
  } catch (...) {
    delete MbrPtrXAxis;
    delete MbrPtrXAxisInterval;
    delete MbrPtrYAxis;
    delete MbrPtrYAxisInterval;
    throw;
  }
}

TMap::~TMap() {
  delete MbrPtrXAxis;
  delete MbrPtrYAxis;
  delete MbrPtrXAxisInterval;
  delete MbrPtrYAxisInterval;
}

void TMap::Init(double resolution, long xDim, long yDim, double fill) {
  MbrDblResolution = resolution;
  MbrLngXDim = xDim;
  MbrLngYDim = yDim;
  MbrPtrXAxis = nullptr;
  MbrPtrYAxis = nullptr;
  MbrPtrXAxisInterval = nullptr;
  MbrPtrYAxisInterval = nullptr;
  MbrDblNoData = fill;
  MbrVecValues.assign(static_cast<std::size_t>(yDim), std::vector<double>(static_cast<std::size_t>(xDim), fill));
}

TPoint* TMap::GetCoordinates(long x, long y) const {
  RequireAxes(kNoAxesCoordinatesMessage);
  if (x < 0 || x >= MbrPtrXAxis->GetSize()) throw kCoordinatesX;
  if (y < 0 || y >= MbrPtrYAxis->GetSize()) throw kCoordinatesY;
  return new TPoint(MbrPtrXAxis->MbrVecPoints[x]->GetX(), MbrPtrYAxis->MbrVecPoints[y]->GetY());
}

TMapPoint* TMap::GetPoint(long x, long y) const {
  if (x < 0 || x >= MbrLngXDim) throw kGetPointIndexX;
  if (y < 0 || y >= MbrLngYDim) throw kGetPointIndexY;
  RequireAxes(kNoAxesPoint);
  std::unique_ptr<TPoint> centre(GetCoordinates(x, y));
  return new TMapPoint(centre->GetX(), centre->GetY(), MbrVecValues[y][x]);
}

void TMap::InitValues(double value) {
  for (auto& row : MbrVecValues) row.assign(row.size(), value);
}

std::vector<double> TMap::GetRow(long y) const {
  if (y < 0 || y >= static_cast<long>(MbrVecValues.size())) throw kRowRange;
  return MbrVecValues[y];
}

void TMap::AddRow(const std::vector<double>& row) {
  MbrVecValues.push_back(row);
  ++MbrLngYDim;
  if (MbrLngXDim == 0) MbrLngXDim = static_cast<long>(row.size());
}

long TMap::GetIndex(double ordinate, char axis) const {
  RequireAxes(kNoAxesIndexMessage);
  if (axis == 'X') return MbrPtrXAxisInterval->GetIndex(ordinate, 'X');
  return MbrPtrYAxisInterval->GetIndex(ordinate, axis);
}

void TMap::LocatePoint(const TPoint* point, long& x, long& y, const char* noAxes) const {
  RequireAxes(noAxes);
  x = MbrPtrXAxisInterval->GetIndex(point->GetX(), 'X');
  y = MbrPtrYAxisInterval->GetIndex(point->GetY(), 'Y');
}

double TMap::GetPointVal(const TPoint* point) const {
  long x, y;
  LocatePoint(point, x, y, kNoAxesPointValMessage);
  if (x < 0 || x >= MbrLngXDim) throw kGetPointValX;
  if (y < 0 || y >= MbrLngYDim) throw kGetPointValY;
  return MbrVecValues[y][x];
}

TMapPoint* TMap::GetPoint(const TPoint* point) const {
  long x, y;
  LocatePoint(point, x, y, kNoAxesPoint);
  if (x < 0 || x >= MbrLngXDim) throw kGetPointX;
  if (y < 0 || y >= MbrLngYDim) throw kGetPointY;
  return new TMapPoint(point->GetX(), point->GetY(), MbrVecValues[y][x]);
}

void TMap::SetPoint(const TPoint* point, double value) {
  long x, y;
  LocatePoint(point, x, y, kNoAxesSetPoint);
  if (x < 0 || x >= MbrLngXDim) throw kSetPointX;
  if (y < 0 || y >= MbrLngYDim) throw kSetPointY;
  MbrVecValues[y][x] = value;
}

std::vector<double> TMap::GetPointValues(const std::vector<TPoint*>& points) const {
  std::vector<double> values;
  values.reserve(points.size());
  for (const TPoint* point : points) values.push_back(GetPointVal(point));
  return values;
}

// The assertions keep the text of the invariants that they report.
// clang-format off
void TMap::SetXAxis(const TAxis* axis) {
  ReplacePair(axis, MbrLngXDim, kMissingXAxis, kXAxisLength, TAxisTools::PointsToIntervals, 'X', MbrPtrXAxis,
              MbrPtrXAxisInterval);
  assert(MbrPtrXAxis -> GetSize () == MbrLngXDim);
  assert(MbrPtrXAxisInterval -> GetSize () == MbrLngXDim + 1);
}

void TMap::SetYAxis(const TAxis* axis) {
  ReplacePair(axis, MbrLngYDim, kMissingYAxis, kYAxisLength, TAxisTools::PointsToIntervals, 'Y', MbrPtrYAxis,
              MbrPtrYAxisInterval);
  assert(MbrPtrYAxis -> GetSize () == MbrLngYDim);
  assert(MbrPtrYAxisInterval -> GetSize () == MbrLngYDim + 1);
}

void TMap::SetXAxisInterval(const TAxis* axis) {
  ReplacePair(axis, MbrLngXDim + 1, kMissingXInterval, kXIntervalLength, TAxisTools::IntervalsToPoints, 'X',
              MbrPtrXAxisInterval, MbrPtrXAxis);
  assert(MbrPtrXAxis -> GetSize () == MbrLngXDim);
  assert(MbrPtrXAxisInterval -> GetSize () == MbrLngXDim + 1);
}

void TMap::SetYAxisInterval(const TAxis* axis) {
  ReplacePair(axis, MbrLngYDim + 1, kMissingYInterval, kYIntervalLength, TAxisTools::IntervalsToPoints, 'Y',
              MbrPtrYAxisInterval, MbrPtrYAxis);
  assert(MbrPtrYAxis -> GetSize () == MbrLngYDim);
  assert(MbrPtrYAxisInterval -> GetSize () == MbrLngYDim + 1);
}
// clang-format on
