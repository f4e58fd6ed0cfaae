#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "TMissMeter.h"

// Counts cell values and hands them out in ascending order of value. Values are
// kept in a hash table of bounded size; once it is full, new values are appended
// to a list that is sorted at the end, so a grid of few distinct values costs a
// fixed amount of memory and a grid of all-distinct values about 8 bytes a cell
// (the list is sorted in place, TKeySort).
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
  // that many is reserved at once (address space only: pages are taken as they
  // fill), so the list is not copied as it grows; when that much address space is
  // refused, the list grows as it needs.
  void ExpectCells(long long cells) { MbrExpectedCells = cells; }

  // Calls visit(value, count) for every distinct value, in ascending order.
  // Consumes the census.
  template <class Visit>
  void ForEachAscending(Visit&& visit);

 private:
  struct TSlot {
    std::uint64_t bits;  // 0 marks an empty slot: zeros never enter the table
    long count;
  };

  void AddZero(bool negative, long count, long column, long row);
  void AddToTable(std::uint64_t bits, long count);
  void Spill(std::uint64_t bits, long count);
  void ReserveSpill();
  void Grow();
  // Sorts the spilled keys and the table's entries for the final walk.
  void Prepare(std::vector<TSlot>& entries);

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
  std::vector<std::uint64_t> MbrSpill;  // order keys of single cells that found the table full
  std::vector<TSlot> MbrSpillCounted;   // the same for counts of several cells, by order key
  // Once the table is full, values that miss it are spilled; when most do, the
  // next ones are spilled without a look at the table (the walk merges both).
  TMissMeter MbrMisses;

  long MbrZeroCount[2] = {0, 0};  // [0] for +0, [1] for -0
  std::uint64_t MbrZeroFirst[2] = {~std::uint64_t{0}, ~std::uint64_t{0}};
  long MbrNaNCount = 0;
};

template <class Visit>
void TValueCensus::ForEachAscending(Visit&& visit) {
  std::vector<TSlot> entries;
  Prepare(entries);
  std::size_t e = 0;
  std::size_t s = 0;
  const std::size_t spilled = MbrSpill.size();
  while (e < entries.size() || s < spilled) {
    std::uint64_t key;
    long count = 0;
    if (s == spilled || (e < entries.size() && entries[e].bits <= MbrSpill[s])) {
      key = entries[e].bits;
      count = entries[e].count;
      ++e;
    } else {
      key = MbrSpill[s];
    }
    while (s < spilled && MbrSpill[s] == key) ++s, ++count;
    while (e < entries.size() && entries[e].bits == key) count += entries[e++].count;
    visit(FromOrderKey(key), count);
  }
  MbrSpill.clear();
  MbrSpill.shrink_to_fit();
}
