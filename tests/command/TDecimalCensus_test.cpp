#include "TDecimalCensus.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "TNumberText.h"
#include "TValueCensus.h"
#include "TestSupport.h"

namespace {
using Counts = std::vector<std::pair<double, long>>;

Counts Collect(TDecimalCensus& decimals) {
  TValueCensus values;
  decimals.Finish(values);
  Counts counts;
  values.ForEachAscending([&counts](double value, long count) { counts.emplace_back(value, count); });
  return counts;
}

TEST(DecimalCensus, GivesEachValueExactlyAsTheNumberParserReadsIt) {
  const char* const tokens[] = {"1",  "1.0", "+1.00",           "1207.15",          "-1207.15",          "0.1", "0.3",
                                "5.", ".5",  "123456789012345", "12345678.9012345", "-0.00000000000001", "9.95"};
  for (const char* token : tokens) {
    SCOPED_TRACE(token);
    const std::size_t length = std::string(token).size();
    double value;
    ASSERT_TRUE(TNumberText::ParseDecimal(token, length, value));
    TDecimalCensus decimals;
    ASSERT_TRUE(decimals.Add(token, length));
    EXPECT_EQ(Collect(decimals), Counts({{value, 1}}));
  }
}

TEST(DecimalCensus, KeepsCountsWhileWindowsWidenBothWays) {
  // Values met in an order that widens the window upwards and downwards, with
  // repeats before and after each widening.
  const char* const tokens[] = {"5", "5", "900", "5", "-70000", "900", "3000000", "-70000", "5"};
  TDecimalCensus decimals;
  for (const char* token : tokens) ASSERT_TRUE(decimals.Add(token, std::string(token).size())) << token;
  const Counts expected{{-70000, 2}, {5, 4}, {900, 2}, {3000000, 1}};
  EXPECT_EQ(Collect(decimals), expected);
}

TEST(DecimalCensus, RefusesValuesBeyondItsCountersAndCarriesFullCounters) {
  TDecimalCensus decimals(3);
  ASSERT_TRUE(decimals.Add("7", 1));
  // Farther from 7 than the counters reach: left to the caller.
  EXPECT_FALSE(decimals.Add("999999999", 9));
  for (int i = 0; i < 9; ++i) ASSERT_TRUE(decimals.Add("7", 1));
  ASSERT_TRUE(decimals.Add("7.5", 3));
  const Counts expected{{7, 10}, {7.5, 1}};
  EXPECT_EQ(Collect(decimals), expected);
}
}  // namespace
