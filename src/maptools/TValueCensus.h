#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "TKeyBuckets.h"
#include "TMissMeter.h"

// Counts cell values and hands them out in ascending order of value. Values are
// kept in a hash table of bounded size; once it is full, new values are spilled
// into buckets bounded by a sample of the table's values (TKeyBuckets), sorted at
// the end, so a grid of few distinct values costs a fixed amount of memory and a
// grid of all-distinct values about 8 bytes a cell.
//
// 0 and -0 are one value. Its form is the one held by the first such cell in the
// column-major order (by column from the west, each column from the north): the
// callers say where each zero stands. NaN has no place in the order and is left
// out; NaNCount() tells how many were.
class TValueCensus {
 public:
  // The table's largest size in slots, a power of two: 2 MB, 65536 values, which
  // stays in the caches and costs all-distinct grids little on the way to the spill.
  static constexpr std::size_t kMaxSlots = std::size_t{1} << 17;

  // `maxSlots` (a power of two) bounds the table; values beyond half of it are spilled.
  explicit TValueCensus(std::size_t maxSlots = kMaxSlots);

  // Counts one cell at (column, row).
  void Add(double value, long column, long row) { Add(value, 1, column, row); }
  // Counts `count` cells of one value; (column, row) is the first of them in the
  // column-major order, which matters only for zeros.
  void Add(double value, long count, long column, long row) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    if ((bits << 1) == 0) {
      AddZero(bits != 0, count, column, row);
    } else if (bits == MbrLastBits) {
      *MbrLastCount += count;
    } else if (value != value) {
      MbrNaNCount += count;
    } else if (MbrMisses.Bypass()) {
      Spill(bits, count);
    } else {
      AddToTable(bits, count);
    }
  }

  long NaNCount() const { return MbrNaNCount; }

  // Says how many cells at most are still to come. Once values spill, room for
  // about that many is reserved at once (address space only: pages are taken as
  // they fill), so the spilled keys are not copied as they grow; when that much
  // address space is refused, they grow as they need.
  void ExpectCells(long long cells) { MbrExpectedCells = cells; }

  // Sorts what was counted for the walk; a long list is sorted on two threads
  // when `shareWork` is set. Called by the walk when not done before; a census
  // counted on a thread of its own may be sorted there. Nothing may be added after.
  void Sort(bool shareWork = true);

  // Calls visit(value, count) for every distinct value, in ascending order.
  // Consumes the census.
  template <class Visit>
  void ForEachAscending(Visit&& visit) {
    Walk(*this, nullptr, visit);
  }

  // The same for the cells counted by two censuses together (the parts of one
  // grid, whose zeros were placed in the same grid): each value once, with the sum
  // of its counts. Consumes both.
  template <class Visit>
  static void ForEachAscending(TValueCensus& first, TValueCensus& second, Visit&& visit) {
    Walk(first, &second, visit);
  }

  // A stretch of the ascending walk of one or two sorted censuses: stretches can be
  // walked one by one, on different threads at once.
  class TStretch {
   public:
    TStretch() = default;

   private:
    friend class TValueCensus;
    TStretch(std::uint64_t low, std::uint64_t high) : MbrLow(low), MbrHigh(high) {}
    std::uint64_t MbrLow = 0;  // order keys [low, high)
    std::uint64_t MbrHigh = kNoKey;
  };

  // The number of values and counted runs held, about the lines of the walk.
  std::size_t Items() const { return MbrEntries.size() + MbrSpill.Size(); }

  // Cuts the walk of two sorted censuses (`second` may be null) into at most
  // `count` consecutive stretches of about equal numbers of items.
  static std::vector<TStretch> Cut(const TValueCensus& first, const TValueCensus* second, std::size_t count);

  // Calls visit(value, count) for the values of one stretch, ascending, as
  // ForEachAscending does for all. Both censuses must be sorted; neither is changed.
  template <class Visit>
  static void WalkStretch(const TValueCensus& first, const TValueCensus* second, TStretch stretch, Visit&& visit);

 private:
  struct TSlot {
    std::uint64_t bits;  // 0 marks an empty slot: zeros never enter the table
    long count;
  };

  // Beyond every key: NaN, the only value it could stand for, is never counted.
  static constexpr std::uint64_t kNoKey = ~std::uint64_t{0};
  // The order key of +0; -0 and +0, one value, stand between the negative keys
  // (below) and the positive ones (above).
  static constexpr std::uint64_t kZeroKey = std::uint64_t{1} << 63;

  // Reads one census's sorted entries and spilled keys together, in ascending order.
  class TCursor {
   public:
    // Starts at the first item of `low` or above.
    TCursor(const TValueCensus* census, std::uint64_t low);
    // The smallest key not yet taken, or kNoKey.
    std::uint64_t Key() const {
      const std::uint64_t entry = MbrEntry < MbrEntryEnd ? MbrEntry->bits : kNoKey;
      const std::uint64_t spilled = MbrSpill < MbrSpillEnd ? *MbrSpill : kNoKey;
      return entry < spilled ? entry : spilled;
    }
    // Takes every item of `key` and returns their count.
    long Take(std::uint64_t key) {
      long count = 0;
      for (; MbrEntry < MbrEntryEnd && MbrEntry->bits == key; ++MbrEntry) count += MbrEntry->count;
      // The keys equal to one are all in one bucket.
      for (; MbrSpill < MbrSpillEnd && *MbrSpill == key; ++MbrSpill) ++count;
      if (MbrSpill == MbrSpillEnd) NextBucket();
      return count;
    }

   private:
    // Moves on to the next bucket that holds keys, if the current one is done.
    void NextBucket();

    const TKeyBuckets* MbrBuckets = nullptr;
    std::size_t MbrBucket = 0;
    const TSlot* MbrEntry = nullptr;
    const TSlot* MbrEntryEnd = nullptr;
    const std::uint64_t* MbrSpill = nullptr;
    const std::uint64_t* MbrSpillEnd = nullptr;
  };

  template <class Visit>
  static void Walk(TValueCensus& first, TValueCensus* second, Visit& visit);

  // The count of zeros in both censuses and the form that names them.
  static long Zeros(const TValueCensus& first, const TValueCensus* second, double& form);
  void Release();

  void AddZero(bool negative, long count, long column, long row);
  void AddToTable(std::uint64_t bits, long count);
  void Spill(std::uint64_t bits, long count);
  void BoundSpill();
  void Grow();

  static std::uint64_t OrderKey(std::uint64_t bits) {
    return (bits >> 63) != 0 ? ~bits : bits | (std::uint64_t{1} << 63);
  }
  static double FromOrderKey(std::uint64_t key) {
    const std::uint64_t bits = (key >> 63) != 0 ? key & ~(std::uint64_t{1} << 63) : ~key;
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
  }

  std::vector<TSlot> MbrSlots;
  std::size_t MbrMaxSlots;
  std::size_t MbrUsed = 0;
  std::uint64_t MbrLastBits = 0;  // 0 never matches: zeros are tested first
  long* MbrLastCount = nullptr;
  long MbrLastDummy = 0;
  long long MbrExpectedCells = 0;
  // Order keys of single cells that found the table full, in buckets bounded by a
  // sample of the table's values once it is full.
  TKeyBuckets MbrSpill;
  bool MbrSpillBounded = false;
  std::vector<TSlot> MbrSpillCounted;   // the same for counts of several cells, by order key
  // Once the table is full, values that miss it are spilled; when most do, the
  // next ones are spilled without a look at the table (the walk merges both).
  TMissMeter MbrMisses;
  // After Sort: every counted value but zero, by order key, ascending.
  std::vector<TSlot> MbrEntries;
  bool MbrSorted = false;

  long MbrZeroCount[2] = {0, 0};  // [0] for +0, [1] for -0
  std::uint64_t MbrZeroFirst[2] = {~std::uint64_t{0}, ~std::uint64_t{0}};
  long MbrNaNCount = 0;
};

template <class Visit>
void TValueCensus::Walk(TValueCensus& first, TValueCensus* second, Visit& visit) {
  first.Sort();
  if (second != nullptr) second->Sort();
  WalkStretch(first, second, TStretch(), visit);
  first.Release();
  if (second != nullptr) second->Release();
}

template <class Visit>
void TValueCensus::WalkStretch(const TValueCensus& first, const TValueCensus* second, TStretch stretch,
                               Visit&& visit) {
  double zeroForm = 0;
  const long zeros = Zeros(first, second, zeroForm);
  bool zerosDue = zeros > 0 && stretch.MbrLow <= kZeroKey && kZeroKey < stretch.MbrHigh;
  TCursor a(&first, stretch.MbrLow);
  TCursor b(second, stretch.MbrLow);
  for (;;) {
    const std::uint64_t ka = a.Key();
    const std::uint64_t kb = b.Key();
    std::uint64_t key = ka < kb ? ka : kb;
    if (key >= stretch.MbrHigh) key = kNoKey;
    if (zerosDue && key > kZeroKey) {
      visit(zeroForm, zeros);
      zerosDue = false;
    }
    if (key == kNoKey) break;
    const long count = a.Take(key) + b.Take(key);
    visit(FromOrderKey(key), count);
  }
}
