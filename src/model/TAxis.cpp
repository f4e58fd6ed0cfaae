#include "TAxis.h"

#include <memory>

#include "TPoint.h"

namespace {
const char* const kNegativeSize = "Size is negative in TAxis::TAxis";
const char* const kGetPointRange = "Index is out of range in TAxis::GetPoint";
const char* const kSetPointRange = "Index is out of range in TAxis::SetPoint";
const char* const kOrdinateRange = "Ordinate is out of range in TAxis::GetIndex";
const char* const kEmptyAxis = "Axis is empty in TAxis::GetIndex";
const char* const kStartRange = "Start index is out of range in TAxis::GetSegment";
const char* const kEndRange = "End index is out of range in TAxis::GetSegment";
const char* const kStartAfterEnd = "Start index is greater than end index in TAxis::GetSegment";

// Copies points [start, end] of `points` into a new axis through the virtual Clone.
TAxis* CopyPoints(double resolution, const std::vector<TPoint*>& points, long start, long end) {
  auto copy = std::make_unique<TAxis>(resolution, end - start + 1);
  for (long i = start; i <= end; ++i) copy->MbrVecPoints[i - start] = points[i]->Clone();
  return copy.release();
}
}  // namespace

double TAxis::Ordinate(const TPoint* point, char axis) { return axis == 'X' ? point->GetX() : point->GetY(); }

TAxis::TAxis(double resolution, long size) : MbrDblResolution(resolution) {
  if (size < 0) throw kNegativeSize;
  MbrVecPoints.assign(static_cast<std::size_t>(size), nullptr);
}

TAxis::~TAxis() {
  for (TPoint* point : MbrVecPoints) delete point;
}

void TAxis::AddPoint(TPoint* point) {
  std::unique_ptr<TPoint> owned(point);
  MbrVecPoints.push_back(point);
  owned.release();
}

TPoint* TAxis::GetPoint(long index) const {
  if (index < 0 || index >= GetSize()) throw kGetPointRange;
  return MbrVecPoints[index];
}

void TAxis::SetPoint(long index, TPoint* point) {
  if (index < 0 || index >= GetSize()) throw kSetPointRange;
  delete MbrVecPoints[index];
  MbrVecPoints[index] = point;
}

long TAxis::GetIndex(double ordinate, char axis) const {
  const long n = GetSize();
  if (n == 0) throw kEmptyAxis;
  const double first = Ordinate(MbrVecPoints.front(), axis);
  const double last = Ordinate(MbrVecPoints.back(), axis);
  const double low = first < last ? first : last;
  const double high = first < last ? last : first;
  if (low > ordinate || ordinate > high) throw kOrdinateRange;
  for (long i = 0; i + 1 < n; ++i) {
    const double a = Ordinate(MbrVecPoints[i], axis);
    const double b = Ordinate(MbrVecPoints[i + 1], axis);
    const double lo = a < b ? a : b;
    const double hi = a < b ? b : a;
    if (lo <= ordinate && ordinate < hi) return i;
  }
  return n - 1;
}

TAxis* TAxis::GetSegment(long start, long end) const {
  const long n = GetSize();
  if (start < 0 || start >= n) throw kStartRange;
  if (end < 0 || end >= n) throw kEndRange;
  if (start > end) throw kStartAfterEnd;
  return CopyPoints(MbrDblResolution, MbrVecPoints, start, end);
}

TAxis* TAxis::GetSegment(const TPoint* from, const TPoint* to, char axis) const {
  const long start = GetIndex(Ordinate(from, axis), axis);
  const long end = GetIndex(Ordinate(to, axis), axis);
  return GetSegment(start, end);
}

TAxis* TAxis::Clone() const { return CopyPoints(MbrDblResolution, MbrVecPoints, 0, GetSize() - 1); }
