#include "TGridFileCensus.h"

#include <string>
#include <utility>
#include <vector>

#include "TestSupport.h"

namespace {
using Counts = std::vector<std::pair<std::string, long>>;

// The walk with each value written exactly, sign of zero included.
Counts Walk(TGridFileCensus& census) {
  Counts counts;
  census.ForEachAscending([&counts](double value, long count) {
    char text[64];
    std::snprintf(text, sizeof text, "%.17g", value);
    counts.emplace_back(text, count);
  });
  return counts;
}

// What the census of the file gives: its walk, or the text it throws.
std::string Outcome(const std::string& path, long long split) {
  try {
    TGridFileCensus census(path, nullptr, split);
    std::string text;
    for (const auto& c : Walk(census)) text += c.first + " " + std::to_string(c.second) + "\n";
    return text;
  } catch (const char* message) {
    return std::string("thrown: ") + message;
  } catch (const std::string& message) {
    return "thrown: " + message;
  }
}

std::string Grid(int ncols, int nrows, const std::string& cells) {
  return "ncols " + std::to_string(ncols) + "\nnrows " + std::to_string(nrows) +
         "\nxllcorner 0\nyllcorner 0\ncellsize 1\nNODATA_value -9999\n" + cells;
}

TEST(GridFileCensus, TwoPartsSplitAnywhereCountAsOneReading) {
  // Every split offset, from before the cells to past the end, must give the result
  // of a reading in one part: the same counts, the same form of zero (here -0 comes
  // first column by column, though +0 comes first in the file), the same failure at
  // the same place, and trailing tokens past the grid ignored.
  TempDir dir;
  struct Case {
    const char* name;
    std::string grid;
  };
  const std::string longToken = "1." + std::string(60, '5');
  // Long rows with every kind of white space, read sixteen bytes at a time.
  std::string spaced;
  const char* const spaces[] = {" ", "\t", "\r\n", "\v", "\f", "  \n"};
  for (int i = 0; i < 120; ++i) spaced += std::to_string(i % 13 * 7) + "." + std::to_string(i % 4) + spaces[i % 6];
  std::string highByte = spaced;
  highByte.replace(highByte.size() - 40, 1, "\x80");
  const Case cases[] = {
      {"values of every kind", Grid(4, 3,
                                    "12 0 " + longToken + " 7.25e1\r\n-9999 3.5 12 1e-310\n"
                                    "-0 12.000 -9999 4512345.5\t\n")},
      {"every white space", Grid(40, 3, spaced)},
      {"a byte above ASCII late in the cells", Grid(40, 3, highByte)},
      {"trailing tokens", Grid(2, 2, "1 2\n3 4\n5 x y z\n")},
      {"a bad cell", Grid(3, 2, "1 2 3\n4 5x 6\n")},
      {"two bad cells", Grid(3, 2, "1 a 3\n4 5 b\n")},
      {"too few cells", Grid(3, 2, "1 2 3\n4 5\n")},
      {"no white space before the first cell", "ncols 2\nnrows 1\nxllcorner 0\nyllcorner 0\ncellsize 1\n"
                                               "NODATA_value -9999 5 6"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = dir.Write("grid.asc", c.grid);
    const std::string whole = Outcome(path, static_cast<long long>(c.grid.size()) + 1);
    EXPECT_EQ(Outcome(path, TGridFileCensus::kAutomaticSplit), whole);
    for (long long split = 0; split <= static_cast<long long>(c.grid.size()); ++split) {
      SCOPED_TRACE(split);
      ASSERT_EQ(Outcome(path, split), whole);
    }
  }
  // The one-part results themselves.
  EXPECT_EQ(Outcome(dir.Write("a.asc", cases[0].grid), -1),
            "-9999 2\n-0 2\n9.9999999999999694e-311 1\n1.5555555555555556 1\n3.5 1\n12 3\n72.5 1\n4512345.5 1\n");
}
}  // namespace
