#include "TPoint.h"

#include <cmath>

TPoint* TPoint::Clone() const { return new TPoint(MbrDblX, MbrDblY); }

double TPoint::Distance(const TPoint* other) const {
  const double dx = MbrDblX - other->MbrDblX;
  const double dy = MbrDblY - other->MbrDblY;
  return std::sqrt(dx * dx + dy * dy);
}

TPoint* TMapPoint::Clone() const { return new TMapPoint(MbrDblX, MbrDblY, MbrDblValue); }
