#include <cmath>
#include <limits>
#include <map>
#include <memory>
#include <vector>

#include "MapAlgebraSupport.h"
#include "TAxis.h"
#include "TMapTools.h"

namespace {
const double kNaN = std::numeric_limits<double>::quiet_NaN();

// The values 4.9, 5, 7, -9999 and NaN in one row, no-data value -1.
TMapPtr FiveValues() {
  TMapPtr map = MakeGrid(5, 1, 10, 20, 2, -1, "4.9 5 7 -9999 0");
  map->SetPoint(4, 0, kNaN);
  return map;
}

// Compares a one-row map with the expected cells; a NaN expects a NaN.
void ExpectRow(const TMap* map, const std::vector<double>& expected) {
  ASSERT_EQ(map->GetXDim(), static_cast<long>(expected.size()));
  for (std::size_t k = 0; k < expected.size(); ++k) {
    const double v = map->MbrVecValues[0][k];
    EXPECT_TRUE(v == expected[k] || (std::isnan(v) && std::isnan(expected[k]))) << "cell " << k << ": " << v;
  }
}

TEST(Recoding, ResultsLieOnTheInputsGridWithNoDataMinus9999) {
  TMapPtr map = FiveValues();
  const MapShape before(map.get());
  const std::map<double, double> table{{5, 50}};
  const TMapPtr results[] = {
      TMapPtr(TMapTools::Threshold(map.get(), 5)),
      TMapPtr(TMapTools::ThresholdReplace(map.get(), 5, 1)),
      TMapPtr(TMapTools::Mask(map.get(), map.get(), 7, 0)),
      TMapPtr(TMapTools::ReplaceValue(map.get(), table, 0)),
  };
  for (const TMapPtr& result : results) {
    const MapShape shape(result.get());
    EXPECT_EQ(shape.NoData, -9999);
    EXPECT_EQ(shape.Resolution, 2);
    EXPECT_EQ(shape.XCentres, before.XCentres);
    EXPECT_EQ(shape.YCentres, before.YCentres);
  }
  EXPECT_TRUE(MapShape(map.get()) == before);
}

TEST(Threshold, KeepsValuesAtOrAboveAndZeroesTheRest) {
  TMapPtr map = FiveValues();
  ExpectRow(TMapPtr(TMapTools::Threshold(map.get(), 5)).get(), {0, 5, 7, 0, 0});
  ExpectRow(TMapPtr(TMapTools::Threshold(map.get(), -10000)).get(), {4.9, 5, 7, -9999, 0});
}

TEST(Threshold, AppliesToEveryMapOfAStack) {
  TMapPtr a = MakeGrid(2, 1, 0, 0, 1, -9999, "1 6");
  TMapPtr b = MakeGrid(3, 1, 0, 0, 1, -9999, "9 2 5");
  std::vector<TMap*> made = TMapTools::Threshold(std::vector<TMap*>{a.get(), b.get(), a.get()}, 5);
  std::vector<TMapPtr> results(made.begin(), made.end());
  ASSERT_EQ(results.size(), 3u);
  EXPECT_EQ(results[0]->MbrVecValues, (Cells{{0, 6}}));
  EXPECT_EQ(results[1]->MbrVecValues, (Cells{{9, 0, 5}}));
  EXPECT_EQ(results[2]->MbrVecValues, (Cells{{0, 6}}));
  EXPECT_NE(results[0].get(), results[2].get());
  EXPECT_EQ(b->MbrVecValues, (Cells{{9, 2, 5}}));
  EXPECT_TRUE(TMapTools::Threshold(std::vector<TMap*>{}, 5).empty());
}

TEST(ThresholdReplace, KeepsValuesBelowAndNaNAndReplacesTheRest) {
  TMapPtr map = FiveValues();
  ExpectRow(TMapPtr(TMapTools::ThresholdReplace(map.get(), 5, 1)).get(), {4.9, 1, 1, -9999, kNaN});
}

TEST(Mask, TakesTheValueMapsCellsOnTheGridMapsGrid) {
  TMapPtr grid = MakeGrid(2, 2, 100, 200, 5, -1, "7 7\n7 7");
  TMapPtr values = MakeGrid(2, 2, 0, 0, 1, -9999, "0 1\n1 0");
  values->SetPoint(1, 0, kNaN);
  TMapPtr masked(TMapTools::Mask(grid.get(), values.get(), 0, -9999));
  EXPECT_EQ(masked->MbrVecValues[0][0], -9999);
  EXPECT_TRUE(std::isnan(masked->MbrVecValues[0][1]));
  EXPECT_EQ(masked->MbrVecValues[1], (std::vector<double>{1, -9999}));
  EXPECT_EQ(MapShape(masked.get()).XEdges, MapShape(grid.get()).XEdges);

  TMapPtr wide = MakeGrid(3, 2, 0, 0, 1, -9999, "1 2 3\n4 5 6");
  TMapPtr tall = MakeGrid(2, 3, 0, 0, 1, -9999, "1 2\n3 4\n5 6");
  EXPECT_THROWS_TEXT(TMapTools::Mask(wide.get(), grid.get(), 0, 1), "X dimensions do not match in TMapTools::Mask");
  EXPECT_THROWS_TEXT(TMapTools::Mask(tall.get(), grid.get(), 0, 1), "Y dimensions do not match in TMapTools::Mask");
}

TEST(ReplaceValue, RecodesThroughTheTableWithADefault) {
  TMapPtr map = MakeGrid(5, 1, 0, 0, 1, -9999, "1 2 3 -9999 -0");
  struct Case {
    const char* name;
    std::map<double, double> table;
    std::vector<double> expected;
  };
  const Case cases[] = {
      {"keys 1 and 2", {{1, 10}, {2, 20}}, {10, 20, 0, 0, 0}},
      {"no data kept", {{1, 10}, {2, 20}, {-9999, -9999}}, {10, 20, 0, -9999, 0}},
      {"empty table", {}, {0, 0, 0, 0, 0}},
      {"zero key matches negative zero", {{0, 5}}, {0, 0, 0, 0, 5}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TMapPtr recoded(TMapTools::ReplaceValue(map.get(), c.table, 0));
    EXPECT_EQ(recoded->MbrVecValues[0], c.expected);
  }
}

TEST(ReplaceValue, NaNNeverMatchesAKey) {
  // A NaN cell takes the default whatever the table holds; a NaN key (which only
  // a table of that one key can hold) matches no cell.
  TMapPtr map = MakeGrid(3, 1, 0, 0, 1, -9999, "1 0 3");
  map->SetPoint(1, 0, kNaN);
  const std::map<double, double> tables[] = {{{1, 10}, {2, 20}, {3, 30}}, {{kNaN, 7}}};
  const std::vector<double> expected[] = {{10, -5, 30}, {-5, -5, -5}};
  for (std::size_t t = 0; t < 2; ++t) {
    SCOPED_TRACE(t);
    TMapPtr recoded(TMapTools::ReplaceValue(map.get(), tables[t], -5));
    EXPECT_EQ(recoded->MbrVecValues[0], expected[t]);
  }
}

TEST(Recoding, AMapWhoseCentreAxesDifferInResolutionCannotBeCopied) {
  TMap map(1.0, 2, 1);
  TAxis xEdges(1.0), yEdges(2.0);
  for (double x : {0.0, 1.0, 2.0}) xEdges.AddPoint(new TPoint(x, 1));
  for (double y : {1.0, 0.0}) yEdges.AddPoint(new TPoint(0, y));
  map.SetXAxisInterval(&xEdges);
  map.SetYAxisInterval(&yEdges);
  EXPECT_THROWS_TEXT(TMapTools::Threshold(&map, 0), "Axes resolutions do not match in TMap::TMap");
  EXPECT_THROWS_TEXT(TMapTools::RoundContents(&map), "Axes resolutions do not match in TMap::TMap");
}
}  // namespace
