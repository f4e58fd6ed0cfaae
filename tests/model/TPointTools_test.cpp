#include "TPointTools.h"

#include <cmath>
#include <limits>
#include <memory>
#include <utility>
#include <vector>

#include "TPoint.h"
#include "TestSupport.h"

namespace {
const double kNaN = std::numeric_limits<double>::quiet_NaN();

using TPointPtr = std::unique_ptr<TPoint>;
using Coordinates = std::vector<std::pair<double, double>>;

// Owns a list of points and hands out the raw pointers the tools take.
class PointList {
 public:
  explicit PointList(const Coordinates& coordinates) {
    for (const auto& c : coordinates) {
      MbrOwned.emplace_back(new TPoint(c.first, c.second));
      MbrRaw.push_back(MbrOwned.back().get());
    }
  }
  const std::vector<TPoint*>& Raw() const { return MbrRaw; }

 private:
  std::vector<TPointPtr> MbrOwned;
  std::vector<TPoint*> MbrRaw;
};

// Takes ownership of a returned list and gives its coordinates.
Coordinates Adopt(const std::vector<TPoint*>& points) {
  std::vector<TPointPtr> owned(points.begin(), points.end());
  Coordinates coordinates;
  for (const TPointPtr& p : owned) coordinates.emplace_back(p->GetX(), p->GetY());
  return coordinates;
}

TEST(TPointTools, MinAndMaxTakeEachOrdinateSeparately) {
  TPoint a(1, 5);
  TPoint b(3, 2);
  TPointPtr min(TPointTools::Min(&a, &b));
  TPointPtr max(TPointTools::Max(&a, &b));
  EXPECT_EQ(min->GetX(), 1);
  EXPECT_EQ(min->GetY(), 2);
  EXPECT_EQ(max->GetX(), 3);
  EXPECT_EQ(max->GetY(), 5);
}

TEST(TPointTools, MinAndMaxKeepTheFirstPointsOrdinateOnATieOrANaN) {
  TPoint zero(0.0, kNaN);
  TPoint negativeZero(-0.0, 7);
  for (auto tool : {&TPointTools::Min, &TPointTools::Max}) {
    TPointPtr first(tool(&zero, &negativeZero));
    EXPECT_FALSE(std::signbit(first->GetX()));
    EXPECT_TRUE(std::isnan(first->GetY()));
    TPointPtr second(tool(&negativeZero, &zero));
    EXPECT_TRUE(std::signbit(second->GetX()));
    EXPECT_EQ(second->GetY(), 7);
  }
}

TEST(TPointTools, FindCentroid) {
  PointList points({{0, 0}, {4, 0}, {4, 2}});
  TPointPtr centroid(TPointTools::FindCentroid(points.Raw()));
  EXPECT_EQ(centroid->GetX(), 2.6666666666666665);
  EXPECT_EQ(centroid->GetY(), 0.6666666666666666);
  TPointPtr none(TPointTools::FindCentroid({}));
  EXPECT_TRUE(std::isnan(none->GetX()));
  EXPECT_TRUE(std::isnan(none->GetY()));
}

TEST(TPointTools, ThetaIsAPseudoAngleInDegrees) {
  struct Case {
    double x, y, expected;
  };
  const Case cases[] = {
      {1, 0, 0},    {1, 1, 45},   {0, 1, 90},   {-1, 1, 135}, {-1, 0, 180},   {-1, -1, 225},
      {0, -1, 270}, {1, -1, 315}, {3, 1, 22.5}, {0, 0, 0},    {1, -3, 292.5}, {-3, 1, 157.5},
  };
  TPoint from(10, 20);
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "direction (" << c.x << ", " << c.y << ")");
    TPoint to(10 + c.x, 20 + c.y);
    EXPECT_EQ(TPointTools::Theta(&to, &from), c.expected);
  }
}

TEST(TPointTools, Heron) {
  PointList triangle({{0, 0}, {4, 0}, {0, 3}});
  EXPECT_EQ(TPointTools::Heron(triangle.Raw()[0], triangle.Raw()[1], triangle.Raw()[2]), 6);
  PointList line({{0, 0}, {1, 1}, {2, 2}});
  const double flat = TPointTools::Heron(line.Raw()[0], line.Raw()[1], line.Raw()[2]);
  EXPECT_TRUE(flat == 0 || std::isnan(flat)) << flat;
}

TEST(TPointTools, FindConvexPolygonAreaLeavesTheRingOpen) {
  PointList open({{0, 0}, {1, 0}, {1, 1}, {0, 1}});
  EXPECT_NEAR(TPointTools::FindConvexPolygonArea(open.Raw()), 0.75, 1e-12);
  PointList closed({{0, 0}, {1, 0}, {1, 1}, {0, 1}, {0, 0}});
  EXPECT_NEAR(TPointTools::FindConvexPolygonArea(closed.Raw()), 1.0, 1e-12);
  PointList single({{3, 4}});
  EXPECT_EQ(TPointTools::FindConvexPolygonArea(single.Raw()), 0);
  EXPECT_EQ(TPointTools::FindConvexPolygonArea({}), 0);
}

TEST(TPointTools, FindConvexHullWrapsFromTheLowestPoint) {
  struct Case {
    const char* name;
    Coordinates input;
    Coordinates hull;
  };
  const Case cases[] = {
      {"empty", {}, {}},
      {"one point", {{2, 3}}, {{2, 3}}},
      {"two points", {{1, 1}, {0, 0}}, {{0, 0}, {1, 1}}},
      {"inner points left out", {{1, 0}, {2, 1}, {1, 2}, {0, 1}, {1, 1}, {1.2, 0.8}}, {{1, 0}, {2, 1}, {1, 2}, {0, 1}}},
      {"first of the lowest points starts", {{1, 0}, {1, 1}, {0, 1}, {0, 0}}, {{1, 0}, {1, 1}, {0, 1}, {0, 0}}},
      {"point level with the start on its east is never taken",
       {{0, 0}, {1, 0}, {1, 1}, {0, 1}},
       {{0, 0}, {1, 1}, {0, 1}}},
      {"collinear points stop at the first", {{0, 0}, {1, 1}, {2, 2}}, {{0, 0}, {1, 1}}},
      {"duplicates of a hull point", {{0, 0}, {2, 0.5}, {2, 0.5}, {1, 2}}, {{0, 0}, {2, 0.5}, {1, 2}}},
      {"pentagon given clockwise",
       {{0, 2}, {2, 3}, {4, 2}, {3, 0}, {1, 0}, {2, 1}},
       {{3, 0}, {4, 2}, {2, 3}, {0, 2}, {1, 0}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PointList input(c.input);
    EXPECT_EQ(Adopt(TPointTools::FindConvexHull(input.Raw())), c.hull);
  }
}

TEST(TPointTools, FindConvexHullReturnsCopiesOfTheirOwnClass) {
  TMapPoint a(0, 0, 5);
  TMapPoint b(1, 1, 6);
  TPoint c(0, 1);
  std::vector<TPointPtr> hull;
  for (TPoint* p : TPointTools::FindConvexHull({&b, &c, &a})) hull.emplace_back(p);
  ASSERT_EQ(hull.size(), 3u);
  const TMapPoint* first = dynamic_cast<const TMapPoint*>(hull[0].get());
  ASSERT_NE(first, nullptr);
  EXPECT_NE(first, &a);
  EXPECT_EQ(first->GetValue(), 5);
  ASSERT_NE(dynamic_cast<const TMapPoint*>(hull[1].get()), nullptr);
  EXPECT_EQ(dynamic_cast<const TMapPoint*>(hull[2].get()), nullptr);
  EXPECT_EQ(a.GetX(), 0);  // the inputs are only read
  EXPECT_EQ(b.GetY(), 1);
}
}  // namespace
