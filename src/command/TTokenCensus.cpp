#include "TTokenCensus.h"

#include <cstring>

#include "TGridScanner.h"
#include "TValueCensus.h"

namespace {
// Half of these may fill; 32768 slots of 56 bytes stay in the second-level cache.
const std::size_t kSlots = 1 << 15;
const std::size_t kMaxUsed = kSlots / 2;

std::size_t HashText(std::uint64_t low, std::uint64_t high, std::uint32_t length) {
  std::uint64_t h = (low ^ (high * 0x9E3779B97F4A7C15ull) ^ length) * 0xC2B2AE3D27D4EB4Full;
  return static_cast<std::size_t>(h >> 40);
}
}  // namespace

TTokenCensus::TTokenCensus(TValueCensus& values) : MbrValues(values), MbrSlots(kSlots, TEntry{}) {}

TTokenCensus::TEntry* TTokenCensus::Find(std::uint64_t low, std::uint64_t high, std::uint32_t length,
                                         std::size_t hash) {
  for (std::size_t i = hash & (kSlots - 1);; i = (i + 1) & (kSlots - 1)) {
    TEntry& e = MbrSlots[i];
    if (e.length == 0 || (e.low == low && e.high == high && e.length == length)) return &e;
  }
}

void TTokenCensus::Add(const char* text, std::size_t length, long row, long column) {
  if (length > kMaxShortToken) return CountByValue(text, length, row, column);
  if (MbrDecimals.Add(text, length)) return;
  if (MbrMisses.Bypass()) return CountByValue(text, length, row, column);
  unsigned char bytes[kMaxShortToken] = {};
  std::memcpy(bytes, text, length);
  std::uint64_t low;
  std::uint64_t high;
  std::memcpy(&low, bytes, sizeof low);
  std::memcpy(&high, bytes + sizeof low, sizeof high);
  const auto size = static_cast<std::uint32_t>(length);
  TEntry* e = Find(low, high, size, HashText(low, high, size));
  if (e->length != 0) {
    if (MbrUsed == kMaxUsed) MbrMisses.Note(false);
    ++e->count;
    if (e->zero) {
      // Zeros remember their first place in column-major order.
      if (column < e->firstColumn || (column == e->firstColumn && row < e->firstRow)) {
        e->firstColumn = column;
        e->firstRow = row;
      }
    }
    return;
  }
  if (MbrUsed == kMaxUsed) {
    MbrMisses.Note(true);
    return CountByValue(text, length, row, column);
  }
  const double value = TGridScanner::ParseCell(text, length, row, column);
  *e = TEntry{low, high, size, value == 0, value, 1, column, row};
  ++MbrUsed;
}

void TTokenCensus::CountByValue(const char* text, std::size_t length, long row, long column) {
  MbrValues.Add(TGridScanner::ParseCell(text, length, row, column), column, row);
}

void TTokenCensus::Finish() {
  MbrDecimals.Finish(MbrValues);
  for (const TEntry& e : MbrSlots)
    if (e.length != 0) MbrValues.Add(e.value, e.count, e.firstColumn, e.firstRow);
  MbrSlots.clear();
  MbrSlots.shrink_to_fit();
  MbrUsed = 0;
}
