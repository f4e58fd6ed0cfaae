#include <cmath>
#include <functional>
#include <iterator>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "MapAlgebraSupport.h"
#include "TMapTools.h"

namespace {
const double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();

using TwoMapOp = std::function<TMap*(TMap*, TMap*)>;

// The two-map rule written out cell by cell with TMap's own look-up by point:
// each base cell centre is looked up in the other map, and the first failure
// propagates. `base` is the map whose grid the result has.
Cells CellByCell(const TMap* base, const TMap* other, const std::function<double(double, double)>& combine) {
  Cells cells(base->GetYDim(), std::vector<double>(base->GetXDim()));
  for (long i = 0; i < base->GetYDim(); ++i)
    for (long j = 0; j < base->GetXDim(); ++j) {
      std::unique_ptr<TPoint> centre(base->GetCoordinates(j, i));
      const double v = base->GetPointVal(j, i);
      const double w = other->GetPointVal(centre.get());
      cells[i][j] = v != base->GetNoData() && w != other->GetNoData() ? combine(v, w) : base->GetNoData();
    }
  return cells;
}

std::string Outcome(const std::function<Cells()>& run) {
  try {
    const Cells cells = run();
    std::ostringstream text;
    for (const auto& row : cells)
      for (double v : row) text << v << ' ';
    return text.str();
  } catch (const char* message) {
    return message;
  }
}

TEST(TwoMapFamily, CombinesCellsOnTheSameGridAndGivesTheFirstMapsNoDataWhereEitherLacksData) {
  TMapPtr a = MakeGrid(2, 2, 0, 0, 1, -1, "1 2\n-1 8");
  TMapPtr b = MakeGrid(2, 2, 0, 0, 1, -9999, "4 -9999\n5 2");
  struct Case {
    const char* name;
    TwoMapOp op;
    Cells expected;
  };
  const Case cases[] = {
      {"Add", TMapTools::Add, {{5, -1}, {-1, 10}}},
      {"Multiply", static_cast<TMap* (*)(TMap*, TMap*)>(TMapTools::Multiply), {{4, -1}, {-1, 16}}},
      {"Divide", static_cast<TMap* (*)(TMap*, TMap*)>(TMapTools::Divide), {{0.25, -1}, {-1, 4}}},
  };
  const MapShape aBefore(a.get()), bBefore(b.get());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TMapPtr result(c.op(a.get(), b.get()));
    EXPECT_EQ(result->MbrVecValues, c.expected);
    EXPECT_EQ(result->GetNoData(), -1);
    EXPECT_EQ(MapShape(result.get()).XEdges, aBefore.XEdges);
    EXPECT_EQ(MapShape(result.get()).YEdges, aBefore.YEdges);
  }
  EXPECT_TRUE(MapShape(a.get()) == aBefore);
  EXPECT_TRUE(MapShape(b.get()) == bBefore);
}

TEST(TwoMapFamily, TheFinerMapIsTheBaseAndSamplesTheCoarserOneAtItsCellCentres) {
  // Second map twice as fine over the same 2 x 2 area, with its own no-data value.
  TMapPtr coarse = MakeGrid(2, 2, 0, 0, 1, -9999, "10 20\n30 40");
  TMapPtr fine = MakeGrid(4, 4, 0, 0, 0.5, -5, "1 2 3 4\n5 -5 7 8\n9 10 11 12\n13 14 15 16");
  TMapPtr sum(TMapTools::Add(coarse.get(), fine.get()));
  const Cells expected{{11, 12, 23, 24}, {15, -5, 27, 28}, {39, 40, 51, 52}, {43, 44, 55, 56}};
  EXPECT_EQ(sum->MbrVecValues, expected);
  EXPECT_EQ(sum->GetNoData(), -5);
  EXPECT_EQ(sum->GetResolution(), 0.5);
  EXPECT_TRUE(MapShape(sum.get()).XCentres == MapShape(fine.get()).XCentres);
  EXPECT_TRUE(MapShape(sum.get()).YCentres == MapShape(fine.get()).YCentres);

  // With the operands swapped the fine map stays the base; on a tie the first is.
  TMapPtr product(TMapTools::Multiply(fine.get(), coarse.get()));
  EXPECT_EQ(product->GetXDim(), 4);
  EXPECT_EQ(product->GetNoData(), -5);
  EXPECT_EQ(product->MbrVecValues[3][3], 16 * 40);
  TMapPtr other = MakeGrid(2, 2, 0, 0, 1, -7, "1 1\n1 1");
  EXPECT_EQ(TMapPtr(TMapTools::Add(other.get(), coarse.get()))->GetNoData(), -7);
}

TEST(TwoMapFamily, DivideKeepsTheDividendsGridAndRefusesACoarserDividend) {
  TMapPtr dividend = MakeGrid(2, 2, 0, 0, 1, -9999, "1 0\n-2 6");
  TMapPtr divisor = MakeGrid(1, 1, 0, 0, 2, -9999, "0");
  TMapPtr quotient(TMapTools::Divide(dividend.get(), divisor.get()));
  EXPECT_EQ(quotient->MbrVecValues[0][0], kInf);
  EXPECT_TRUE(std::isnan(quotient->MbrVecValues[0][1]));
  EXPECT_EQ(quotient->MbrVecValues[1][0], -kInf);
  EXPECT_EQ(quotient->GetResolution(), 1);

  TMapPtr halves = MakeGrid(1, 1, 0, 0, 2, -9999, "2");
  TMapPtr divided(TMapTools::Divide(dividend.get(), halves.get()));
  EXPECT_EQ(divided->MbrVecValues, (Cells{{0.5, 0}, {-1, 3}}));
  EXPECT_THROWS_TEXT(TMapTools::Divide(halves.get(), dividend.get()),
                     "Divisor must be of equal of coarser resolution than the dividend in TMapTools::Divide");
}

TEST(TwoMapFamily, FailsAtTheSameCellWithTheSameMessageAsTheCellByCellLookUp) {
  // A 4 x 3 base of cell size 1 over x 0..4, y 0..3, no data -2, against other
  // maps that cover it in part: beyond an edge ("Ordinate is out of range"),
  // with a base centre on their eastern or northern outer edge (LngX / LngY),
  // both at once, or wholly.
  TMapPtr base = MakeGrid(4, 3, 0, 0, 1, -2, "1 2 3 -2\n5 6 7 8\n9 10 11 12");
  struct Case {
    const char* name;
    long columns, rows;
    double xll, yll, cellSize;
  };
  const Case cases[] = {
      {"covers all", 2, 2, 0, -1, 2},
      {"ends short in the east", 2, 2, 0, 0, 1.5},
      {"eastern edge on the last column's centres", 3, 3, 0.5, 0, 1},
      {"northern edge on the first row's centres", 3, 2, 0, -0.5, 1.5},
      {"eastern edge on a centre, last row outside", 3, 2, 0.5, 1, 1},
      {"eastern and northern edges on centres", 3, 3, 0.5, -0.5, 1},
      {"starts east of the first column", 4, 4, 0.75, 0, 1},
      {"starts north of the last row", 2, 1, 0, 1, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string cells;
    for (long k = 0; k < c.columns * c.rows; ++k) cells += std::to_string(k % 5 == 3 ? -9999 : k + 1) + " ";
    TMapPtr other = MakeGrid(c.columns, c.rows, c.xll, c.yll, c.cellSize, -9999, cells);
    ASSERT_GE(other->GetResolution(), base->GetResolution());  // the base stays the base
    const MapShape before(other.get());
    struct Op {
      const char* name;
      TwoMapOp op;
      std::function<double(double, double)> combine;
    };
    const Op ops[] = {
        {"Add", TMapTools::Add, [](double v, double w) { return v + w; }},
        {"Multiply", static_cast<TMap* (*)(TMap*, TMap*)>(TMapTools::Multiply),
         [](double v, double w) { return v * w; }},
        {"Divide", static_cast<TMap* (*)(TMap*, TMap*)>(TMapTools::Divide), [](double v, double w) { return v / w; }},
    };
    for (const Op& op : ops) {
      SCOPED_TRACE(op.name);
      const std::string expected = Outcome([&] { return CellByCell(base.get(), other.get(), op.combine); });
      const std::string actual = Outcome([&] { return TMapPtr(op.op(base.get(), other.get()))->MbrVecValues; });
      EXPECT_EQ(actual, expected);
    }
    EXPECT_TRUE(MapShape(other.get()) == before);
  }
}

TEST(Subtract, MatchesByIndexAndGivesTheMinuendsNoData) {
  TMapPtr minuend = MakeGrid(2, 2, 0, 0, 1, -1, "5 -1\n7 8");
  // Another place and cell size: only the dimensions count.
  TMapPtr subtrahend = MakeGrid(2, 2, 100, 50, 3, -9999, "1 2\n-9999 -1");
  TMapPtr difference(TMapTools::Subtract(minuend.get(), subtrahend.get()));
  EXPECT_EQ(difference->MbrVecValues, (Cells{{4, -1}, {-1, 9}}));
  EXPECT_EQ(difference->GetNoData(), -1);
  EXPECT_TRUE(MapShape(difference.get()).XEdges == MapShape(minuend.get()).XEdges);

  TMapPtr wide = MakeGrid(3, 2, 0, 0, 1, -9999, "1 2 3\n4 5 6");
  TMapPtr tall = MakeGrid(2, 3, 0, 0, 1, -9999, "1 2\n3 4\n5 6");
  EXPECT_THROWS_TEXT(TMapTools::Subtract(wide.get(), tall.get()), "X dimensions do not match in TMapTools::Subtract");
  EXPECT_THROWS_TEXT(TMapTools::Subtract(minuend.get(), tall.get()),
                     "Y dimensions do not match in TMapTools::Subtract");
}

TEST(MapAndNumber, MultiplyTestsTheResultsNoDataAndDivideTheInputs) {
  TMapPtr map = MakeGrid(3, 1, 0, 0, 1, -1, "-1 -9999 3");
  TMapPtr product(TMapTools::Multiply(map.get(), 2.0));
  EXPECT_EQ(product->MbrVecValues, (Cells{{-2, -9999, 6}}));
  EXPECT_EQ(product->GetNoData(), -9999);
  TMapPtr quotient(TMapTools::Divide(map.get(), 2.0));
  EXPECT_EQ(quotient->MbrVecValues, (Cells{{-1, -4999.5, 1.5}}));
  EXPECT_EQ(quotient->GetNoData(), -9999);
  TMapPtr byZero(TMapTools::Divide(map.get(), 0.0));
  EXPECT_EQ(byZero->MbrVecValues, (Cells{{-1, -kInf, kInf}}));
}

class StackTest : public ::testing::Test {
 protected:
  // Three 2 x 2 maps; at (0, 0) all hold data, at (1, 0) none does, at (0, 1)
  // the second lacks data with its no-data value -1 and the third with -9999.
  void SetUp() override {
    maps_.push_back(MakeGrid(2, 2, 0, 0, 1, -9999, "2 -9999\n1 4"));
    maps_.push_back(MakeGrid(2, 2, 0, 0, 1, -1, "4 -1\n-1 6"));
    maps_.push_back(MakeGrid(2, 2, 0, 0, 1, -9999, "9 -9999\n-9999 -1"));
  }
  std::vector<TMap*> Stack() const {
    std::vector<TMap*> stack;
    for (const auto& map : maps_) stack.push_back(map.get());
    return stack;
  }
  std::vector<TMapPtr> maps_;
};

TEST_F(StackTest, SumHoldsTheSumWhereAllHaveDataElseTheFirstLackingMapsNoData) {
  TMapPtr sum(TMapTools::Sum(Stack()));
  EXPECT_EQ(sum->MbrVecValues, (Cells{{15, -9999}, {-1, 9}}));
  EXPECT_EQ(sum->GetNoData(), -9999);
  TMapPtr two(TMapTools::Sum({maps_[0].get(), maps_[1].get()}));
  EXPECT_EQ(two->MbrVecValues, (Cells{{6, -9999}, {-1, 10}}));
}

TEST_F(StackTest, DataCountsCountsTheMapsHoldingData) {
  TMapPtr counts(TMapTools::DataCounts(Stack()));
  EXPECT_EQ(counts->MbrVecValues, (Cells{{3, 0}, {1, 3}}));
  EXPECT_EQ(counts->GetNoData(), -9999);
  TMapPtr one(TMapTools::DataCounts({maps_[1].get()}));
  EXPECT_EQ(one->MbrVecValues, (Cells{{1, 0}, {0, 1}}));
}

TEST_F(StackTest, AverageDividesTheSumByTheCounts) {
  TMapPtr average(TMapTools::Average(Stack()));
  // At (0, 1) the first map lacking data has the no-data value -1, which is then
  // divided by the one map holding data there.
  EXPECT_EQ(average->MbrVecValues, (Cells{{5, -9999}, {-1, 3}}));
  EXPECT_EQ(average->GetNoData(), -9999);
}

TEST_F(StackTest, StackChecksComeFirstInTheirOrder) {
  TMapPtr wide = MakeGrid(3, 2, 0, 0, 1, -9999, "1 2 3\n4 5 6");
  TMapPtr tall = MakeGrid(2, 3, 0, 0, 1, -9999, "1 2\n3 4\n5 6");
  struct Case {
    const char* name;
    std::vector<TMap*> stack;
    const char* sum;
    const char* counts;
  };
  const Case cases[] = {
      {"one map", {maps_[0].get()}, "Must have more than 2 maps to sum in TMapTools::Sum", nullptr},
      {"no map",
       {},
       "Must have more than 2 maps to sum in TMapTools::Sum",
       "Map stack is empty in TMapTools::DataCounts"},
      {"a later map wider",
       {maps_[0].get(), maps_[1].get(), wide.get()},
       "X-dimension of maps are inconsistent in TMapTools::Sum",
       "X-dimension of maps are inconsistent in TMapTools::DataCounts"},
      {"taller before wider",
       {maps_[0].get(), tall.get(), wide.get()},
       "Y-dimension of maps are inconsistent in TMapTools::Sum",
       "Y-dimension of maps are inconsistent in TMapTools::DataCounts"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_THROWS_TEXT(TMapTools::Sum(c.stack), c.sum);
    EXPECT_THROWS_TEXT(TMapTools::Average(c.stack), c.sum);
    if (c.counts) EXPECT_THROWS_TEXT(TMapTools::DataCounts(c.stack), c.counts);
  }
}

TEST(MovingAverage, AveragesEachRunOfConsecutiveMaps) {
  std::vector<TMapPtr> owned;
  std::vector<TMap*> stack;
  for (int m = 0; m < 5; ++m) {
    owned.push_back(MakeGrid(2, 1, 0, 0, 1, -9999, std::to_string(m) + " " + std::to_string(10 * m)));
    stack.push_back(owned.back().get());
  }
  std::vector<TMap*> averages = TMapTools::MovingAverage(stack, 3);
  std::vector<TMapPtr> held(averages.begin(), averages.end());
  ASSERT_EQ(held.size(), 3u);
  for (std::size_t k = 0; k < held.size(); ++k) EXPECT_EQ(held[k]->MbrVecValues, (Cells{{k + 1.0, 10 * (k + 1.0)}}));
  EXPECT_TRUE(TMapTools::MovingAverage(stack, 6).empty());
  EXPECT_THROWS_TEXT(TMapTools::MovingAverage(stack, 1), "Must have more than 2 maps to sum in TMapTools::Sum");
  EXPECT_THROWS_TEXT(TMapTools::MovingAverage(stack, 0), "Must have more than 2 maps to sum in TMapTools::Sum");
  EXPECT_THROWS_TEXT(TMapTools::MovingAverage(stack, -2), "Must have more than 2 maps to sum in TMapTools::Sum");
}

TEST(MovingAverage, AFailingWindowReleasesTheAveragesAlreadyMade) {
  // The windows 0-1 and 1-2 succeed, 2-3 meets the wider map; the sanitizer
  // build reports the two averages made if they were not released.
  TMapPtr a = MakeGrid(2, 1, 0, 0, 1, -9999, "1 2");
  TMapPtr wide = MakeGrid(3, 1, 0, 0, 1, -9999, "1 2 3");
  EXPECT_THROWS_TEXT(TMapTools::MovingAverage({a.get(), a.get(), a.get(), wide.get()}, 2),
                     "X-dimension of maps are inconsistent in TMapTools::Sum");
}

TEST(RoundContents, RoundsPositivesHalfUpAndTruncatesNegatives) {
  struct Case {
    double value, expected;
  };
  const Case cases[] = {
      {2.5, 3},           {2.49, 2},      {0.5, 1},       {-0.4, 0},
      {-2.5, -2},         {-2.7, -2},     {-9999, -9999}, {4e9 + 0.5, 4e9 + 1},
      {-4e9 - 0.7, -4e9}, {1e300, 1e300}, {kInf, kInf},   {-kInf, -kInf},
  };
  const long count = static_cast<long>(std::size(cases));
  std::string zeros;
  for (long k = 0; k <= count; ++k) zeros += "0 ";
  TMapPtr map = MakeGrid(count + 1, 1, 0, 0, 1, -1, zeros);
  for (long k = 0; k < count; ++k) map->SetPoint(k, 0, cases[k].value);
  map->SetPoint(count, 0, kNaN);
  TMapPtr rounded(TMapTools::RoundContents(map.get()));
  for (std::size_t k = 0; k < std::size(cases); ++k) {
    SCOPED_TRACE(cases[k].value);
    const double r = rounded->MbrVecValues[0][k];
    EXPECT_EQ(r, cases[k].expected);
    EXPECT_EQ(std::signbit(r), std::signbit(cases[k].expected));  // -0.4 gives +0, as a 32-bit integer would
  }
  EXPECT_TRUE(std::isnan(rounded->MbrVecValues[0][std::size(cases)]));
  EXPECT_EQ(rounded->GetNoData(), -9999);
}
}  // namespace
