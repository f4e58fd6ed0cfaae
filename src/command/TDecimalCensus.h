#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "TNumberText.h"

class TValueCensus;

// Counts cell tokens that are plain decimals (TNumberText::ReadPlainDecimal:
// "1207.15", "-9999", "5.") by their digits read as one integer: for each number
// of decimals a window of counters indexed by that integer. Grids of classes or of
// elevations with a fixed number of decimals use a narrow range of such integers,
// so a cell costs an index instead of a hash look-up.
//
// Zeros are left to the caller, which keeps the form of the first one; so are
// tokens of any other form and values that would widen the windows beyond
// kMaxCounters counters in all.
class TDecimalCensus {
 public:
  static constexpr int kMaxDigits = TNumberText::kMaxPlainDigits;
  static constexpr std::size_t kMaxCounters = std::size_t{1} << 23;
  // Counters are 16 bits wide, which halves the windows' memory and cache use; a
  // counter that fills hands its cells on as a carry.
  using TCounter = std::uint16_t;
  static constexpr std::uint32_t kCounterLimit = UINT16_MAX;
  static constexpr std::size_t kInitialCounters = 1 << 10;

  // `counterLimit` (at most kCounterLimit) is the count at which a counter hands
  // its cells on and starts again.
  explicit TDecimalCensus(std::uint32_t counterLimit = kCounterLimit) : MbrCounterLimit(counterLimit) {}

  // Counts the token and returns true, or returns false and counts nothing.
  bool Add(const char* text, std::size_t length);

  // Hands every value counted, with its count, to the census and starts afresh.
  void Finish(TValueCensus& values);

 private:
  struct TWindow {
    std::int64_t base = 0;
    std::vector<TCounter> counts;
  };
  struct TCarry {
    int decimals;
    std::int64_t digits;
  };

  // A counter is raised a few tokens after it was named, so that its cache line
  // is fetched meanwhile: a wide window is met at random places.
  static constexpr std::size_t kPending = 16;
  struct TPending {
    TCounter* counter;
    int decimals;
    std::int64_t digits;
  };

  bool Widen(TWindow& window, std::int64_t digits);
  void Raise(const TPending& pending);
  void RaisePending();
  void Carry(int decimals, std::int64_t digits);

  TWindow MbrWindows[kMaxDigits + 1];
  std::size_t MbrCounters = 0;
  std::uint32_t MbrCounterLimit;
  // One entry per counterLimit cells of a value whose counter reached the limit.
  std::vector<TCarry> MbrCarries;
  TPending MbrPending[kPending] = {};
  std::size_t MbrNext = 0;
};

inline bool TDecimalCensus::Add(const char* text, std::size_t length) {
  std::int64_t digits;
  int decimals;
  if (!TNumberText::ReadPlainDecimal(text, length, digits, decimals)) return false;
  TWindow& window = MbrWindows[decimals];
  std::uint64_t index = static_cast<std::uint64_t>(digits - window.base);
  if (index >= window.counts.size()) {
    if (!Widen(window, digits)) return false;
    index = static_cast<std::uint64_t>(digits - window.base);
  }
  TCounter* counter = &window.counts[index];
  __builtin_prefetch(counter, 1);
  TPending& slot = MbrPending[MbrNext];
  MbrNext = (MbrNext + 1) % kPending;
  if (slot.counter != nullptr) Raise(slot);
  slot = TPending{counter, decimals, digits};
  return true;
}

inline void TDecimalCensus::Raise(const TPending& pending) {
  if (++*pending.counter == MbrCounterLimit) {
    *pending.counter = 0;
    Carry(pending.decimals, pending.digits);
  }
}
