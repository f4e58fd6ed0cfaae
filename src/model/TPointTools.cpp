#include "TPointTools.h"

#include <cmath>
#include <memory>
#include <utility>

#include "TPoint.h"

namespace {
const double kDegreesPerQuadrant = 90;
// Above every pseudo-angle, which lies in [0, 360).
const double kNoAngle = 360;

using TPointPtr = std::unique_ptr<TPoint>;
}  // namespace

TPoint* TPointTools::Min(TPoint* a, TPoint* b) {
  const double x = a->MbrDblX > b->MbrDblX ? b->MbrDblX : a->MbrDblX;
  const double y = a->MbrDblY > b->MbrDblY ? b->MbrDblY : a->MbrDblY;
  return new TPoint(x, y);
}

TPoint* TPointTools::Max(TPoint* a, TPoint* b) {
  const double x = b->MbrDblX > a->MbrDblX ? b->MbrDblX : a->MbrDblX;
  const double y = b->MbrDblY > a->MbrDblY ? b->MbrDblY : a->MbrDblY;
  return new TPoint(x, y);
}

TPoint* TPointTools::FindCentroid(std::vector<TPoint*> points) {
  double sumX = 0;
  double sumY = 0;
  for (const TPoint* point : points) {
    sumX += point->MbrDblX;
    sumY += point->MbrDblY;
  }
  const double count = static_cast<double>(points.size());
  return new TPoint(sumX / count, sumY / count);
}

double TPointTools::Theta(TPoint* a, TPoint* b) {
  const double dx = a->MbrDblX - b->MbrDblX;
  const double dy = a->MbrDblY - b->MbrDblY;
  double t = dx == 0 && dy == 0 ? 0 : dy / (std::fabs(dx) + std::fabs(dy));
  if (dx < 0)
    t = 2 - t;
  else if (dy < 0)
    t = t + 4;
  return t * kDegreesPerQuadrant;
}

double TPointTools::Heron(TPoint* p, TPoint* q, TPoint* r) {
  const double d1 = p->Distance(q);
  const double d2 = p->Distance(r);
  const double d3 = q->Distance(r);
  const double s = (d1 + d2 + d3) * 0.5;
  return std::sqrt(s * (s - d1) * (s - d2) * (s - d3));
}

double TPointTools::FindConvexPolygonArea(std::vector<TPoint*> points) {
  if (points.empty()) return 0;
  const TPointPtr centroid(FindCentroid(points));
  double area = 0;
  for (std::size_t i = 1; i < points.size(); ++i) area += Heron(points[i], points[i - 1], centroid.get());
  return area;
}

std::vector<TPoint*> TPointTools::FindConvexHull(std::vector<TPoint*> points) {
  const std::size_t n = points.size();
  if (n == 0) return {};

  // The working list: copies in input order, then a copy of the lowest point as
  // the closing entry at position n. Choosing the closing entry ends the hull.
  std::vector<TPointPtr> work;
  work.reserve(n + 1);
  for (const TPoint* point : points) work.emplace_back(point->Clone());
  std::size_t next = 0;
  for (std::size_t i = 1; i < n; ++i)
    if (work[i]->MbrDblY < work[next]->MbrDblY) next = i;
  work.emplace_back(work[next]->Clone());

  // Positions 0 to m hold the hull so far; each step takes the point of the least
  // pseudo-angle above the previous step's, so the angles strictly increase and
  // the walk ends by position n - 1 at the latest.
  std::size_t m = 0;
  double bound = 0;
  for (;; ++m) {
    std::swap(work[m], work[next]);
    double bestAngle = kNoAngle;
    std::size_t best = n;
    for (std::size_t i = m + 1; i <= n; ++i) {
      const double angle = Theta(work[i].get(), work[m].get());
      if (angle > bound && angle < bestAngle) {
        best = i;
        bestAngle = angle;
      }
    }
    if (best == n) break;
    next = best;
    bound = bestAngle;
  }

  // The hull entries are copies already; the rest of the working list goes.
  std::vector<TPoint*> result;
  result.reserve(m + 1);
  for (std::size_t i = 0; i <= m; ++i) result.push_back(work[i].release());
  return result;
}
