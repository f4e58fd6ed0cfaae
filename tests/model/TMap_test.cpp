#include "TMap.h"

#include <memory>
#include <vector>

#include "TAxis.h"
#include "TPoint.h"
#include "TestSupport.h"

namespace {
std::unique_ptr<TAxis> AxisOf(std::initializer_list<std::pair<double, double>> points, double resolution = 1) {
  auto axis = std::make_unique<TAxis>(resolution);
  for (const auto& p : points) axis->AddPoint(new TPoint(p.first, p.second));
  return axis;
}

// A 3 x 2 map with X edges 0..3 and Y edges 2, 1, 0; cell [row][column] = 10 * row + column.
std::unique_ptr<TMap> ThreeByTwo() {
  auto map = std::make_unique<TMap>(1.0, 3, 2);
  for (long y = 0; y < 2; ++y)
    for (long x = 0; x < 3; ++x) map->SetPoint(x, y, 10.0 * y + x);
  auto xEdges = AxisOf({{0, 2}, {1, 2}, {2, 2}, {3, 2}});
  auto yEdges = AxisOf({{0, 2}, {0, 1}, {0, 0}});
  map->SetXAxisInterval(xEdges.get());
  map->SetYAxisInterval(yEdges.get());
  return map;
}

TEST(TMap, ConstructorsShapeTheCellTable) {
  TMap sized(2.0, 3, 2);
  EXPECT_EQ(sized.GetXDim(), 3);
  EXPECT_EQ(sized.GetYDim(), 2);
  EXPECT_EQ(sized.GetResolution(), 2.0);
  EXPECT_EQ(sized.GetNoData(), -9999);
  EXPECT_EQ(sized.GetRow(1), std::vector<double>(3, -9999));
  EXPECT_EQ(sized.GetXAxis(), nullptr);
  EXPECT_EQ(sized.GetYAxisInterval(), nullptr);
  EXPECT_THROWS_TEXT(TMap(1.0, -1, 2), "Dimensions are negative in TMap::TMap");
  EXPECT_THROWS_TEXT(TMap(1.0, 2, -1), "Dimensions are negative in TMap::TMap");

  TMap grown(1.0);
  grown.AddRow({1, 2, 3, 4});
  EXPECT_EQ(grown.GetXDim(), 4);
  EXPECT_EQ(grown.GetYDim(), 1);
  grown.AddRow({5, 6, 7, 8});
  EXPECT_EQ(grown.GetXDim(), 4);
  EXPECT_EQ(grown.GetYDim(), 2);
  EXPECT_EQ(grown.GetRow(1), (std::vector<double>{5, 6, 7, 8}));
  EXPECT_THROWS_TEXT(grown.GetRow(2), "Index is out of bounds in TMap::GetRow");
  EXPECT_THROWS_TEXT(grown.GetRow(-1), "Index is out of bounds in TMap::GetRow");

  grown.InitValues(0);
  EXPECT_EQ(grown.GetRow(0), std::vector<double>(4, 0));
  EXPECT_EQ(grown.GetNoData(), -9999);
}

TEST(TMap, AxisConstructorCopiesTheCallersAxes) {
  auto x1 = AxisOf({{0.5, 0}, {1.5, 0}, {2.5, 0}}, 1);
  auto y2 = AxisOf({{0, 1.5}, {0, 0.5}}, 2);
  EXPECT_THROWS_TEXT(TMap(x1.get(), y2.get()), "Axes resolutions do not match in TMap::TMap");
  auto y1 = AxisOf({{0, 1.5}, {0, 0.5}}, 1);
  TMap map(x1.get(), y1.get());
  EXPECT_EQ(map.GetXDim(), 3);
  EXPECT_EQ(map.GetYDim(), 2);
  EXPECT_EQ(map.GetPointVal(2, 1), -9999);
  EXPECT_EQ(map.GetXAxisInterval()->GetSize(), 4);
  EXPECT_EQ(map.GetYAxisInterval()->GetSize(), 3);
  EXPECT_NE(map.GetXAxis(), x1.get());
  EXPECT_EQ(x1->GetSize(), 3);
}

TEST(TMap, AxisSettersCheckLengthsAndKeepPairsInStep) {
  auto map = ThreeByTwo();
  TAxis* xBefore = map->GetXAxis();
  TAxis* xEdgesBefore = map->GetXAxisInterval();
  auto four = AxisOf({{0, 0}, {1, 0}, {2, 0}, {3, 0}});
  auto three = AxisOf({{0, 0}, {1, 0}, {2, 0}});
  EXPECT_THROWS_TEXT(map->SetXAxis(four.get()), "Length of new X axis does not match the X dimension of the map");
  EXPECT_EQ(map->GetXAxis(), xBefore);
  EXPECT_EQ(map->GetXAxisInterval(), xEdgesBefore);
  EXPECT_THROWS_TEXT(map->SetXAxisInterval(three.get()),
                     "Length of new X interval axis does not fit the X dimension of the map");
  EXPECT_THROWS_TEXT(map->SetYAxis(three.get()), "Length of new Y axis does not match the Y dimension of the map");
  EXPECT_THROWS_TEXT(map->SetYAxisInterval(four.get()),
                     "Length of new Y interval axis does not fit the Y dimension of the map");
  map->SetXAxisInterval(four.get());
  EXPECT_EQ(map->GetXAxis()->GetSize(), 3);
  EXPECT_EQ(map->GetXAxis()->GetPoint(2)->GetX(), 2.5);
  map->SetXAxis(three.get());
  EXPECT_EQ(map->GetXAxisInterval()->GetSize(), 4);
  EXPECT_EQ(map->GetXAxisInterval()->GetPoint(0)->GetX(), -0.5);
}

TEST(TMap, CentresAndCellsByIndex) {
  auto map = ThreeByTwo();
  std::unique_ptr<TPoint> centre(map->GetCoordinates(2, 1));
  EXPECT_EQ(centre->GetX(), 2.5);
  EXPECT_EQ(centre->GetY(), 0.5);
  EXPECT_EQ(map->GetYAxis()->GetPoint(0)->GetY(), 1.5);
  std::unique_ptr<TMapPoint> point(map->GetPoint(1, 0));
  EXPECT_EQ(point->GetX(), 1.5);
  EXPECT_EQ(point->GetY(), 1.5);
  EXPECT_EQ(point->GetValue(), 1);

  EXPECT_THROWS_TEXT(map->GetCoordinates(3, 0), "LngX is out of range for the X-axis in TMap::GetCoordinates");
  EXPECT_THROWS_TEXT(map->GetCoordinates(0, 2), "LngY is out of range for the Y-axis in TMap::GetCoordinates");
  EXPECT_THROWS_TEXT(map->GetPoint(3, 0), "LngX is out of range in TMap::GetPoint (long,long)");
  EXPECT_THROWS_TEXT(map->GetPoint(0, -1), "LngY is out of range in TMap::GetPoint (long,long)");
  EXPECT_THROWS_TEXT(map->GetPointVal(3, 0), "X-ordinate is out of range in TMap::GetPointVal");
  EXPECT_THROWS_TEXT(map->GetPointVal(0, 2), "Y-ordinate is out of range in TMap::GetPointVal");
  EXPECT_THROWS_TEXT(map->GetPointVal(-1, -1), "X-ordinate is out of range in TMap::GetPointVal");
}

TEST(TMap, CellsByCoordinates) {
  auto map = ThreeByTwo();
  struct Case {
    double x, y;
    double value;  // 10 * row + column
  };
  const Case cases[] = {
      {1, 1, 1},       // on boundaries: the eastern column, the northern row
      {0, 0, 10},      // western and southern outer edges belong to the grid
      {2.9, 1.9, 2},
      {1.2, 0.7, 11},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
    TPoint p(c.x, c.y);
    EXPECT_EQ(map->GetPointVal(&p), c.value);
    std::unique_ptr<TMapPoint> got(map->GetPoint(&p));
    EXPECT_EQ(got->GetX(), c.x);
    EXPECT_EQ(got->GetY(), c.y);
    EXPECT_EQ(got->GetValue(), c.value);
  }
  EXPECT_EQ(map->GetIndex(1.5, 'X'), 1);
  EXPECT_EQ(map->GetIndex(0.5, 'Y'), 1);
  EXPECT_EQ(map->GetIndex(0.5, 'y'), 1);

  TPoint west(-0.5, 1), north(1, 2.5), eastEdge(3, 1), northEdge(1, 2);
  EXPECT_THROWS_TEXT(map->GetPointVal(&west), "Ordinate is out of range in TAxis::GetIndex");
  EXPECT_THROWS_TEXT(map->GetPointVal(&north), "Ordinate is out of range in TAxis::GetIndex");
  EXPECT_THROWS_TEXT(map->GetPointVal(&eastEdge), "LngX is out of range in TMap::GetPointVal");
  EXPECT_THROWS_TEXT(map->GetPointVal(&northEdge), "LngY is out of range in TMap::GetPointVal");
  EXPECT_THROWS_TEXT(map->GetPoint(&eastEdge), "LngX is out of range in TMap::GetPoint (TPoint*)");
  EXPECT_THROWS_TEXT(map->GetPoint(&northEdge), "LngY is out of range in TMap::GetPoint (TPoint*)");
}

TEST(TMap, SetPointByCoordinatesNeverWritesOutsideTheCells) {
  auto map = ThreeByTwo();
  TPoint inside(1.2, 0.7), eastEdge(3, 1), northEdge(1, 2);
  map->SetPoint(&inside, 99);
  EXPECT_EQ(map->GetPointVal(1, 1), 99);
  EXPECT_THROWS_TEXT(map->SetPoint(&eastEdge, 5), "LngX is out of range in TMap::SetPoint (TPoint*)");
  EXPECT_THROWS_TEXT(map->SetPoint(&northEdge, 5), "LngY is out of range in TMap::SetPoint (TPoint*)");
  const std::vector<double> expected{0, 1, 2, 10, 99, 12};
  std::vector<double> cells;
  for (long y = 0; y < 2; ++y)
    for (long x = 0; x < 3; ++x) cells.push_back(map->GetPointVal(x, y));
  EXPECT_EQ(cells, expected);
}

TEST(TMap, GetPointValuesReadsEachPointOrFailsWhole) {
  auto map = ThreeByTwo();
  TPoint a(0.5, 1.5), b(2.5, 0.5), outside(7, 7);
  EXPECT_EQ(map->GetPointValues({&a, &b}), (std::vector<double>{0, 12}));
  EXPECT_TRUE(map->GetPointValues({}).empty());
  EXPECT_THROWS_TEXT(map->GetPointValues({&a, &outside}), "Ordinate is out of range in TAxis::GetIndex");
}
}  // namespace
