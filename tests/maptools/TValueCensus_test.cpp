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
TEST(ValueCensus, StretchesOfTwoCensusesMakeUpTheirWalk) {
  // Two censuses of one grid's parts, with the table, the spill, counted runs and
  // zeros (one -0, first column by column, in the second): the stretches,
  // walked one after the other, must give the walk of both together, whatever
  // their number.
  const auto fill = [](TValueCensus& census, long seed, long firstColumn) {
    std::mt19937_64 random(seed);
    std::uniform_real_distribution<double> uniform(-50, 50);
    for (long i = 0; i < 3000; ++i) {
      const double zero = seed == 2 && i == 0 ? -0.0 : 0.0;
      const double value = i % 97 == 0 ? zero : i % 5 == 0 ? 0.5 * (i % 40) : uniform(random);
      census.Add(value, i % 3 == 0 ? 4 : 1, firstColumn + i, 0);
    }
  };
  Counts whole;
  {
    TValueCensus first(1 << 10), second(1 << 10);
    fill(first, 1, 10);
    fill(second, 2, 0);
    TValueCensus::ForEachAscending(first, second, [&whole](double value, long count) {
      whole.emplace_back(value, count);
    });
  }
  ASSERT_GT(whole.size(), 4000u);
  const auto zero = std::find_if(whole.begin(), whole.end(), [](const auto& c) { return c.first == 0; });
  ASSERT_NE(zero, whole.end());
  EXPECT_TRUE(std::signbit(zero->first));
  for (std::size_t count : {1u, 2u, 7u, 1000u, 100000u}) {
    SCOPED_TRACE(count);
    TValueCensus first(1 << 10), second(1 << 10);
    fill(first, 1, 10);
    fill(second, 2, 0);
    first.Sort();
    second.Sort();
    const auto stretches = TValueCensus::Cut(first, &second, count);
    EXPECT_LE(stretches.size(), count);
    Counts walked;
    for (const auto& stretch : stretches) {
      TValueCensus::WalkStretch(first, &second, stretch, [&walked](double value, long n) {
        walked.emplace_back(value, n);
      });
    }
    ASSERT_EQ(walked.size(), whole.size());
    for (std::size_t i = 0; i < whole.size(); ++i) {
      ASSERT_EQ(walked[i].second, whole[i].second) << i;
      ASSERT_EQ(std::signbit(walked[i].first), std::signbit(whole[i].first)) << i;
      ASSERT_EQ(walked[i].first, whole[i].first) << i;
    }
  }
}
}  // namespace
