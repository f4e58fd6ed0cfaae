#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "TDecimalCensus.h"
#include "TMissMeter.h"

class TValueCensus;

// Counts cell tokens by their text before their values. Plain decimals go to a
// TDecimalCensus, which counts them by their digits. Otherwise a grid of few distinct
// values repeats a few short texts, and each text is read as a number once, when
// it is first met, so a malformed token is still reported at its first place.
// Texts that do not fit the table, long or new once it is full, are read at once
// and counted by value; when most texts miss the full table, the next ones are
// counted by value without a look at it. Finish hands everything to the value
// census.
class TTokenCensus {
 public:
  // Texts up to this length are counted by text.
  static constexpr std::size_t kMaxShortToken = 16;

  explicit TTokenCensus(TValueCensus& values);

  void Add(const char* text, std::size_t length, long row, long column);
  void Finish();

 private:
  struct TEntry {
    std::uint64_t low;
    std::uint64_t high;
    std::uint32_t length;  // 0 marks an empty slot
    bool zero;
    double value;
    long count;
    long firstColumn;
    long firstRow;
  };

  TEntry* Find(std::uint64_t low, std::uint64_t high, std::uint32_t length, std::size_t hash);
  void CountByValue(const char* text, std::size_t length, long row, long column);

  TValueCensus& MbrValues;
  TDecimalCensus MbrDecimals;
  std::vector<TEntry> MbrSlots;
  std::size_t MbrUsed = 0;
  TMissMeter MbrMisses;
};
