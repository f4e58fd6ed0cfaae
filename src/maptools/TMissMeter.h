#pragma once

// Decides when a full counting cache is better passed by. Everything a cache
// misses is counted elsewhere and merged at the end, so skipping it is always
// correct; it only pays when most look-ups miss (all-distinct values). Once the
// cache is full, the share of look-ups that miss is measured over windows of
// kWindow look-ups; after a window in which most missed, the next items skip the
// cache, and then it is measured again. The skipped span starts at kBypassSpan
// items and doubles after each window that mostly missed again, up to
// kMaxBypassSpan, so that a long run of new values pays for few measurements; a
// window that mostly hit sets it back.
class TMissMeter {
 public:
  static constexpr long kWindow = 1 << 12;
  static constexpr long kBypassSpan = 1 << 16;
  static constexpr long kMaxBypassSpan = 1 << 22;

  // True when the next item is to skip the cache.
  bool Bypass() {
    if (MbrBypass == 0) return false;
    --MbrBypass;
    return true;
  }

  // Notes a look-up in the full cache.
  void Note(bool missed) {
    MbrMisses += missed;
    if (++MbrLookups < kWindow) return;
    if (MbrMisses * 2 > MbrLookups) {
      MbrBypass = MbrSpan;
      if (MbrSpan < kMaxBypassSpan) MbrSpan *= 2;
    } else {
      MbrSpan = kBypassSpan;
    }
    MbrLookups = 0;
    MbrMisses = 0;
  }

 private:
  long MbrBypass = 0;
  long MbrSpan = kBypassSpan;
  long MbrLookups = 0;
  long MbrMisses = 0;
};
