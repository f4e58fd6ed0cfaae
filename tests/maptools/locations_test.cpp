#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "TMapTools.h"
#include "TPoint.h"
#include "TestSupport.h"

namespace {
const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kNoData = -9999;

// A grid of cell size 2 from (10, 20); `cells` lists the rows from the north.
TMapPtr Grid(long columns, long rows, const std::string& cells) {
  return GridFromText("ncols " + std::to_string(columns) + "\nnrows " + std::to_string(rows) +
                      "\nxllcorner 10\nyllcorner 20\ncellsize 2\nNODATA_value -9999\n" + cells + "\n");
}

// Holds the tables GetFirstValues returns and deletes their points.
struct OwnedLocations {
  std::vector<ValueLocationTable> Tables;
  explicit OwnedLocations(std::vector<ValueLocationTable> tables) : Tables(std::move(tables)) {}
  explicit OwnedLocations(ValueLocationTable table) { Tables.push_back(std::move(table)); }
  ~OwnedLocations() {
    for (auto& table : Tables)
      for (auto& entry : table) delete entry.second;
  }
  const ValueLocationTable& operator*() const { return Tables.front(); }
};

// Key -> the centre of the cell its point stands for, as (column, row) of a grid of
// cell size 2 from (10, 20) with `rows` rows.
struct Location {
  double key;
  long column, row;
};

void ExpectLocations(const ValueLocationTable& table, long rows, const std::vector<Location>& expected) {
  ASSERT_EQ(table.size(), expected.size());
  auto entry = table.begin();
  for (const Location& location : expected) {
    SCOPED_TRACE(location.key);
    EXPECT_EQ(entry->first, location.key);
    EXPECT_EQ(entry->second->GetX(), 11 + 2 * location.column);
    EXPECT_EQ(entry->second->GetY(), 20 + 2 * rows - 1 - 2 * location.row);
    EXPECT_EQ(entry->second->GetValue(), location.key);
    ++entry;
  }
}

TEST(GetFirstValues, LocatesTheFirstCellOfEachValueInScanOrder) {
  struct Case {
    const char* name;
    long columns, rows;
    const char* cells;
    std::vector<double> excluded;
    std::vector<Location> expected;
  };
  const Case cases[] = {
      {"leading no-data is passed over, later no-data is not",
       1,
       5,
       "-9999\n5\n-9999\n5\n7",
       {},
       {{kNoData, 0, 2}, {5, 0, 1}, {7, 0, 4}}},
      {"excluded no-data", 1, 5, "-9999\n5\n-9999\n5\n7", {kNoData}, {{5, 0, 1}, {7, 0, 4}}},
      {"only no-data", 2, 2, "-9999 -9999\n-9999 -9999", {}, {}},
      {"no-data after the first cell", 2, 2, "3 -9999\n-9999 -9999", {}, {{kNoData, 0, 1}, {3, 0, 0}}},
      {"the leading run goes on into the next column", 2, 2, "-9999 -9999\n-9999 5", {}, {{5, 1, 1}}},
      {"columns before rows", 3, 6, "0 0 4\n0 0 0\n0 0 0\n0 0 0\n0 0 0\n0 4 0", {}, {{0, 0, 0}, {4, 1, 5}}},
      {"excluded values never enter", 2, 2, "1 2\n2 3", {2, 3}, {{1, 0, 0}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TMapPtr map = Grid(c.columns, c.rows, c.cells);
    OwnedLocations table(TMapTools::GetFirstValues(map.get(), c.excluded));
    ExpectLocations(*table, c.rows, c.expected);
  }
}

TEST(GetFirstValues, LeavesNaNCellsOutButLetThemBreakARun) {
  // Column: no-data, NaN, no-data, 4, NaN. The NaN ends the leading no-data run,
  // so the second no-data cell enters; no NaN key is made.
  TMapPtr map = Grid(1, 5, "-9999\n0\n-9999\n4\n0");
  map->SetPoint(0, 1, kNaN);
  map->SetPoint(0, 4, kNaN);
  OwnedLocations table(TMapTools::GetFirstValues(map.get(), {kNaN}));
  ExpectLocations(*table, 5, {{kNoData, 0, 2}, {4, 0, 3}});
}

TEST(GetFirstValues, GivesOneTablePerMapOfAStack) {
  TMapPtr first = Grid(2, 1, "1 2");
  TMapPtr second = Grid(2, 1, "2 -9999");
  OwnedLocations tables(TMapTools::GetFirstValues(std::vector<TMap*>{first.get(), second.get()}, {1}));
  ASSERT_EQ(tables.Tables.size(), 2u);
  ExpectLocations(tables.Tables[0], 1, {{2, 1, 0}});
  ExpectLocations(tables.Tables[1], 1, {{kNoData, 1, 0}, {2, 0, 0}});
  EXPECT_TRUE(TMapTools::GetFirstValues(std::vector<TMap*>{}, {}).empty());
}

TEST(FetchMapValues, ReadsEachKeysPointInAnotherMap) {
  TMapPtr map = Grid(3, 2, "1 2 3\n4 5 1");
  TMapPtr other = Grid(3, 2, "10 20 30\n40 50 60");
  OwnedLocations locations(TMapTools::GetFirstValues(map.get(), {}));
  const FetchedValueTable itself{{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}};
  EXPECT_EQ(TMapTools::FetchMapValues(map.get(), *locations), itself);
  const FetchedValueTable fetched{{1, 10}, {2, 20}, {3, 30}, {4, 40}, {5, 50}};
  EXPECT_EQ(TMapTools::FetchMapValues(other.get(), *locations), fetched);
  EXPECT_TRUE(TMapTools::FetchMapValues(map.get(), {}).empty());
}

TEST(FetchMapValues, FailsForThePointOfTheLowestKeyOutsideTheMap) {
  TMapPtr map = Grid(3, 2, "1 2 3\n4 5 6");  // X 10..16, Y 20..24
  TMapPoint inside(11, 21, 0), west(9, 21, 0), eastEdge(16, 21, 0);
  EXPECT_THROWS_TEXT(TMapTools::FetchMapValues(map.get(), {{1, &inside}, {2, &west}, {3, &eastEdge}}),
                     "Ordinate is out of range in TAxis::GetIndex");
  EXPECT_THROWS_TEXT(TMapTools::FetchMapValues(map.get(), {{1, &inside}, {2, &eastEdge}, {3, &west}}),
                     "LngX is out of range in TMap::GetPointVal");
}

TEST(FetchMapValues, ReadsMapIWithTableIAndRefusesTooFewTables) {
  TMapPtr first = Grid(2, 1, "1 2");
  TMapPtr second = Grid(2, 1, "3 4");
  TMapPoint west(11, 21, 0), east(13, 21, 0);
  const std::map<double, TMapPoint*> westTable{{7, &west}}, eastTable{{8, &east}};
  const std::vector<TMap*> stack{first.get(), second.get()};
  const std::vector<FetchedValueTable> expected{{{7, 1}}, {{8, 4}}};
  EXPECT_EQ(TMapTools::FetchMapValues(stack, {westTable, eastTable, westTable}), expected);
  EXPECT_THROWS_TEXT(TMapTools::FetchMapValues(stack, {westTable}),
                     "Fewer location tables than maps in TMapTools::FetchMapValues");
  EXPECT_TRUE(TMapTools::FetchMapValues(std::vector<TMap*>{}, {}).empty());
}

TEST(GetValuesOverlay, GathersTheValuesOfEachZoneInScanOrder) {
  TMapPtr values = Grid(3, 2, "1 2 3\n4 -9999 6");
  values->SetPoint(2, 0, kNaN);
  struct Case {
    const char* name;
    const char* zones;
    std::vector<double> excluded;
    std::vector<std::pair<double, std::vector<double>>> expected;
  };
  const Case cases[] = {
      {"one zone holds every cell, columns first", "5 5 5\n5 5 5", {}, {{5, {1, 4, 2, kNoData, kNaN, 6}}}},
      {"every zone excluded", "1 2 1\n2 1 2", {1, 2}, {}},
      {"no-data is a zone unless excluded", "1 -9999 1\n-9999 2 2", {2}, {{kNoData, {4, 2}}, {1, {1, kNaN}}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TMapPtr zones = Grid(3, 2, c.zones);
    const OverlayValueTable table = TMapTools::GetValuesOverlay(values.get(), zones.get(), c.excluded);
    ASSERT_EQ(table.size(), c.expected.size());
    auto entry = table.begin();
    for (const auto& zone : c.expected) {
      EXPECT_EQ(entry->first, zone.first);
      ASSERT_EQ(entry->second.size(), zone.second.size());
      for (std::size_t i = 0; i < zone.second.size(); ++i)
        if (std::isnan(zone.second[i]))
          EXPECT_TRUE(std::isnan(entry->second[i]));
        else
          EXPECT_EQ(entry->second[i], zone.second[i]);
      ++entry;
    }
  }
}

TEST(GetValuesOverlay, LeavesCellsOfANaNZoneOut) {
  TMapPtr values = Grid(2, 1, "1 2");
  TMapPtr zones = Grid(2, 1, "3 3");
  zones->SetPoint(0, 0, kNaN);
  const OverlayValueTable expected{{3, {2}}};
  EXPECT_EQ(TMapTools::GetValuesOverlay(values.get(), zones.get(), {}), expected);
}

TEST(GetValuesOverlay, RefusesMapsOfDifferentShapesWidthFirst) {
  TMapPtr map = Grid(3, 2, "1 2 3\n4 5 6");
  TMapPtr narrowAndTall = Grid(2, 3, "1 2\n3 4\n5 6");
  TMapPtr tall = Grid(3, 3, "1 2 3\n4 5 6\n7 8 9");
  EXPECT_THROWS_TEXT(TMapTools::GetValuesOverlay(map.get(), narrowAndTall.get(), {}), "Map X-dimensions do not match");
  EXPECT_THROWS_TEXT(TMapTools::GetValuesOverlay(tall.get(), map.get(), {}), "Map Y-Dimensions do not match");
}
}  // namespace
