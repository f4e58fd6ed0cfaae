#include "cellloops.h"

#include "TAxis.h"
#include "TPoint.h"

namespace cellloops {

namespace {
std::vector<char> FailureFlags(const TOrdinateMatch& match) {
  std::vector<char> flags(match.Index.size());
  for (std::size_t k = 0; k < flags.size(); ++k) flags[k] = match.Fails(static_cast<long>(k));
  return flags;
}

// The selected ordinate of every point of one of the map's centre axes.
std::vector<double> Centres(const TMap* map, char which) {
  map->RequireAxes(TMap::kNoAxesCoordinatesMessage);
  const TAxis* axis = which == 'X' ? map->GetXAxis() : map->GetYAxis();
  std::vector<double> ordinates(static_cast<std::size_t>(axis->GetSize()));
  for (std::size_t k = 0; k < ordinates.size(); ++k) ordinates[k] = TAxis::Ordinate(axis->MbrVecPoints[k], which);
  return ordinates;
}
}  // namespace

TOrdinateMatch MatchOrdinates(const std::vector<double>& ordinates, const TAxis* edges, char selector, long cells,
                              const char* outOfRange) {
  TOrdinateMatch match;
  const std::size_t n = ordinates.size();
  match.Index.assign(n, -1);
  match.LookupFailure.assign(n, nullptr);
  match.RangeFailure.assign(n, nullptr);
  for (std::size_t k = 0; k < n; ++k) {
    long index;
    try {
      index = edges->GetIndex(ordinates[k], selector);
    } catch (const char* message) {
      match.LookupFailure[k] = message;
      continue;
    }
    if (index < 0 || index >= cells)
      match.RangeFailure[k] = outOfRange;
    else
      match.Index[k] = index;
  }
  return match;
}

std::vector<double> ColumnCentres(const TMap* map) { return Centres(map, 'X'); }

std::vector<double> RowCentres(const TMap* map) { return Centres(map, 'Y'); }

TCellMatch::TCellMatch(const TMap* other, const std::vector<double>& xs, const std::vector<double>& ys,
                       const char* columnOutOfRange, const char* rowOutOfRange)
    : MbrPtrOther((other->RequireAxes(TMap::kNoAxesPointValMessage), other)),
      MbrColumns(MatchOrdinates(xs, other->GetXAxisInterval(), 'X', other->GetXDim(), columnOutOfRange)),
      MbrRows(MatchOrdinates(ys, other->GetYAxisInterval(), 'Y', other->GetYDim(), rowOutOfRange)),
      MbrVecColumnFails(FailureFlags(MbrColumns)),
      MbrVecRowFails(FailureFlags(MbrRows)) {}

void TCellMatch::ThrowFirstFailure(long j, long i) const {
  // Both look-ups run before either range check.
  if (MbrColumns.LookupFailure[j]) throw MbrColumns.LookupFailure[j];
  if (MbrRows.LookupFailure[i]) throw MbrRows.LookupFailure[i];
  if (MbrColumns.RangeFailure[j]) throw MbrColumns.RangeFailure[j];
  throw MbrRows.RangeFailure[i];
}

}  // namespace cellloops
