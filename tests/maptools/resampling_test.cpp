#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "MapAlgebraSupport.h"
#include "TAxis.h"
#include "TMapTools.h"

namespace {
const double kNaN = std::numeric_limits<double>::quiet_NaN();

// A map of `columns` x `rows` cells of size 1 from x 0 whose row edges ascend
// from y 0 (row 0 is the southern row), every cell 0.
TMapPtr AscendingMap(long columns, long rows) {
  auto map = std::make_unique<TMap>(1.0, columns, rows);
  TAxis xEdges(1.0), yEdges(1.0);
  for (long k = 0; k <= columns; ++k) xEdges.AddPoint(new TPoint(k, 0));
  for (long k = 0; k <= rows; ++k) yEdges.AddPoint(new TPoint(0, k));
  map->SetXAxisInterval(&xEdges);
  map->SetYAxisInterval(&yEdges);
  map->InitValues(0);
  return map;
}

// Every cell of the map at column a, row b holds a + 10 b.
TMapPtr Ramp(long columns, long rows, double noData) {
  std::string cells;
  for (long b = 0; b < rows; ++b)
    for (long a = 0; a < columns; ++a) cells += std::to_string(a + 10 * b) + " ";
  return MakeGrid(columns, rows, 0, 0, 1, noData, cells);
}

std::vector<double> OtherOrdinates(const TAxis* axis, char which) { return Ordinates(axis, which == 'X' ? 'Y' : 'X'); }

TEST(Downscale, LaysOutWholeCellsFromTheWesternAndFirstRowEdges) {
  TMapPtr map = Ramp(4, 4, -1);
  const MapShape before(map.get());
  TMapPtr grid(TMapTools::Downscale(map.get(), 2));
  const MapShape shape(grid.get());
  EXPECT_EQ(shape.Values, (Cells{{-9999, -9999}, {-9999, -9999}}));
  EXPECT_EQ(shape.NoData, -9999);
  EXPECT_EQ(shape.Resolution, 2);
  EXPECT_EQ(shape.XCentres, (std::vector<double>{1, 3}));
  EXPECT_EQ(OtherOrdinates(grid->GetXAxis(), 'X'), (std::vector<double>{4, 4}));
  EXPECT_EQ(shape.YCentres, (std::vector<double>{3, 1}));
  EXPECT_EQ(OtherOrdinates(grid->GetYAxis(), 'Y'), (std::vector<double>{0, 0}));
  EXPECT_EQ(shape.XEdges, (std::vector<double>{0, 2, 4}));
  EXPECT_EQ(shape.YEdges, (std::vector<double>{4, 2, 0}));
  EXPECT_TRUE(MapShape(map.get()) == before);

  TMapPtr ascending = AscendingMap(4, 4);
  TMapPtr upward(TMapTools::Downscale(ascending.get(), 2));
  EXPECT_EQ(Ordinates(upward->GetYAxis(), 'Y'), (std::vector<double>{1, 3}));
}

TEST(Downscale, TruncatesTheCountsAndRefusesCellSizesThatGiveNoCells) {
  TMapPtr map = Ramp(3, 3, -9999);
  TMapPtr one(TMapTools::Downscale(map.get(), 2));
  EXPECT_EQ(one->GetXDim(), 1);
  EXPECT_EQ(one->GetYDim(), 1);
  struct Case {
    double cellSize;
    const char* message;
  };
  const Case cases[] = {
      {4, "Index is out of range in TAxis::GetPoint"},
      {0, "New cell size is not positive in TMapTools::Downscale"},
      {-1, "New cell size is not positive in TMapTools::Downscale"},
      {kNaN, "New cell size is not positive in TMapTools::Downscale"},
      {1e-300, "Cell count is out of range in TMapTools::Downscale"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.cellSize);
    EXPECT_THROWS_TEXT(TMapTools::Downscale(map.get(), c.cellSize), c.message);
  }
}

TEST(Subdivide, SplitsEveryCellIntoABlockOverTheSameArea) {
  TMapPtr map = MakeGrid(2, 1, 0, 0, 1, -1, "5 7");
  TMapPtr split(TMapTools::Subdivide(map.get(), 2));
  const MapShape shape(split.get());
  EXPECT_EQ(shape.Values, (Cells{{5, 5, 7, 7}, {5, 5, 7, 7}}));
  EXPECT_EQ(shape.Resolution, 0.5);
  EXPECT_EQ(shape.NoData, -9999);
  EXPECT_EQ(shape.XEdges, (std::vector<double>{0, 0.5, 1, 1.5, 2}));
  EXPECT_EQ(shape.YEdges, (std::vector<double>{1, 0.5, 0}));
  EXPECT_EQ(shape.XCentres, (std::vector<double>{0.25, 0.75, 1.25, 1.75}));
  EXPECT_EQ(shape.YCentres, (std::vector<double>{0.75, 0.25}));

  TMapPtr square = MakeGrid(2, 2, 0, 0, 1, -9999, "1 2\n3 4");
  TMapPtr blocks(TMapTools::Subdivide(square.get(), 3));
  for (long row = 0; row < 6; ++row)
    for (long column = 0; column < 6; ++column)
      EXPECT_EQ(blocks->MbrVecValues[row][column], square->MbrVecValues[row / 3][column / 3]) << column << ", " << row;

  TMapPtr ascending = AscendingMap(1, 2);
  EXPECT_EQ(Ordinates(TMapPtr(TMapTools::Subdivide(ascending.get(), 2))->GetYAxisInterval(), 'Y'),
            (std::vector<double>{0, 0.5, 1, 1.5, 2}));
}

TEST(Subdivide, ByOneCopiesValuesAndGeometryAndRefusesFactorsBelowOne) {
  TMapPtr map = Ramp(3, 2, -1);
  TMapPtr copy(TMapTools::Subdivide(map.get(), 1));
  MapShape expected(map.get());
  expected.NoData = -9999;
  EXPECT_TRUE(MapShape(copy.get()) == expected);
  for (int factor : {0, -2})
    EXPECT_THROWS_TEXT(TMapTools::Subdivide(map.get(), factor), "Factor is below 1 in TMapTools::Subdivide");
}

TEST(BilinearFormula, InterpolatesNumbersAndPoints) {
  EXPECT_EQ(TMapTools::BilinearInterpolate(20, 21, 30, 31, 1, 0.5, 1.5, 1, 1.5, 0.5), 25.5);
  EXPECT_EQ(TMapTools::BilinearInterpolate(20, 21, 30, 31, 0.5, 0.5, 1.5, 1.5, 1.5, 0.5), 20);
  EXPECT_EQ(TMapTools::BilinearInterpolate(20, 21, 30, 31, 2.5, 0.5, 1.5, 1.5, 1.5, 0.5), 22);  // extrapolated
  EXPECT_TRUE(std::isnan(TMapTools::BilinearInterpolate(20, 21, 30, 31, 1, 0.5, 0.5, 1, 1.5, 0.5)));

  // Only p11's position, p21's X and p12's Y are read.
  TMapPoint p11(0.5, 1.5, 20), p21(1.5, 99, 21), p12(99, 0.5, 30), p22(99, 99, 31), target(1, 1, 0);
  TMapTools::BilinearInterpolate(&p11, &p21, &p12, &p22, &target);
  EXPECT_EQ(target.GetValue(), 25.5);
  EXPECT_EQ(target.GetX(), 1);
}

TEST(BilinearInterpolateMap, SamplesOnePointPerNewCellInsideAMarginOfOneInputCell) {
  // Cell (a, b) of the input holds a + 10 b. The one sample point (1, 1) lies in
  // input column 1, row 2, and takes columns 0-1 and rows 2-3.
  TMapPtr map = Ramp(4, 4, -1);
  const MapShape before(map.get());
  TMapPtr result(TMapTools::BilinearInterpolate(map.get(), 2));
  EXPECT_EQ(result->MbrVecValues, (Cells{{-1, -1}, {25.5, -1}}));
  EXPECT_EQ(result->GetNoData(), -9999);
  EXPECT_EQ(MapShape(result.get()).XEdges, (std::vector<double>{0, 2, 4}));
  EXPECT_TRUE(MapShape(map.get()) == before);

  // Too narrow for any X position: the result stays as laid out.
  TMapPtr narrow = Ramp(2, 2, -3);
  EXPECT_EQ(TMapPtr(TMapTools::BilinearInterpolate(narrow.get(), 1))->MbrVecValues, (Cells{{-3, -3}, {-3, -3}}));
}

TEST(BilinearInterpolateMap, TakesTheNeighbourColumnOnTheSampleSide) {
  // Values a^2 by column, the same in every row, so each result shows which two
  // column centres it was interpolated between: x = 2.25 (centre 2.5) between
  // 1.5 and 2.5 gives 3.25; x = 2.75 between 2.5 and 3.5 gives 5.25. The first
  // position, x = 1, lies on the edge of column 1 and takes columns 0 and 1.
  struct Case {
    long size;
    double cellSize;
    Cells expected;
  };
  const Case cases[] = {
      {6, 1.25, {{-1, -1, -1, -1}, {0.5, 3.25, -1, -1}, {0.5, 3.25, -1, -1}, {-1, -1, -1, -1}}},
      {7, 1.75, {{-1, -1, -1, -1}, {0.5, 5.25, -1, -1}, {0.5, 5.25, -1, -1}, {-1, -1, -1, -1}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.cellSize);
    std::string cells;
    for (long b = 0; b < c.size; ++b)
      for (long a = 0; a < c.size; ++a) cells += std::to_string(a * a) + " ";
    TMapPtr map = MakeGrid(c.size, c.size, 0, 0, 1, -1, cells);
    TMapPtr result(TMapTools::BilinearInterpolate(map.get(), c.cellSize));
    ASSERT_EQ(result->MbrVecValues.size(), c.expected.size());
    for (std::size_t row = 0; row < c.expected.size(); ++row)
      for (std::size_t column = 0; column < c.expected[row].size(); ++column)
        EXPECT_DOUBLE_EQ(result->MbrVecValues[row][column], c.expected[row][column]) << column << ", " << row;
  }
}

TEST(BilinearInterpolateMap, Failures) {
  struct Case {
    const char* name;
    long columns, rows;
    double cellSize;
    const char* message;
  };
  const Case cases[] = {
      {"zero cell size", 4, 4, 0, "New resolution cannot be <= 0.0 in TMapTools::BilinearInterpolate"},
      {"negative cell size", 4, 4, -1, "New resolution cannot be <= 0.0 in TMapTools::BilinearInterpolate"},
      {"NaN cell size", 4, 4, kNaN, "New cell size is not positive in TMapTools::Downscale"},
      {"wider than the map", 4, 4, 5, "Index is out of range in TAxis::GetPoint"},
      {"first row position south of the map", 6, 1, 0.5, "Ordinate is out of range in TAxis::GetIndex"},
      // The first row position, 0.5 above the southern edge, lies on the centre of
      // the last row, and takes that row and the one south of it.
      {"first row position in the last row", 6, 3, 1.5, "LngGetY2 is out of range in TMapTools::BilinearInterpolate"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TMapPtr map = Ramp(c.columns, c.rows, -9999);
    const MapShape before(map.get());
    EXPECT_THROWS_TEXT(TMapTools::BilinearInterpolate(map.get(), c.cellSize), c.message);
    EXPECT_TRUE(MapShape(map.get()) == before);
  }
}
}  // namespace
