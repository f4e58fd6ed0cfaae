#include "TAxisTools.h"

#include <cmath>
#include <memory>

#include "TAxis.h"
#include "TPoint.h"

TAxis* TAxisTools::PointsToIntervals(const TAxis* axis, char which) {
  const long n = axis->GetSize();
  const TPoint* first = axis->GetPoint(0);
  const TPoint* last = axis->GetPoint(n - 1);
  const double r = axis->GetResolution();
  const double h = r * 0.5;

  double x = first->GetX() - h;
  double y;
  double step;
  const bool descending = first->GetY() > last->GetY() || (n == 1 && which == 'Y');
  if (descending) {
    y = first->GetY() + h;
    step = which == 'Y' ? -r : r;
  } else {
    y = first->GetY() - h;
    step = r;
  }

  auto result = std::make_unique<TAxis>(r);
  result->MbrVecPoints.reserve(static_cast<std::size_t>(n) + 1);
  for (long i = 0; i <= n; ++i) {
    result->AddPoint(new TPoint(x, y));
    if (which == 'X')
      x += step;
    else
      y += step;
  }
  return result.release();
}

TAxis* TAxisTools::IntervalsToPoints(const TAxis* axis, char /*which*/) {
  const long n = axis->GetSize();
  auto result = std::make_unique<TAxis>(axis->GetResolution());
  axis->GetPoint(0);
  axis->GetPoint(n - 1);
  if (n > 1) result->MbrVecPoints.reserve(static_cast<std::size_t>(n) - 1);
  for (long i = 0; i + 1 < n; ++i) {
    const TPoint* a = axis->MbrVecPoints[i];
    const TPoint* b = axis->MbrVecPoints[i + 1];
    result->AddPoint(new TPoint(a->GetX() + std::fabs(b->GetX() - a->GetX()) * 0.5,
                                a->GetY() - std::fabs(b->GetY() - a->GetY()) * 0.5));
  }
  return result.release();
}
