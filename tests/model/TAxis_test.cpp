#include "TAxis.h"

#include <cmath>
#include <limits>
#include <memory>

#include "TPoint.h"
#include "TestSupport.h"

namespace {
std::unique_ptr<TAxis> AxisOf(std::initializer_list<std::pair<double, double>> points, double resolution = 1) {
  auto axis = std::make_unique<TAxis>(resolution);
  for (const auto& p : points) axis->AddPoint(new TPoint(p.first, p.second));
  return axis;
}

TEST(TAxis, GetIndexFindsTheHalfOpenIntervalClosedAtItsSmallerEnd) {
  auto ascending = AxisOf({{0, 5}, {10, 5}, {20, 5}, {30, 5}});
  auto descending = AxisOf({{1, 30}, {1, 20}, {1, 10}, {1, 0}});
  struct Case {
    const TAxis* axis;
    char selector;
    double ordinate;
    long index;
  };
  const Case cases[] = {
      {ascending.get(), 'X', 0, 0},   {ascending.get(), 'X', 9.99, 0}, {ascending.get(), 'X', 10, 1},
      {ascending.get(), 'X', 29.9, 2}, {descending.get(), 'Y', 25, 0}, {descending.get(), 'Y', 20, 0},
      {descending.get(), 'Y', 10, 1}, {descending.get(), 'Y', 0, 2},
      // A lower-case x reads the Y ordinates.
      {descending.get(), 'x', 15, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ordinate);
    EXPECT_EQ(c.axis->GetIndex(c.ordinate, c.selector), c.index);
  }
  EXPECT_THROWS_TEXT(ascending->GetIndex(-0.1, 'X'), "Ordinate is out of range in TAxis::GetIndex");
  EXPECT_THROWS_TEXT(ascending->GetIndex(30.1, 'X'), "Ordinate is out of range in TAxis::GetIndex");
  EXPECT_THROWS_TEXT(descending->GetIndex(31, 'Y'), "Ordinate is out of range in TAxis::GetIndex");
}

TEST(TAxis, GetIndexOutsideEveryIntervalGivesTheNumberOfIntervals) {
  auto ascending = AxisOf({{0, 5}, {10, 5}, {20, 5}, {30, 5}});
  auto descending = AxisOf({{1, 30}, {1, 20}, {1, 10}, {1, 0}});
  auto single = AxisOf({{4, 4}});
  EXPECT_EQ(ascending->GetIndex(30, 'X'), 3);
  EXPECT_EQ(descending->GetIndex(30, 'Y'), 3);
  EXPECT_EQ(single->GetIndex(4, 'X'), 0);
  TAxis empty(1);
  EXPECT_THROWS_TEXT(empty.GetIndex(0, 'X'), "Axis is empty in TAxis::GetIndex");
}

TEST(TAxis, PointAccessChecksItsIndexBeforeChangingAnything) {
  TAxis axis(2.0, 2);
  EXPECT_EQ(axis.GetSize(), 2);
  EXPECT_EQ(axis.GetResolution(), 2.0);
  axis.SetPoint(0, new TPoint(1, 2));
  axis.SetPoint(0, new TPoint(3, 4));  // replaces and deletes the first
  EXPECT_EQ(axis.GetPoint(0)->GetX(), 3);
  auto kept = std::make_unique<TPoint>(0, 0);
  EXPECT_THROWS_TEXT(axis.SetPoint(2, kept.get()), "Index is out of range in TAxis::SetPoint");
  EXPECT_THROWS_TEXT(axis.SetPoint(-1, kept.get()), "Index is out of range in TAxis::SetPoint");
  EXPECT_THROWS_TEXT(axis.GetPoint(2), "Index is out of range in TAxis::GetPoint");
  EXPECT_THROWS_TEXT(axis.GetPoint(-1), "Index is out of range in TAxis::GetPoint");
  EXPECT_THROWS_TEXT(TAxis(1.0, -1), "Size is negative in TAxis::TAxis");
}

TEST(TAxis, GetSegmentChecksStartThenEndThenOrder) {
  auto axis = AxisOf({{0, 0}, {1, 0}, {2, 0}, {3, 0}});
  std::unique_ptr<TAxis> one(axis->GetSegment(2, 2));
  ASSERT_EQ(one->GetSize(), 1);
  EXPECT_EQ(one->GetPoint(0)->GetX(), 2);
  std::unique_ptr<TAxis> middle(axis->GetSegment(1, 2));
  ASSERT_EQ(middle->GetSize(), 2);
  EXPECT_NE(middle->GetPoint(0), axis->GetPoint(1));
  EXPECT_THROWS_TEXT(axis->GetSegment(3, 2), "Start index is greater than end index in TAxis::GetSegment");
  EXPECT_THROWS_TEXT(axis->GetSegment(-1, -5), "Start index is out of range in TAxis::GetSegment");
  EXPECT_THROWS_TEXT(axis->GetSegment(0, 4), "End index is out of range in TAxis::GetSegment");

  TPoint from(0.5, 0), to(2.5, 0), outside(9, 0);
  std::unique_ptr<TAxis> byPoints(axis->GetSegment(&from, &to, 'X'));
  EXPECT_EQ(byPoints->GetSize(), 3);
  EXPECT_THROWS_TEXT(axis->GetSegment(&from, &outside, 'X'), "Ordinate is out of range in TAxis::GetIndex");
  EXPECT_THROWS_TEXT(axis->GetSegment(&to, &from, 'X'), "Start index is greater than end index in TAxis::GetSegment");
}

TEST(TAxis, CloneCopiesEveryPointKeepingItsClass) {
  TAxis axis(0.5);
  axis.AddPoint(new TMapPoint(1, 2, 42));
  axis.AddPoint(new TPoint(3, 4));
  std::unique_ptr<TAxis> copy(axis.Clone());
  ASSERT_EQ(copy->GetSize(), 2);
  EXPECT_EQ(copy->GetResolution(), 0.5);
  auto* mapPoint = dynamic_cast<TMapPoint*>(copy->GetPoint(0));
  ASSERT_NE(mapPoint, nullptr);
  EXPECT_EQ(mapPoint->GetValue(), 42);
  EXPECT_NE(copy->GetPoint(0), axis.GetPoint(0));
  std::unique_ptr<TAxis> emptyCopy(TAxis(3.0).Clone());
  EXPECT_EQ(emptyCopy->GetSize(), 0);
  EXPECT_EQ(emptyCopy->GetResolution(), 3.0);
}

TEST(TPoint, DistanceAndCloneKeepClassAndOrdinates) {
  TPoint a(0, 0), b(3, 4);
  EXPECT_EQ(a.Distance(&b), 5);
  TMapPoint m(1, 2, 3);
  std::unique_ptr<TPoint> copy(m.Clone());
  auto* asMap = dynamic_cast<TMapPoint*>(copy.get());
  ASSERT_NE(asMap, nullptr);
  EXPECT_EQ(asMap->GetX(), 1);
  EXPECT_EQ(asMap->GetY(), 2);
  EXPECT_EQ(asMap->GetValue(), 3);
}
}  // namespace
