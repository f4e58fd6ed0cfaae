#include <cmath>
#include <limits>

#include "TMapTools.h"
#include "TestSupport.h"

namespace {
const char* const kHeader2x2 = "ncols 2\nnrows 2\nxllcorner 0\nyllcorner 0\ncellsize 1\nNODATA_value -9999\n";

TEST(CountValues, CountsEachDistinctValueInAscendingOrder) {
  TMapPtr map = GridFromText(std::string(kHeader2x2) + "1 2\n2 -9999\n");
  const ValueCountTable table = TMapTools::CountValues(map.get());
  const ValueCountTable expected{{-9999, 1}, {1, 1}, {2, 2}};
  EXPECT_EQ(table, expected);
}

TEST(CountValues, ZeroAndNegativeZeroAreOneKeyInTheFormMetFirstColumnByColumn) {
  struct Case {
    const char* name;
    const char* cells;
    bool negative;
  };
  // Row-major text; the census visits column 0 top to bottom first.
  const Case cases[] = {
      {"positive first in row order and column order", "0 -0\n5 5\n", false},
      {"negative zero heads column 0 though second in the file", "5 0\n-0 5\n", true},
      {"positive zero heads column 0 below a five", "5 -0\n0 5\n", false},
      {"only negative zeros", "-0 -0.0\n5 5\n", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TMapPtr map = GridFromText(std::string(kHeader2x2) + c.cells);
    const ValueCountTable table = TMapTools::CountValues(map.get());
    ASSERT_EQ(table.size(), 2u);
    EXPECT_EQ(table.begin()->first, 0.0);
    EXPECT_EQ(table.begin()->second, 2);
    EXPECT_EQ(std::signbit(table.begin()->first), c.negative);
  }
}

TEST(CountValues, NaNCellsAreLeftOutOfTheOrderedTable) {
  TMapPtr map = GridFromText(std::string(kHeader2x2) + "1 2\n3 4\n");
  const double nan = std::numeric_limits<double>::quiet_NaN();
  map->SetPoint(0, 0, nan);
  map->SetPoint(1, 1, nan);
  const ValueCountTable table = TMapTools::CountValues(map.get());
  const ValueCountTable expected{{2, 1}, {3, 1}};
  EXPECT_EQ(table, expected);
  EXPECT_EQ(TMapTools::CountValues(map.get(), nan), 0);
}

TEST(CountValues, ManyDistinctValuesSpillBeyondTheTableAndStillCountExactly) {
  // Enough distinct values to pass the in-cache table, with repeats on both sides.
  const long columns = 600;
  const long rows = 400;
  TMap map(1.0, columns, rows);
  ValueCountTable expected;
  for (long y = 0; y < rows; ++y)
    for (long x = 0; x < columns; ++x) {
      const double value = ((x * 7919 + y * 104729) % 150001) * 0.25 - 1000;
      map.SetPoint(x, y, value);
      ++expected[value];
    }
  EXPECT_EQ(TMapTools::CountValues(&map), expected);
}

TEST(CountValues, SingleValueForm) {
  TMapPtr map = GridFromText(std::string(kHeader2x2) + "-9999 1\n-9999 3\n");
  EXPECT_EQ(TMapTools::CountValues(map.get(), -9999), 2);
  EXPECT_EQ(TMapTools::CountValues(map.get(), 5), 0);
  TMap empty(1.0);
  EXPECT_EQ(TMapTools::CountValues(&empty, 5), 0);
  EXPECT_TRUE(TMapTools::CountValues(&empty).empty());
}
}  // namespace
