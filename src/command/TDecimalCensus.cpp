#include "TDecimalCensus.h"

#include <algorithm>

#include "TValueCensus.h"

void TDecimalCensus::RaisePending() {
  for (TPending& pending : MbrPending) {
    if (pending.counter != nullptr) Raise(pending);
    pending = TPending{};
  }
}

bool TDecimalCensus::Widen(TWindow& window, std::int64_t digits) {
  const std::size_t size = window.counts.size();
  std::int64_t base = digits - static_cast<std::int64_t>(kInitialCounters / 2);
  std::size_t wider = kInitialCounters;
  if (size > 0) {
    // Grow towards the new value, at least doubling, so that a drifting range
    // costs few copies.
    const std::int64_t low = std::min(window.base, digits);
    const std::int64_t high = std::max(window.base + static_cast<std::int64_t>(size) - 1, digits);
    const auto needed = static_cast<std::uint64_t>(high - low) + 1;
    if (needed > kMaxCounters) return false;
    wider = std::max<std::size_t>(2 * size, static_cast<std::size_t>(needed));
    base = digits < window.base ? window.base + static_cast<std::int64_t>(size) - static_cast<std::int64_t>(wider)
                                : window.base;
  }
  if (MbrCounters - size + wider > kMaxCounters) return false;
  RaisePending();
  std::vector<TCounter> counts(wider, 0);
  if (size > 0) std::copy(window.counts.begin(), window.counts.end(), counts.begin() + (window.base - base));
  window.counts.swap(counts);
  window.base = base;
  MbrCounters += wider - size;
  return true;
}

void TDecimalCensus::Carry(int decimals, std::int64_t digits) { MbrCarries.push_back(TCarry{decimals, digits}); }

void TDecimalCensus::Finish(TValueCensus& values) {
  RaisePending();
  for (int decimals = 0; decimals <= kMaxDigits; ++decimals) {
    TWindow& window = MbrWindows[decimals];
    for (std::size_t i = 0; i < window.counts.size(); ++i)
      if (window.counts[i] != 0)
        values.Add(TNumberText::PlainDecimalValue(window.base + static_cast<std::int64_t>(i), decimals),
                   window.counts[i], 0, 0);
    window = TWindow{};
  }
  for (const TCarry& carry : MbrCarries)
    values.Add(TNumberText::PlainDecimalValue(carry.digits, carry.decimals), MbrCounterLimit, 0, 0);
  MbrCarries.clear();
  MbrCounters = 0;
}
