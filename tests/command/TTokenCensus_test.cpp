#include "TTokenCensus.h"

#include <cmath>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "TNumberText.h"
#include "TValueCensus.h"
#include "TestSupport.h"

namespace {
using Counts = std::vector<std::pair<double, long>>;

// Counts tokens given in column-major order of a grid `rows` tall.
Counts CountTokens(const std::vector<std::string>& tokens, long rows) {
  TValueCensus values;
  TTokenCensus census(values);
  for (std::size_t i = 0; i < tokens.size(); ++i)
    census.Add(tokens[i].data(), tokens[i].size(), static_cast<long>(i) % rows, static_cast<long>(i) / rows);
  census.Finish();
  Counts counts;
  values.ForEachAscending([&counts](double value, long count) { counts.emplace_back(value, count); });
  return counts;
}

Counts Reference(const std::vector<std::string>& tokens) {
  std::map<double, long> counts;
  for (const std::string& token : tokens) {
    double value;
    EXPECT_TRUE(TNumberText::ParseDecimal(token.data(), token.size(), value)) << token;
    ++counts[value];
  }
  return Counts(counts.begin(), counts.end());
}

TEST(TokenCensus, MergesTheCountsOfEveryTextOfOneValue) {
  // Plain decimals, the text table (exponents) and the value census (long texts).
  const std::vector<std::string> tokens{"1",  "1.0",   "1e0",   "10e-1",  "1.00000000000000000000",
                                        "+1", "2.5",   "25e-1", "0.25E1", "2.50000000000000000000",
                                        "-3", "-3.0e0"};
  const Counts expected{{-3, 2}, {1, 6}, {2.5, 4}};
  EXPECT_EQ(CountTokens(tokens, 3), expected);
}

TEST(TokenCensus, ZeroTakesTheFormMetFirstColumnByColumnWhicheverTableHoldsIt) {
  struct Case {
    const char* name;
    std::vector<std::string> tokens;  // column-major, two rows
    bool negative;
  };
  const std::string longZero = "0.000000000000000000000";
  const std::string longNegativeZero = "-0.000000000000000000000";
  const Case cases[] = {
      {"short negative first", {"-0", "0", "0e0", longZero}, true},
      {"long negative first", {longNegativeZero, "0", "-0", longZero}, true},
      {"short positive first", {"0.0", "-0", longNegativeZero, "0"}, false},
      {"long positive first, negatives later", {"5", longZero, "-0", "-0e5"}, false},
      {"an underflow reads as a zero of its sign", {"-1e-400", "0", "7", "7"}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Counts counts = CountTokens(c.tokens, 2);
    ASSERT_FALSE(counts.empty());
    const auto zero = counts[0].second == 1 && counts.size() > 1 ? counts[1] : counts[0];
    EXPECT_EQ(zero.first, 0.0);
    EXPECT_EQ(std::signbit(zero.first), c.negative);
  }
}

TEST(TokenCensus, CountsExactlyWhenTheTextTableIsFullAndPassedBy) {
  // More distinct exponent texts than the text table holds, with the early ones
  // repeated all along, so that look-ups hit, miss, and are skipped.
  std::vector<std::string> tokens;
  for (int i = 0; i < 60000; ++i) {
    tokens.push_back(std::to_string(i) + "e-2");
    tokens.push_back(std::to_string(i % 100) + "e-2");
  }
  EXPECT_EQ(CountTokens(tokens, 7), Reference(tokens));
}

TEST(TokenCensus, ReportsAMalformedTokenAtItsPlaceInEveryPath) {
  struct Case {
    const char* name;
    std::size_t filler;  // distinct exponent texts met before the bad one
    std::string bad;
  };
  const Case cases[] = {
      {"short, table not full", 10, "1.5.3"},
      {"short, table full or passed by", 40000, "12abc"},
      {"long", 10, "1.0000000000000000000x"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TValueCensus values;
    TTokenCensus census(values);
    for (std::size_t i = 0; i < c.filler; ++i) {
      const std::string text = std::to_string(i) + "e1";
      census.Add(text.data(), text.size(), 0, static_cast<long>(i));
    }
    EXPECT_THROWS_TEXT(census.Add(c.bad.data(), c.bad.size(), 4, 6),
                       "File format error: cell value \"" + c.bad + "\" at row 5, column 7 is not a number");
  }
}
}  // namespace
