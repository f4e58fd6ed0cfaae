#include "cellloops.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "TPoint.h"
#include "TestSupport.h"

namespace {
using cellloops::TCellMatch;

const char* const kColumnOut = "column out";
const char* const kRowOut = "row out";

// What TMap::GetPointVal(TPoint*) gives at (x, y): the value, or the message thrown.
std::pair<double, std::string> LookUpOneByOne(const TMap* other, double x, double y) {
  TPoint point(x, y);
  try {
    return {other->GetPointVal(&point), ""};
  } catch (const char* message) {
    return {0, message};
  }
}

std::pair<double, std::string> LookUpMatched(const TCellMatch& match, long j, long i) {
  try {
    return {match.Value(j, i), ""};
  } catch (const char* message) {
    return {0, message};
  }
}

TEST(TCellMatch, GivesAtEveryPositionWhatTheLookUpOfThatPositionGives) {
  // A 3 x 2 map with edges x 10..13 and y 22..20; positions beyond each side,
  // on the outer edges (the eastern and northern ones lie in no cell) and inside.
  TMapPtr other = GridFromText(
      "ncols 3\nnrows 2\nxllcorner 10\nyllcorner 20\ncellsize 1\nNODATA_value -1\n"
      "1 2 3\n4 5 6\n");
  const std::vector<double> xs{9.5, 10, 10.5, 11, 12.99, 13, 13.5};
  const std::vector<double> ys{22.5, 22, 21.5, 21, 20.5, 20, 19.5};
  const TCellMatch match(other.get(), xs, ys, cellloops::kGetPointValColumn, cellloops::kGetPointValRow);
  int failures = 0;
  for (long i = 0; i < static_cast<long>(ys.size()); ++i)
    for (long j = 0; j < static_cast<long>(xs.size()); ++j) {
      SCOPED_TRACE(std::to_string(xs[j]) + ", " + std::to_string(ys[i]));
      const auto expected = LookUpOneByOne(other.get(), xs[j], ys[i]);
      EXPECT_EQ(LookUpMatched(match, j, i), expected);
      failures += !expected.second.empty();
    }
  EXPECT_GT(failures, 0);
}

TEST(TCellMatch, ReportsTheXLookUpBeforeTheYLookUpAndBothBeforeTheRangeChecks) {
  TMapPtr other =
      GridFromText("ncols 2\nnrows 2\nxllcorner 0\nyllcorner 0\ncellsize 1\nNODATA_value -9999\n1 2\n3 4\n");
  // x: outside, on the eastern edge (index out of range), inside; the same for y.
  const TCellMatch match(other.get(), {-1, 2, 0.5}, {3, 2, 0.5}, kColumnOut, kRowOut);
  struct Case {
    const char* name;
    long j, i;
    const char* message;
  };
  const Case cases[] = {
      {"x outside, y outside", 0, 0, "Ordinate is out of range in TAxis::GetIndex"},
      {"x on the edge, y outside", 1, 0, "Ordinate is out of range in TAxis::GetIndex"},
      {"x on the edge, y on the edge", 1, 1, kColumnOut},
      {"x inside, y on the edge", 2, 1, kRowOut},
      {"x on the edge, y inside", 1, 2, kColumnOut},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_THROWS_TEXT(match.Check(c.j, c.i), c.message);
  }
  EXPECT_EQ(match.Value(2, 2), 3);
}

TEST(CellLoops, VisitTheCellsInTheirOrders) {
  std::vector<std::pair<long, long>> rowsOuter, columnsOuter;
  cellloops::ForEachCellRowsOuter(3, 2, [&](long x, long y) { rowsOuter.emplace_back(x, y); });
  cellloops::ForEachCellColumnsOuter(3, 2, [&](long x, long y) { columnsOuter.emplace_back(x, y); });
  const std::vector<std::pair<long, long>> byRows{{0, 0}, {1, 0}, {2, 0}, {0, 1}, {1, 1}, {2, 1}};
  const std::vector<std::pair<long, long>> byColumns{{0, 0}, {0, 1}, {1, 0}, {1, 1}, {2, 0}, {2, 1}};
  EXPECT_EQ(rowsOuter, byRows);
  EXPECT_EQ(columnsOuter, byColumns);
}
}  // namespace
