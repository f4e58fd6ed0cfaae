#include "TValueCensus.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <random>
#include <utility>
#include <vector>

#include "TKeySort.h"
#include "TestSupport.h"

namespace {
using Counts = std::vector<std::pair<double, long>>;

Counts Walk(TValueCensus& census) {
  Counts counts;
  census.ForEachAscending([&counts](double value, long count) { counts.emplace_back(value, count); });
  return counts;
}

TEST(ValueCensus, CountsExactlyAcrossTheTableTheSpillAndCountedSpills) {
  // Far more distinct values than the table holds, negative and positive: single
  // cells and counts of several cells arrive before and after it fills, and the
  // early values keep coming back.
  // A table of 1024 slots holds 512 values.
  TValueCensus census(1 << 10);
  std::map<double, long> expected;
  const auto add = [&](double value, long count) {
    census.Add(value, count, 0, 0);
    expected[value] += count;
  };
  for (long i = 0; i < 20000; ++i) {
    add((i % 2 == 0 ? -1.0 : 1.0) * (static_cast<double>(i) * 0.37 + 0.5), 1);
    add(static_cast<double>(i % 300) + 0.25, 1);
    if (i % 7 == 0) add(static_cast<double>(i) * 1.5 + 0.125, 3);
  }
  EXPECT_EQ(Walk(census), Counts(expected.begin(), expected.end()));
}

TEST(ValueCensus, AHintOfTheCellsToComeChangesNoCount) {
  // No hint, a hint too small, an exact one, and one beyond any vector's size.
  const long long hints[] = {0, 100, 6000, 1LL << 62};
  Counts reference;
  for (long long hint : hints) {
    SCOPED_TRACE(hint);
    TValueCensus census(1 << 10);
    census.ExpectCells(hint);
    for (long i = 0; i < 6000; ++i) census.Add(static_cast<double>((i * 7919) % 5000) - 2500.5, 0, 0);
    const Counts counts = Walk(census);
    ASSERT_EQ(counts.size(), 5000u);
    if (reference.empty()) reference = counts;
    EXPECT_EQ(counts, reference);
  }
}

TEST(ValueCensus, CountsExactlyWhenTheSpillIsSortedOnTwoThreads) {
  // Enough distinct values past the full table for the two-thread sort, with
  // repeats and both zeros among them.
  const long cells = static_cast<long>(TValueCensus::kMaxSlots / 2 + TKeySort::kParallelFrom + 5000);
  std::mt19937_64 random(99);
  std::uniform_real_distribution<double> uniform(-1000, 1000);
  std::vector<double> values;
  TValueCensus census;
  for (long i = 0; i < cells; ++i) {
    const double value = i % 1000 == 0 ? (i % 2000 == 0 ? -0.0 : 0.0) : i % 7 == 0 ? 0.5 : uniform(random);
    values.push_back(value);
    census.Add(value, i, 0);
  }
  std::sort(values.begin(), values.end());
  Counts expected;
  for (double value : values) {
    if (!expected.empty() && expected.back().first == value)
      ++expected.back().second;
    else
      expected.emplace_back(value, 1);
  }
  const Counts counts = Walk(census);
  EXPECT_EQ(counts, expected);
  // The first zero, at column 0, is negative.
  const auto zero = std::find_if(counts.begin(), counts.end(), [](const auto& c) { return c.first == 0; });
  ASSERT_NE(zero, counts.end());
  EXPECT_TRUE(std::signbit(zero->first));
}

TEST(ValueCensus, ZeroTakesTheFormOfTheFirstInColumnMajorOrderAndNaNIsLeftOut) {
  TValueCensus census;
  const double nan = std::nan("");
  census.Add(0.0, 2, 3, 0);  // two cells, the first at column 3, row 0
  census.Add(-0.0, 1, 2, 9);
  census.Add(nan, 0, 0);
  census.Add(-1e300, 1, 0);
  const Counts counts = Walk(census);
  ASSERT_EQ(counts.size(), 2u);
  EXPECT_EQ(counts[0], std::make_pair(-1e300, 1L));
  EXPECT_EQ(counts[1].second, 3);
  EXPECT_TRUE(std::signbit(counts[1].first));
  EXPECT_EQ(census.NaNCount(), 1);
}
}  // namespace
