#include <cmath>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "TARCGISFileTools.h"
#include "TAxis.h"
#include "TMapTools.h"
#include "TPoint.h"
#include "TestSupport.h"

namespace {
const double kNaN = std::numeric_limits<double>::quiet_NaN();
const char* const kOrdinateRange = "Ordinate is out of range in TAxis::GetIndex";
const char* const kNoIntersection = "Maps do not intersect in TMapTools::Intersection";
const char* const kNorthWestOutside = "Insert map's NW corner is outside of the destination map in TMapTools::Insert";
const char* const kSouthEastOutside = "Insert map's SE corner is outside of the destination map in TMapTools::Insert";

// A grid read from text: `cells` lists the rows from the north.
TMapPtr Grid(long columns, long rows, double xll, double yll, double cellSize, const std::string& cells,
             double noData = -9999) {
  std::ostringstream text;
  text << "ncols " << columns << "\nnrows " << rows << "\nxllcorner " << xll << "\nyllcorner " << yll << "\ncellsize "
       << cellSize << "\nNODATA_value " << noData << "\n"
       << cells << "\n";
  return GridFromText(text.str());
}

// A grid whose rows count from the south: the Y ordinates grow with the row index.
// `values` lists the rows from row 0.
TMapPtr AscendingGrid(double xll, double yll, double cellSize, const std::vector<std::vector<double>>& values) {
  const long rows = static_cast<long>(values.size());
  const long columns = static_cast<long>(values[0].size());
  auto map = std::make_unique<TMap>(cellSize, columns, rows);
  TAxis xs(cellSize), ys(cellSize);
  for (long x = 0; x < columns; ++x) xs.AddPoint(new TPoint(xll + (x + 0.5) * cellSize, yll));
  for (long y = 0; y < rows; ++y) ys.AddPoint(new TPoint(xll, yll + (y + 0.5) * cellSize));
  map->SetXAxis(&xs);
  map->SetYAxis(&ys);
  for (long y = 0; y < rows; ++y)
    for (long x = 0; x < columns; ++x) map->SetPoint(x, y, values[y][x]);
  return map;
}

// A map set up from its edge points alone, for geometry no grid file gives.
TMapPtr FromEdges(const std::vector<double>& xEdges, const std::vector<double>& yEdges) {
  auto map = std::make_unique<TMap>(1.0, static_cast<long>(xEdges.size()) - 1, static_cast<long>(yEdges.size()) - 1);
  TAxis xs(1.0), ys(1.0);
  for (double x : xEdges) xs.AddPoint(new TPoint(x, 0));
  for (double y : yEdges) ys.AddPoint(new TPoint(0, y));
  map->SetXAxisInterval(&xs);
  map->SetYAxisInterval(&ys);
  map->InitValues(5);
  return map;
}

std::vector<double> Centres(const TAxis* axis, char selector) {
  std::vector<double> centres;
  for (const TPoint* point : axis->MbrVecPoints) centres.push_back(selector == 'X' ? point->GetX() : point->GetY());
  return centres;
}

// The block of cells x1..x2, y1..y2 of a map, rows first.
std::vector<std::vector<double>> Block(const TMap* map, long x1, long x2, long y1, long y2) {
  std::vector<std::vector<double>> block;
  for (long y = y1; y <= y2; ++y)
    block.emplace_back(map->MbrVecValues[y].begin() + x1, map->MbrVecValues[y].begin() + x2 + 1);
  return block;
}

std::vector<std::vector<double>> AllCells(const TMap* map) {
  return Block(map, 0, map->GetXDim() - 1, 0, map->GetYDim() - 1);
}

TMapPtr LoadTestGrid(const std::string& name) {
  return TMapPtr(TARCGISFileTools::LoadARCGISFile(std::string(GRIDTALLY_SOURCE_DIR) + "/tests/data/" + name));
}

// ---- blocks by index ----

TEST(FindPatchExtent, GivesTheSmallestBlockHoldingEveryMatchingCell) {
  // Column 1, row 4 and column 3, row 2 hold 4; only column 0, row 0 holds 7.
  TMapPtr map = Grid(4, 5, 0, 0, 1, "7 0 0 0\n0 0 0 0\n0 0 0 4\n0 0 0 0\n0 4 0 0");
  map->SetPoint(2, 1, kNaN);
  struct Case {
    const char* name;
    double value;
    long north, south, west, east;
  };
  const Case cases[] = {
      {"two scattered cells", 4, 2, 4, 1, 3},
      {"many cells", 0, 0, 4, 0, 3},
      {"only the first cell", 7, 0, 0, 0, 0},
      {"no cell: the same answer", 9, 0, 0, 0, 0},
      {"NaN matches nothing, not even a NaN cell", kNaN, 0, 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    long north = -5, south = -5, west = -5, east = -5;
    TMapTools::FindPatchExtent(map.get(), c.value, north, south, west, east);
    EXPECT_EQ(north, c.north);
    EXPECT_EQ(south, c.south);
    EXPECT_EQ(west, c.west);
    EXPECT_EQ(east, c.east);
  }
  TMap empty(1.0);
  long north = -5, south = -5, west = -5, east = -5;
  TMapTools::FindPatchExtent(&empty, 0, north, south, west, east);
  EXPECT_EQ(std::vector<long>({north, south, west, east}), std::vector<long>({0, 0, 0, 0}));
}

TEST(BufferIndices, MovesEachSideByTheMarginAndStopsAtTheBorder) {
  TMap map(1.0, 7, 10);  // columns 0..6, rows 0..9
  struct Case {
    const char* name;
    long margin;
    long block[4];     // north, south, west, east
    long expected[4];  // the same after the call
  };
  const Case cases[] = {
      {"stops at the north, west and east borders", 2, {1, 3, 5, 6}, {0, 5, 3, 6}},
      {"margin 0 leaves an inner block", 0, {2, 4, 2, 3}, {2, 4, 2, 3}},
      {"negative margin moves the sides inward", -1, {2, 6, 1, 5}, {3, 5, 2, 4}},
      {"a wide margin gives the whole map", 20, {4, 4, 3, 3}, {0, 9, 0, 6}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    long north = c.block[0], south = c.block[1], west = c.block[2], east = c.block[3];
    TMapTools::BufferIndices(&map, c.margin, north, south, west, east);
    EXPECT_EQ(std::vector<long>({north, south, west, east}),
              std::vector<long>(std::begin(c.expected), std::end(c.expected)));
  }
}

TEST(FillBlock, SetsExactlyTheCellsOfTheBlock) {
  TMapPtr map = Grid(4, 3, 0, 0, 1, "0 0 0 0\n0 0 0 0\n0 0 0 0");
  TMapTools::FillBlock(map.get(), 7, 1, 2, 1, 2);
  TMapTools::FillBlock(map.get(), -9999, 0, 0, 3, 3);  // one cell; the no-data value is a value like any
  const std::vector<std::vector<double>> expected{{0, 0, 0, -9999}, {0, 7, 7, 0}, {0, 7, 7, 0}};
  EXPECT_EQ(AllCells(map.get()), expected);
}

TEST(FillBlock, RefusesABadBlockBeforeWritingAnything) {
  TMapPtr map = Grid(4, 3, 0, 0, 1, "1 2 3 4\n5 6 7 8\n9 10 11 12");
  const auto before = AllCells(map.get());
  struct Case {
    const char* name;
    long north, south, west, east;
    const char* message;
  };
  const Case cases[] = {
      {"north after south, both out of range", 3, 2, 0, 0,
       "Northern edge must be less than southern edge in TMapTools::FillBlock"},
      {"west after east", 0, 0, 2, 1, "Western edge must be less than eastern edge in TMapTools::FillBlock"},
      {"negative north", -1, 1, 0, 0, "Northern ordinate is out of range in TMapTools::FillBlock"},
      {"south equal to the number of rows", 0, 3, 0, 0, "Southern ordinate is out of range in TMapTools::FillBlock"},
      {"west below 0", 0, 1, -1, 2, "Western ordinate is out of range in TMapTools::FillBlock"},
      {"east equal to the number of columns", 0, 1, 2, 4, "Eastern ordinate is out of range in TMapTools::FillBlock"},
      {"both columns beyond the map", 0, 1, 5, 6, "Eastern ordinate is out of range in TMapTools::FillBlock"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_THROWS_TEXT(TMapTools::FillBlock(map.get(), 0, c.north, c.south, c.west, c.east), c.message);
    EXPECT_EQ(AllCells(map.get()), before);
  }
}

// ---- sub-maps by coordinates ----

// 4 columns, 3 rows of 2 x 2 from (10, 20): X edges 10..18, Y edges 26 (north)..20.
TMapPtr ExtractSource() { return Grid(4, 3, 10, 20, 2, "1 2 3 4\n5 6 7 8\n9 10 11 -1", -1); }

TEST(Extract, CutsTheCellsHoldingTheCornersAndAllBetween) {
  TMapPtr source = ExtractSource();
  struct Case {
    const char* name;
    double a[2], b[2];
    std::vector<std::vector<double>> cells;
    std::vector<double> xs, ys;
  };
  const Case cases[] = {
      {"south-west and north-east corners",
       {12.5, 21},
       {15.9, 25.9},
       {{2, 3}, {6, 7}, {10, 11}},
       {13, 15},
       {25, 23, 21}},
      {"the same points swapped", {15.9, 25.9}, {12.5, 21}, {{2, 3}, {6, 7}, {10, 11}}, {13, 15}, {25, 23, 21}},
      {"north-west and south-east corners",
       {12.5, 25.9},
       {15.9, 21},
       {{2, 3}, {6, 7}, {10, 11}},
       {13, 15},
       {25, 23, 21}},
      {"two points in one cell", {17, 21}, {16.5, 20.5}, {{-1}}, {17}, {21}},
      {"an inner edge belongs to the greater coordinates", {12, 22}, {12, 22}, {{6}}, {13}, {23}},
      {"the outer edges of greatest coordinate belong to the last cells",
       {10, 20},
       {18, 26},
       {{1, 2, 3, 4}, {5, 6, 7, 8}, {9, 10, 11, -1}},
       {11, 13, 15, 17},
       {25, 23, 21}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TPoint a(c.a[0], c.a[1]), b(c.b[0], c.b[1]);
    TMapPtr part(TMapTools::Extract(source.get(), &a, &b));
    EXPECT_EQ(AllCells(part.get()), c.cells);
    EXPECT_EQ(Centres(part->GetXAxis(), 'X'), c.xs);
    EXPECT_EQ(Centres(part->GetYAxis(), 'Y'), c.ys);
    EXPECT_EQ(part->GetResolution(), 2);
    EXPECT_EQ(part->GetNoData(), -9999);  // the source's -1 is copied as a plain value
  }
}

TEST(Extract, RefusesAPointOutsideTheMapOrNotANumber) {
  TMapPtr source = ExtractSource();
  TPoint inside(11, 21), west(9.9, 21), north(11, 26.1), notANumber(11, kNaN);
  EXPECT_THROWS_TEXT(TMapTools::Extract(source.get(), &west, &inside), kOrdinateRange);
  EXPECT_THROWS_TEXT(TMapTools::Extract(source.get(), &inside, &north), kOrdinateRange);
  EXPECT_THROWS_TEXT(TMapTools::Extract(source.get(), &inside, &notANumber),
                     "Corner ordinate is not a number in TMapTools::Extract");
}

TEST(Insert, PlacesEachCellAtItsCoordinates) {
  struct Case {
    const char* name;
    TMapPtr source;
    std::vector<std::vector<double>> expected;
  };
  Case cases[] = {
      {"aligned cells of one size replace exactly the cells under them",
       Grid(2, 2, 1, 1, 1, "1 2\n3 -9999", -5),
       {{0, 0, 0, 0, 0}, {0, 1, 2, 0, 0}, {0, 3, -9999, 0, 0}, {0, 0, 0, 0, 0}}},
      {"smaller cells: the last one written into a cell wins, row by row",
       Grid(4, 2, 1, 1, 0.5, "1 2 3 4\n5 6 7 8"),
       {{0, 0, 0, 0, 0}, {0, 0, 0, 0, 0}, {0, 6, 8, 0, 0}, {0, 0, 0, 0, 0}}},
      {"larger cells write only the cells holding their centres",
       Grid(2, 1, 0, 0, 2, "1 2"),
       {{0, 0, 0, 0, 0}, {0, 0, 0, 0, 0}, {0, 1, 0, 2, 0}, {0, 0, 0, 0, 0}}},
      {"corners on the destination's outer edges",
       Grid(5, 4, 0, 0, 1, "1 1 1 1 1\n2 2 2 2 2\n3 3 3 3 3\n4 4 4 4 4"),
       {{1, 1, 1, 1, 1}, {2, 2, 2, 2, 2}, {3, 3, 3, 3, 3}, {4, 4, 4, 4, 4}}},
  };
  for (Case& c : cases) {
    SCOPED_TRACE(c.name);
    TMapPtr destination = Grid(5, 4, 0, 0, 1, "0 0 0 0 0\n0 0 0 0 0\n0 0 0 0 0\n0 0 0 0 0", -7);
    TMapTools::Insert(destination.get(), c.source.get());
    EXPECT_EQ(AllCells(destination.get()), c.expected);
    EXPECT_EQ(destination->GetNoData(), -7);
    EXPECT_EQ(destination->GetXDim(), 5);
  }
}

TEST(Insert, IntoACopyOfItselfChangesNothing) {
  const std::string cells = "1 2 3\n4 5 6";
  TMapPtr destination = Grid(3, 2, -3.5, 7.25, 0.5, cells);
  TMapPtr source = Grid(3, 2, -3.5, 7.25, 0.5, cells);
  TMapTools::Insert(destination.get(), source.get());
  EXPECT_EQ(AllCells(destination.get()), AllCells(source.get()));
}

TEST(Insert, RefusesBeforeWritingAnything) {
  struct Case {
    const char* name;
    TMapPtr source;
    const char* message;
  };
  Case cases[] = {
      {"NW corner west of the destination", Grid(2, 2, -0.5, 1, 1, "1 1\n1 1"), kNorthWestOutside},
      {"NW corner north of the destination", Grid(2, 2, 1, 2.5, 1, "1 1\n1 1"), kNorthWestOutside},
      {"NW corner outside and SE corner too", FromEdges({-1, 5}, {5, -1}), kNorthWestOutside},
      {"SE corner east of the destination", Grid(2, 2, 2, 1, 1, "1 1\n1 1"), kSouthEastOutside},
      {"SE corner south of the destination", Grid(2, 2, 1, -0.5, 1, "1 1\n1 1"), kSouthEastOutside},
      // Row 0's centre lies half a cell south of its first edge, below the
      // destination, though both corners lie inside.
      {"a cell centre outside the destination", FromEdges({1, 2}, {0, 1}), kOrdinateRange},
      // Cell (1, 0) comes before cell (0, 1): its centre lies on the eastern edge,
      // in no column, while row 1's centre lies south of the destination.
      {"the first failing cell row by row decides", FromEdges({2, 3, 3}, {1, 0, 2}),
       "LngX is out of range in TMap::SetPoint (TPoint*)"},
  };
  for (Case& c : cases) {
    SCOPED_TRACE(c.name);
    TMapPtr destination = Grid(3, 3, 0, 0, 1, "1 2 3\n4 5 6\n7 8 9");
    const auto before = AllCells(destination.get());
    EXPECT_THROWS_TEXT(TMapTools::Insert(destination.get(), c.source.get()), c.message);
    EXPECT_EQ(AllCells(destination.get()), before);
  }
}

// ---- intersection ----

struct IntersectionParts {
  TMapPtr first, second;
};

IntersectionParts Intersect(TMap* a, TMap* b) {
  TMap* first = nullptr;
  TMap* second = nullptr;
  TMapTools::Intersection(a, b, first, second);
  return {TMapPtr(first), TMapPtr(second)};
}

TEST(Intersection, AlignedMapsGivePartsOfEqualShapeAndCoordinates) {
  // Common extent: X 2..4, Y 1..3.
  struct Case {
    const char* name;
    TMapPtr a, b;
    std::vector<std::vector<double>> aCells, bCells;
    std::vector<double> ys;
  };
  Case cases[] = {
      {"Y descending with the row, as read from files",
       Grid(4, 3, 0, 0, 1, "1 2 3 4\n5 6 7 8\n9 10 11 12"),
       Grid(4, 4, 2, 1, 1, "21 22 23 24\n25 26 27 28\n29 30 31 32\n33 34 35 36"),
       {{3, 4}, {7, 8}},
       {{29, 30}, {33, 34}},
       {2.5, 1.5}},
      {"Y ascending with the row",
       AscendingGrid(0, 0, 1, {{9, 10, 11, 12}, {5, 6, 7, 8}, {1, 2, 3, 4}}),
       AscendingGrid(2, 1, 1, {{33, 34, 35, 36}, {29, 30, 31, 32}, {25, 26, 27, 28}, {21, 22, 23, 24}}),
       {{7, 8}, {3, 4}},
       {{33, 34}, {29, 30}},
       {1.5, 2.5}},
  };
  for (Case& c : cases) {
    SCOPED_TRACE(c.name);
    IntersectionParts parts = Intersect(c.a.get(), c.b.get());
    EXPECT_EQ(AllCells(parts.first.get()), c.aCells);
    EXPECT_EQ(AllCells(parts.second.get()), c.bCells);
    for (const TMap* part : {parts.first.get(), parts.second.get()}) {
      EXPECT_EQ(Centres(part->GetXAxis(), 'X'), std::vector<double>({2.5, 3.5}));
      EXPECT_EQ(Centres(part->GetYAxis(), 'Y'), c.ys);
    }
  }
}

TEST(Intersection, TakesTheCellsWhoseCentresLieInTheCommonExtent) {
  // Common extent X 1..4, Y 1..4. The 2-unit cell spanning 3..5 has its centre on
  // the common edge and half of it inside: it belongs to the part.
  TMapPtr fine = Grid(4, 4, 0, 0, 1, "1 2 3 4\n5 6 7 8\n9 10 11 12\n13 14 15 16");
  TMapPtr coarse = Grid(2, 2, 1, 1, 2, "21 22\n23 24");
  IntersectionParts parts = Intersect(fine.get(), coarse.get());
  EXPECT_EQ(AllCells(parts.first.get()), std::vector<std::vector<double>>({{2, 3, 4}, {6, 7, 8}, {10, 11, 12}}));
  EXPECT_EQ(AllCells(parts.second.get()), AllCells(coarse.get()));

  // Offset by half a cell: the cells cut in two by a common edge count.
  TMapPtr shifted = Grid(4, 4, 0.5, 0.5, 1, "1 2 3 4\n5 6 7 8\n9 10 11 12\n13 14 15 16");
  parts = Intersect(fine.get(), shifted.get());
  EXPECT_EQ(parts.first->GetXDim(), 4);
  EXPECT_EQ(parts.first->GetYDim(), 4);
  EXPECT_EQ(parts.second->GetXDim(), 4);
  EXPECT_EQ(parts.second->GetYDim(), 4);
}

TEST(Intersection, RefusesMapsWithoutCommonCellsAndLeavesTheReferences) {
  TMapPtr a = Grid(2, 2, 0, 0, 1, "1 2\n3 4");
  struct Case {
    const char* name;
    TMapPtr b;
  };
  Case cases[] = {
      {"apart", Grid(2, 2, 5, 5, 1, "1 2\n3 4")},
      {"apart on X only", Grid(2, 2, 3, 0, 1, "1 2\n3 4")},
      {"touching along an edge", Grid(2, 2, 2, 0, 1, "1 2\n3 4")},
      {"touching at a corner", Grid(2, 2, -2, 2, 1, "1 2\n3 4")},
      {"overlapping by less than half a cell", Grid(2, 2, 1.6, 0, 1, "1 2\n3 4")},
  };
  for (Case& c : cases) {
    SCOPED_TRACE(c.name);
    TMap* first = nullptr;
    TMap* second = nullptr;
    EXPECT_THROWS_TEXT(TMapTools::Intersection(a.get(), c.b.get(), first, second), kNoIntersection);
    EXPECT_THROWS_TEXT(TMapTools::Intersection(c.b.get(), a.get(), first, second), kNoIntersection);
    EXPECT_EQ(first, nullptr);
    EXPECT_EQ(second, nullptr);
  }
}

TEST(Intersection, WhenTheSecondPartFailsTheCallerOwnsTheFirst) {
  TMapPtr a = Grid(2, 2, 0, 0, 1, "1 2\n3 4");
  // Edge axes of two resolutions: a map cannot be built from its centre axes.
  TMapPtr b = std::make_unique<TMap>(1.0, 2, 2);
  TAxis xs(1.0), ys(2.0);
  for (double x : {1, 2, 3}) xs.AddPoint(new TPoint(x, 0));
  for (double y : {3, 2, 1}) ys.AddPoint(new TPoint(0, y));
  b->SetXAxisInterval(&xs);
  b->SetYAxisInterval(&ys);
  TMap* first = nullptr;
  TMap* second = nullptr;
  EXPECT_THROWS_TEXT(TMapTools::Intersection(a.get(), b.get(), first, second),
                     "Axes resolutions do not match in TMap::TMap");
  TMapPtr firstPart(first);
  ASSERT_NE(firstPart, nullptr);
  EXPECT_EQ(AllCells(firstPart.get()), std::vector<std::vector<double>>({{2}}));
  EXPECT_EQ(second, nullptr);
}

// ---- real grids ----

// Two grids of one cell size with aligned cells: cellmap covers X 1..11, Y 1..11,
// the resistance grid X 0..10, Y 0..10.
class RealGrids : public ::testing::Test {
 protected:
  TMapPtr MbrCellmap = LoadTestGrid("circuitscape-cellmap10x10.asc");
  TMapPtr MbrResistance = LoadTestGrid("omniscape-discrete_resistance.asc");
};

TEST_F(RealGrids, IntersectionExtractAndInsertAgreeOnTheOverlap) {
  IntersectionParts parts = Intersect(MbrCellmap.get(), MbrResistance.get());
  ASSERT_EQ(parts.first->GetXDim(), 9);
  ASSERT_EQ(parts.first->GetYDim(), 9);
  EXPECT_EQ(AllCells(parts.first.get()), Block(MbrCellmap.get(), 0, 8, 1, 9));
  EXPECT_EQ(AllCells(parts.second.get()), Block(MbrResistance.get(), 1, 9, 0, 8));
  EXPECT_EQ(Centres(parts.first->GetXAxis(), 'X'), Centres(parts.second->GetXAxis(), 'X'));
  EXPECT_EQ(Centres(parts.first->GetYAxis(), 'Y'), Centres(parts.second->GetYAxis(), 'Y'));

  // The common extent's corners cut the same part out of the resistance grid.
  TPoint southWest(1, 1), northEast(10, 10);
  TMapPtr extracted(TMapTools::Extract(MbrResistance.get(), &southWest, &northEast));
  EXPECT_EQ(AllCells(extracted.get()), AllCells(parts.second.get()));

  // Inserting the cellmap's part overwrites the overlap and nothing else.
  auto expected = AllCells(MbrResistance.get());
  for (long y = 0; y <= 8; ++y)
    for (long x = 1; x <= 9; ++x) expected[y][x] = MbrCellmap->MbrVecValues[y + 1][x - 1];
  TMapTools::Insert(MbrResistance.get(), parts.first.get());
  EXPECT_EQ(AllCells(MbrResistance.get()), expected);
}

TEST_F(RealGrids, DisjointPartsDoNotIntersectAndCannotBeInserted) {
  TPoint a(0.5, 9.5), b(3.5, 6.5), c(6.5, 3.5), d(9.5, 0.5);
  TMapPtr northWest(TMapTools::Extract(MbrResistance.get(), &a, &b));
  TMapPtr southEast(TMapTools::Extract(MbrResistance.get(), &c, &d));
  EXPECT_EQ(AllCells(northWest.get()), Block(MbrResistance.get(), 0, 3, 0, 3));
  EXPECT_EQ(AllCells(southEast.get()), Block(MbrResistance.get(), 6, 9, 6, 9));
  TMap* first = nullptr;
  TMap* second = nullptr;
  EXPECT_THROWS_TEXT(TMapTools::Intersection(northWest.get(), southEast.get(), first, second), kNoIntersection);
  EXPECT_THROWS_TEXT(TMapTools::Insert(southEast.get(), northWest.get()), kNorthWestOutside);
  EXPECT_THROWS_TEXT(TMapTools::Insert(MbrResistance.get(), MbrCellmap.get()), kNorthWestOutside);
  TPoint outside(10.5, 5);
  EXPECT_THROWS_TEXT(TMapTools::Extract(MbrResistance.get(), &a, &outside), kOrdinateRange);
}
}  // namespace
