#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "TAxis.h"
#include "TMapTools.h"
#include "TPoint.h"
#include "TestSupport.h"

namespace {
const double kNaN = std::numeric_limits<double>::quiet_NaN();
const char* const kStartBeforeEnd = "Stat map number must be less than end map number";
const char* const kWindowTooLarge = "Window size must be < number of maps in TMapTools::ValueGradients";

// A map of 2 columns and 2 rows of cell size 1 from (0, 0); `cells` lists the rows
// from the north.
TMapPtr Map2x2(const std::string& cells, double noData = -9999) {
  return GridFromText("ncols 2\nnrows 2\nxllcorner 0\nyllcorner 0\ncellsize 1\nNODATA_value " + std::to_string(noData) +
                      "\n" + cells + "\n");
}

std::vector<TMap*> Stack(const std::vector<TMapPtr>& maps) {
  std::vector<TMap*> stack;
  for (const TMapPtr& map : maps) stack.push_back(map.get());
  return stack;
}

// Takes over the maps a stack operation returns.
std::vector<TMapPtr> Own(const std::vector<TMap*>& maps) {
  std::vector<TMapPtr> owned;
  for (TMap* map : maps) owned.emplace_back(map);
  return owned;
}

std::vector<std::vector<double>> Cells(const TMap* map) { return map->MbrVecValues; }

TEST(GetValuesVector, ReadsOneCellThroughTheMapsOfTheRange) {
  std::vector<TMapPtr> maps;
  maps.push_back(Map2x2("1 2\n3 4"));
  maps.push_back(Map2x2("5 6\n7 8"));
  maps.push_back(Map2x2("9 10\n11 12"));
  EXPECT_EQ(TMapTools::GetValuesVector(Stack(maps), 1, 0, 0, 1), std::vector<double>({2, 6}));
  EXPECT_EQ(TMapTools::GetValuesVector(Stack(maps), 0, 1, 0, 2), std::vector<double>({3, 7, 11}));
  EXPECT_EQ(TMapTools::GetValuesVector(Stack(maps), 1, 1, 1, 2), std::vector<double>({8, 12}));
}

TEST(GetValuesVector, ChecksTheMapNumbersThenEachMapsCell) {
  std::vector<TMapPtr> maps;
  maps.push_back(Map2x2("1 2\n3 4"));
  maps.push_back(Map2x2("5 6\n7 8"));
  maps.push_back(GridFromText("ncols 1\nnrows 2\nxllcorner 0\nyllcorner 0\ncellsize 1\nNODATA_value -9999\n9\n10\n"));
  struct Case {
    const char* name;
    long x, y;
    int first, last;
    const char* message;
  };
  const char* const start = "Start map number is out of range in TMapTools::GetValuesVector";
  const char* const end = "End map number is out of range in TMapTools::GetValuesVector";
  const char* const column = "X-ordinate is out of range in TMap::GetPointVal";
  const char* const row = "Y-ordinate is out of range in TMap::GetPointVal";
  const Case cases[] = {
      {"negative first", 0, 0, -1, 1, start},
      {"first beyond the stack, before the order", 0, 0, 3, 1, start},
      {"last equal to the number of maps", 0, 0, 0, 3, end},
      {"negative last", 0, 0, 0, -1, end},
      {"first equal to last", 0, 0, 1, 1, kStartBeforeEnd},
      {"first after last", 0, 0, 2, 1, kStartBeforeEnd},
      {"column and row outside: the column first", 2, 2, 0, 1, column},
      {"row outside", 0, -1, 0, 1, row},
      {"each map is tested by itself: the narrower third map", 1, 0, 0, 2, column},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_THROWS_TEXT(TMapTools::GetValuesVector(Stack(maps), c.x, c.y, c.first, c.last), c.message);
  }
}

TEST(FindNonzeroNeighbourVal, TakesTheNorthernmostNonzeroCellOfTheEasternmostColumn) {
  struct Case {
    const char* name;
    const char* cells;  // 4 x 4, rows from the north
    long x, y;
    double expected;
  };
  const Case cases[] = {
      {"the corner block is 2 x 2: column 2 is not looked at", "0 0 9 0\n0 0 9 0\n0 0 0 0\n0 0 0 0", 0, 0, 0},
      {"column x + 1 wins over column x - 1", "0 0 0 0\n0 0 0 4\n3 0 0 0\n0 0 0 0", 2, 1, 4},
      {"column x - 1 row y + 1, column x + 1 row y - 1", "0 0 0 0\n0 0 6 0\n0 0 0 0\n0 5 0 0", 1, 2, 6},
      {"the lowest row within that column", "0 0 0 0\n0 0 7 0\n0 0 8 0\n0 0 0 0", 1, 2, 7},
      {"a block of zeros, negative zero among them", "0 0 0 0\n0 -0 0 0\n0 0 0 0\n0 0 0 0", 1, 1, 0},
      {"the centre alone", "9 0 0 0\n0 0 0 0\n0 0 2 0\n0 0 0 0", 2, 2, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TMapPtr map = GridFromText(
        std::string("ncols 4\nnrows 4\nxllcorner 0\nyllcorner 0\ncellsize 1\nNODATA_value -9999\n") + c.cells);
    EXPECT_EQ(TMapTools::FindNonzeroNeighbourVal(map.get(), c.x, c.y), c.expected);
  }
  TMapPtr map = Map2x2("0 0\n0 0");
  map->SetPoint(1, 0, kNaN);
  EXPECT_TRUE(std::isnan(TMapTools::FindNonzeroNeighbourVal(map.get(), 0, 1)));
}

TEST(FindNonzeroNeighbourVal, RefusesACellOutsideTheMapColumnFirst) {
  TMapPtr map = Map2x2("1 2\n3 4");
  const char* const column = "X-ordinate is out of range in TMapTools::FindNonzeroNeighbourVal";
  const char* const row = "Y-ordinate is out of range in TMapTools::FindNonzeroNeighbourVal";
  EXPECT_THROWS_TEXT(TMapTools::FindNonzeroNeighbourVal(map.get(), -1, 0), column);
  EXPECT_THROWS_TEXT(TMapTools::FindNonzeroNeighbourVal(map.get(), 2, 5), column);
  EXPECT_THROWS_TEXT(TMapTools::FindNonzeroNeighbourVal(map.get(), 1, 2), row);
  EXPECT_THROWS_TEXT(TMapTools::FindNonzeroNeighbourVal(map.get(), 0, -1), row);
}

// Cell (0, 0) rises by 1 per map; (1, 0) is zero in map 0; (0, 1) is constant;
// (1, 1) is map 2's no-data value there, which differs from the other maps'.
class ValueGradientsStack : public ::testing::Test {
 protected:
  ValueGradientsStack() {
    MbrMaps.push_back(Map2x2("1 0\n5 2", -1));
    MbrMaps.push_back(Map2x2("2 7\n5 4", -2));
    MbrMaps.push_back(Map2x2("3 9\n5 -3", -3));
  }
  std::vector<TMapPtr> MbrMaps;
};

TEST_F(ValueGradientsStack, GivesOneTrendMapPerWindowStart) {
  std::vector<TMapPtr> trends = Own(TMapTools::ValueGradients(Stack(MbrMaps), 1));
  ASSERT_EQ(trends.size(), 2u);
  // Maps 1 and 2 hold one value at (1, 1) besides map 2's no-data: 0 / 0.
  EXPECT_EQ(Cells(trends[0].get()), std::vector<std::vector<double>>({{1, -9999}, {0, 2}}));
  EXPECT_EQ(trends[1]->MbrVecValues[0], std::vector<double>({1, 2}));
  EXPECT_EQ(trends[1]->MbrVecValues[1][0], 0);
  EXPECT_TRUE(std::isnan(trends[1]->MbrVecValues[1][1]));
  for (const TMapPtr& trend : trends) {
    EXPECT_EQ(trend->GetNoData(), -9999);
    EXPECT_EQ(trend->GetXAxis()->GetPoint(1)->GetX(), 1.5);
    EXPECT_EQ(trend->GetYAxis()->GetPoint(0)->GetY(), 1.5);
  }

  std::vector<TMapPtr> whole = Own(TMapTools::ValueGradients(Stack(MbrMaps), 2));
  ASSERT_EQ(whole.size(), 1u);
  EXPECT_EQ(Cells(whole[0].get()), std::vector<std::vector<double>>({{1, -9999}, {0, 2}}));
}

TEST(ValueGradients, ReplacesZerosFromTheirNeighbourhood) {
  struct Case {
    const char* name;
    const char* last;  // the third map; the first two are "2 1\n1 1" and "0 6\n1 1"
    double expected;   // the trend of cell (0, 0)
  };
  const Case cases[] = {
      // Series 2, 6, 8: map 1's zero takes 6 from column 1, and so does the last map's.
      {"zeros in the middle and the last map", "0 8\n1 1", 3},
      // Series 2, 6, 0: a neighbourhood of zeros leaves 0, which enters the fit.
      {"a replacement that stays zero", "0 0\n0 0", -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<TMapPtr> maps;
    maps.push_back(Map2x2("2 1\n1 1"));
    maps.push_back(Map2x2("0 6\n1 1"));
    maps.push_back(Map2x2(c.last));
    std::vector<TMapPtr> trends = Own(TMapTools::ValueGradients(Stack(maps), 2));
    ASSERT_EQ(trends.size(), 1u);
    EXPECT_DOUBLE_EQ(trends[0]->MbrVecValues[0][0], c.expected);
  }
}

TEST_F(ValueGradientsStack, RefusesABadWindowOrShapeBeforeBuildingAnything) {
  std::vector<TMapPtr> mixed;
  mixed.push_back(Map2x2("1 2\n3 4"));
  mixed.push_back(
      GridFromText("ncols 3\nnrows 2\nxllcorner 0\nyllcorner 0\ncellsize 1\nNODATA_value -9999\n1 2 3\n4 5 6\n"));
  const char* const negative = "Window size is negative in TMapTools::ValueGradients";
  EXPECT_THROWS_TEXT(TMapTools::ValueGradients({}, 0), kWindowTooLarge);
  EXPECT_THROWS_TEXT(TMapTools::ValueGradients({}, -1), negative);
  EXPECT_THROWS_TEXT(TMapTools::ValueGradients(Stack(MbrMaps), 3), kWindowTooLarge);
  EXPECT_THROWS_TEXT(TMapTools::ValueGradients(Stack(MbrMaps), -1), negative);
  EXPECT_THROWS_TEXT(TMapTools::ValueGradients(Stack(mixed), 1),
                     "Map dimensions do not match in TMapTools::ValueGradients");
  EXPECT_THROWS_TEXT(TMapTools::ValueGradients(Stack(mixed), 2), kWindowTooLarge);
}

TEST(ValueGradients, AWindowOfZeroFailsUnlessEveryFirstMapIsZero) {
  std::vector<TMapPtr> maps;
  maps.push_back(Map2x2("0 0\n0 0"));
  maps.push_back(Map2x2("0 0\n0 -0"));
  std::vector<TMapPtr> trends = Own(TMapTools::ValueGradients(Stack(maps), 0));
  ASSERT_EQ(trends.size(), 2u);
  for (const TMapPtr& trend : trends)
    EXPECT_EQ(Cells(trend.get()), std::vector<std::vector<double>>(2, {-9999, -9999}));

  // Trend maps already built for map 0 are released when map 1 fails.
  maps.push_back(Map2x2("0 0\n3 0"));
  EXPECT_THROWS_TEXT(TMapTools::ValueGradients(Stack(maps), 0), kStartBeforeEnd);
}
}  // namespace
