#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "TValueCensus.h"

class TProgressLine;

// Counts the cell values of one grid file. The cells of a large regular file are
// read in two parts at once, each on a thread of its own and with a census of its
// own. The second thread first counts the tokens before its part, so that its
// cells get their places in the grid and it stops where the grid does. A failure
// is the one that a reading from start to end would meet first.
class TGridFileCensus {
 public:
  // Files with fewer bytes of cells than this are read in one part.
  static constexpr long long kTwoPartMinBytes = 1LL << 25;
  // Lets the file's size choose the split.
  static constexpr long long kAutomaticSplit = -1;
  // The first part's share of the cells' bytes. It is the larger part, since the
  // second thread also counts the tokens of the first.
  static constexpr double kFirstPartShare = 0.53;

  // Reads and checks the whole file and counts its cells; throws the reader's
  // messages. `split` is the byte offset in the file where the second part starts
  // (its first token is the first that starts there or later), or
  // kAutomaticSplit; a split beyond the end of the file reads it in one part.
  // `progress`, when given, is told how far the reading has come.
  explicit TGridFileCensus(const std::string& name, TProgressLine* progress = nullptr,
                           long long split = kAutomaticSplit);

  // Calls visit(value, count) for every distinct value in ascending order.
  // Consumes the census.
  template <class Visit>
  void ForEachAscending(Visit&& visit) {
    TValueCensus::ForEachAscending(MbrFirst, MbrSecond, visit);
  }

  // About the number of values; see TValueCensus::Items.
  std::size_t Items() const { return MbrFirst.Items() + MbrSecond.Items(); }
  // The walk in at most `count` stretches, which may be walked on two threads at once.
  std::vector<TValueCensus::TStretch> Cut(std::size_t count) const {
    return TValueCensus::Cut(MbrFirst, &MbrSecond, count);
  }
  template <class Visit>
  void WalkStretch(TValueCensus::TStretch stretch, Visit&& visit) const {
    TValueCensus::WalkStretch(MbrFirst, &MbrSecond, stretch, visit);
  }

 private:
  TValueCensus MbrFirst;
  TValueCensus MbrSecond;
};
