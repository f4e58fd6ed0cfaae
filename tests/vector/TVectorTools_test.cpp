#include "TVectorTools.h"

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "TestSupport.h"

namespace {
const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();
const char* const kProductMessage = "Length of vectors does not match in TVectorTools::VectorProduct";
const char* const kSeriesMessage = "Step does not carry the series past its end in TVectorTools::VectorSeries";

TEST(TVectorTools, SumsAndMeans) {
  EXPECT_EQ(TVectorTools::SumVector({}), 0.0);
  EXPECT_EQ(TVectorTools::SumVector({0.1, 0.2, 0.3}), (0.1 + 0.2) + 0.3);  // first to last
  EXPECT_EQ(TVectorTools::VectorMean({1, 2, 3, 4}), 2.5);
  EXPECT_TRUE(std::isnan(TVectorTools::VectorMean({})));
}

TEST(TVectorTools, WeightedMeanDividesByTheCountNotByTheWeights) {
  EXPECT_EQ(TVectorTools::VectorWeightedMean({1, 2, 3}, {1, 1, 1}), 2.0);
  EXPECT_EQ(TVectorTools::VectorWeightedMean({2, 4}, {1, 3}), 7.0);
  EXPECT_TRUE(std::isnan(TVectorTools::VectorWeightedMean({}, {})));
  EXPECT_THROWS_TEXT(TVectorTools::VectorWeightedMean({1, 2}, {1, 2, 3}),
                     "Length of value and weight vectors do not match in TVectorTools::WeightedMean");
}

TEST(TVectorTools, HasValueUsesPlainEquality) {
  EXPECT_TRUE(TVectorTools::HasValue(std::vector<double>{1.5, 2.5}, 2.5));
  EXPECT_FALSE(TVectorTools::HasValue(std::vector<double>{1.5, 2.5}, 2.0));
  EXPECT_FALSE(TVectorTools::HasValue(std::vector<double>{}, 0.0));
  EXPECT_FALSE(TVectorTools::HasValue(std::vector<double>{1, kNaN}, kNaN));
  EXPECT_TRUE(TVectorTools::HasValue(std::vector<double>{-0.0}, 0.0));
  EXPECT_TRUE(TVectorTools::HasValue(std::vector<int>{3, -7}, -7));
  EXPECT_FALSE(TVectorTools::HasValue(std::vector<int>{3, -7}, 7));
  EXPECT_FALSE(TVectorTools::HasValue(std::vector<int>{}, 0));
}

TEST(TVectorTools, VectorProduct) {
  EXPECT_EQ(TVectorTools::VectorProduct({1, 2, 3}, {4, 5, 6}), (std::vector<double>{4, 10, 18}));
  EXPECT_TRUE(TVectorTools::VectorProduct({}, {}).empty());
  EXPECT_THROWS_TEXT(TVectorTools::VectorProduct({1, 2}, {1, 2, 3}), kProductMessage);
}

TEST(TVectorTools, VectorSeriesAddsTheStepRepeatedly) {
  struct Case {
    const char* name;
    double start, end, step;
    std::vector<double> expected;
  };
  const Case cases[] = {
      {"quarters", 0, 1, 0.25, {0, 0.25, 0.5, 0.75, 1}},
      {"start above end", 1, 0, 1, {}},
      {"start above end with a zero step", 1, 0, 0, {}},
      {"start equal to end", 2, 2, 1, {2}},
      {"NaN step gives the start alone", 3, 5, kNaN, {3}},
      {"NaN start", kNaN, 5, 1, {}},
      {"NaN end", 0, kNaN, 1, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(TVectorTools::VectorSeries(c.start, c.end, c.step), c.expected);
  }

  // Repeated addition, not start + i * step: the errors accumulate.
  const std::vector<double> tenths = TVectorTools::VectorSeries(0, 1, 0.1);
  ASSERT_EQ(tenths.size(), 11u);
  EXPECT_EQ(tenths[3], 0.30000000000000004);
  EXPECT_EQ(tenths[10], 0.9999999999999999);
}

TEST(TVectorTools, VectorSeriesRefusesAStepThatNeverReachesTheEnd) {
  struct Case {
    const char* name;
    double start, end, step;
  };
  const Case cases[] = {
      {"zero step", 0, 1, 0},          {"negative zero step", 0, 1, -0.0},
      {"negative step", 0, 1, -1},     {"zero step with start equal to end", 2, 2, 0},
      {"infinite end", 0, kInf, 1},    {"step lost in the start", 1e20, 2e20, 1},
      {"infinite start", -kInf, 0, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_THROWS_TEXT(TVectorTools::VectorSeries(c.start, c.end, c.step), kSeriesMessage);
  }
}

TEST(TVectorTools, GradientIsTheLeastSquaresSlope) {
  EXPECT_EQ(TVectorTools::Gradient({0, 1, 2}, {1, 3, 5}), 2.0);
  EXPECT_EQ(TVectorTools::Gradient({1, 2, 4}, {2, 3, 7}), 1.7142857142857142);
  // Evaluated as (Sxy n - Sx Sy) / (Sxx n - Sx Sx).
  const std::vector<double> x{0.1, 0.7, 1.3, 2.9};
  const std::vector<double> y{0.3, 0.2, 1.9, 7.7};
  const double sx = ((0.1 + 0.7) + 1.3) + 2.9;
  const double sy = ((0.3 + 0.2) + 1.9) + 7.7;
  const double sxx = ((0.1 * 0.1 + 0.7 * 0.7) + 1.3 * 1.3) + 2.9 * 2.9;
  const double sxy = ((0.1 * 0.3 + 0.7 * 0.2) + 1.3 * 1.9) + 2.9 * 7.7;
  EXPECT_EQ(TVectorTools::Gradient(x, y), (sxy * 4 - sx * sy) / (sxx * 4 - sx * sx));
}

TEST(TVectorTools, GradientDividesByZeroWithoutAGuard) {
  EXPECT_TRUE(std::isnan(TVectorTools::Gradient({3}, {5})));
  EXPECT_TRUE(std::isnan(TVectorTools::Gradient({}, {})));
  EXPECT_TRUE(std::isnan(TVectorTools::Gradient({2, 2}, {1, 1})));
  EXPECT_THROWS_TEXT(TVectorTools::Gradient({1, 2}, {1, 2, 3}), kProductMessage);
}

TEST(TVectorTools, StringConversionsReadTheLongestNumberPrefix) {
  EXPECT_EQ(TVectorTools::StringToInt({"12", " 7x", "abc", "-3", "+4", "", "\t\n9", "3.9", "- 5"}),
            (std::vector<int>{12, 7, 0, -3, 4, 0, 9, 3, 0}));
  EXPECT_EQ(TVectorTools::StringToInt({"99999999999999999999", "-99999999999999999999", "2147483648"}),
            (std::vector<int>{std::numeric_limits<int>::max(), std::numeric_limits<int>::min(),
                              std::numeric_limits<int>::max()}));
  EXPECT_EQ(TVectorTools::StringToDouble({"1.5", "2e3", "x", " -.5e-1z", "", "7e"}),
            (std::vector<double>{1.5, 2000, 0, -0.05, 0, 7}));
  EXPECT_EQ(TVectorTools::IntToDouble({0, -3, std::numeric_limits<int>::max()}),
            (std::vector<double>{0, -3, 2147483647.0}));
  EXPECT_TRUE(TVectorTools::StringToInt({}).empty());
}
}  // namespace
