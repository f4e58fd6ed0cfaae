#include "TAxisTools.h"

#include <memory>
#include <utility>
#include <vector>

#include "TAxis.h"
#include "TPoint.h"
#include "TestSupport.h"

namespace {
using Points = std::vector<std::pair<double, double>>;

std::unique_ptr<TAxis> AxisOf(const Points& points, double resolution) {
  auto axis = std::make_unique<TAxis>(resolution);
  for (const auto& p : points) axis->AddPoint(new TPoint(p.first, p.second));
  return axis;
}

Points PointsOf(const TAxis& axis) {
  Points points;
  for (long i = 0; i < axis.GetSize(); ++i) points.emplace_back(axis.GetPoint(i)->GetX(), axis.GetPoint(i)->GetY());
  return points;
}

TEST(TAxisTools, PointsToIntervals) {
  struct Case {
    const char* name;
    Points centres;
    double resolution;
    char which;
    Points edges;
  };
  const Case cases[] = {
      {"ascending X", {{0.5, 9.5}, {1.5, 9.5}, {2.5, 9.5}}, 1, 'X', {{0, 9}, {1, 9}, {2, 9}, {3, 9}}},
      {"descending Y", {{0.5, 9.5}, {0.5, 8.5}, {0.5, 7.5}}, 1, 'Y', {{0, 10}, {0, 9}, {0, 8}, {0, 7}}},
      {"descending Y read with another selector", {{0.5, 9.5}, {0.5, 8.5}, {0.5, 7.5}}, 1, 'Z',
       {{0, 10}, {0, 11}, {0, 12}, {0, 13}}},
      {"ascending Y", {{0.5, 7.5}, {0.5, 8.5}}, 1, 'Y', {{0, 7}, {0, 8}, {0, 9}}},
      {"one X point", {{4, 6}}, 2, 'X', {{3, 5}, {5, 5}}},
      // A one-row map's Y edges run from north to south like every other map's.
      {"one Y point", {{4, 6}}, 2, 'Y', {{3, 7}, {3, 5}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto centres = AxisOf(c.centres, c.resolution);
    std::unique_ptr<TAxis> edges(TAxisTools::PointsToIntervals(centres.get(), c.which));
    EXPECT_EQ(PointsOf(*edges), c.edges);
    EXPECT_EQ(edges->GetResolution(), c.resolution);
  }
}

TEST(TAxisTools, IntervalsToPoints) {
  struct Case {
    const char* name;
    Points edges;
    Points centres;
  };
  const Case cases[] = {
      {"descending Y", {{0, 10}, {0, 9}, {0, 8}, {0, 7}}, {{0, 9.5}, {0, 8.5}, {0, 7.5}}},
      {"ascending Y", {{0, 7}, {0, 8}, {0, 9}, {0, 10}}, {{0, 6.5}, {0, 7.5}, {0, 8.5}}},
      {"ascending X", {{0, 2}, {1, 2}, {2, 2}}, {{0.5, 2}, {1.5, 2}}},
      {"one point", {{3, 3}}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto edges = AxisOf(c.edges, 1);
    std::unique_ptr<TAxis> centres(TAxisTools::IntervalsToPoints(edges.get(), 'Y'));
    EXPECT_EQ(PointsOf(*centres), c.centres);
  }
}

TEST(TAxisTools, EmptyAxesFailOnTheirFirstPoint) {
  TAxis empty(1);
  EXPECT_THROWS_TEXT(TAxisTools::IntervalsToPoints(&empty, 'X'), "Index is out of range in TAxis::GetPoint");
  EXPECT_THROWS_TEXT(TAxisTools::PointsToIntervals(&empty, 'X'), "Index is out of range in TAxis::GetPoint");
}
}  // namespace
