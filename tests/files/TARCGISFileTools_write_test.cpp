#include <cmath>
#include <cstring>
#include <filesystem>
#include <iomanip>
#include <sstream>
#include <string>
#include <vector>

#include "TARCGISFileTools.h"
#include "TAxis.h"
#include "TPoint.h"
#include "TestSupport.h"

namespace {
const char* const kExampleGrid =
    "ncols 3\nnrows 2\nxllcorner 10\nyllcorner 20\ncellsize 0.5\nNODATA_value -9999\n1 2 3\n4 5 -9999\n";
const char* const kExampleText =
    "ncols 3\n"
    "nrows 2\n"
    "xllcorner       10\n"
    "yllcorner       20\n"
    "cellsize 0.5\n"
    "NODATA_value -9999\n"
    "1 2 3 \n"
    "4 5 -9999 \n";
const char* const kWriteWithoutAxes = "Map has no axes in TARCGISFileTools::WriteARCGISFile";
const char* const kListWithoutAxes = "Map has no axes in TARCGISFileTools::WriteFileList";
const char* const kListSizes = "Size of map list and filename list do not match in TARCGISFileTools::WriteFileList";
const char* const kAxisRange = "Index is out of range in TAxis::GetPoint";

std::string StreamText(TMap* map) {
  std::ostringstream out;
  TARCGISFileTools::WriteARCGISFile(map, out);
  return out.str();
}

std::string FileText(TMap* map, const TempDir& dir) {
  const std::string path = dir.Path("grid.asc");
  TARCGISFileTools::WriteARCGISFile(map, path);
  return ReadFile(path);
}

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

void ExpectSameAxisBits(const TAxis* a, const TAxis* b, const char* name) {
  SCOPED_TRACE(name);
  ASSERT_EQ(a->GetSize(), b->GetSize());
  EXPECT_TRUE(SameBits(a->GetResolution(), b->GetResolution()));
  for (long i = 0; i < a->GetSize(); ++i) {
    EXPECT_TRUE(SameBits(a->GetPoint(i)->GetX(), b->GetPoint(i)->GetX())) << "point " << i;
    EXPECT_TRUE(SameBits(a->GetPoint(i)->GetY(), b->GetPoint(i)->GetY())) << "point " << i;
  }
}

// The same map down to the last bit: shape, geometry, no-data value and cells.
void ExpectSameMapBits(const TMap& a, const TMap& b) {
  ASSERT_EQ(a.GetXDim(), b.GetXDim());
  ASSERT_EQ(a.GetYDim(), b.GetYDim());
  EXPECT_TRUE(SameBits(a.GetResolution(), b.GetResolution()));
  EXPECT_TRUE(SameBits(a.GetNoData(), b.GetNoData()));
  ExpectSameAxisBits(a.GetXAxisInterval(), b.GetXAxisInterval(), "X interval axis");
  ExpectSameAxisBits(a.GetYAxisInterval(), b.GetYAxisInterval(), "Y interval axis");
  ExpectSameAxisBits(a.GetXAxis(), b.GetXAxis(), "X axis");
  ExpectSameAxisBits(a.GetYAxis(), b.GetYAxis(), "Y axis");
  long differing = 0;
  for (long y = 0; y < a.GetYDim(); ++y)
    for (long x = 0; x < a.GetXDim(); ++x) differing += !SameBits(a.MbrVecValues[y][x], b.MbrVecValues[y][x]);
  EXPECT_EQ(differing, 0);
}

// Writes the map to a file, loads it again and checks that nothing moved; gives
// the text written.
std::string ExpectFileRoundTrip(TMap* map, const TempDir& dir) {
  const std::string text = FileText(map, dir);
  TMapPtr back(TARCGISFileTools::LoadARCGISFile(dir.Path("grid.asc")));
  ExpectSameMapBits(*map, *back);
  EXPECT_EQ(FileText(back.get(), dir), text);
  return text;
}

// A map built from a resolution and dimensions alone has no axes.
TMapPtr MapWithoutAxes() { return TMapPtr(new TMap(1.0, 2, 2)); }

// A map whose row count outgrew its Y axes, as a caller changing the fields can make.
TMapPtr MapWithShortYAxes() {
  TMapPtr map = GridFromText(kExampleGrid);
  map->MbrVecValues.push_back({7, 8, 9});
  map->MbrLngYDim = 3;
  return map;
}

TEST(WriteARCGISFile, StreamFormWritesTheHeaderAndOneLinePerRow) {
  TMapPtr map = GridFromText(kExampleGrid);
  EXPECT_EQ(StreamText(map.get()), kExampleText);
}

TEST(WriteARCGISFile, CornersFillAFieldOfEightAndLongerTextsStayWhole) {
  struct Case {
    const char* corner;
    const char* streamLine;
    const char* fileLine;
  };
  const Case cases[] = {
      {"-180", "    -180", "    -180"},          {"-1.5", "    -1.5", "    -1.5"},
      {"-12345.678", "-12345.7", "-12345.678"},  {"-0.0001234567", "-0.000123457", "-0.0001234567"},
      {"4512345.5", "4.51235e+06", "4512345.5"},
  };
  TempDir dir;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.corner);
    TMapPtr map = GridFromText(std::string("ncols 1\nnrows 1\nxllcorner ") + c.corner + "\nyllcorner " + c.corner +
                               "\ncellsize 2\nNODATA_value -9999\n7\n");
    const auto expected = [](const char* corner) {
      return std::string("ncols 1\nnrows 1\nxllcorner ") + corner + "\nyllcorner " + corner +
             "\ncellsize 2\nNODATA_value -9999\n7 \n";
    };
    EXPECT_EQ(StreamText(map.get()), expected(c.streamLine));
    EXPECT_EQ(FileText(map.get(), dir), expected(c.fileLine));
  }
}

TEST(WriteARCGISFile, StreamFormUsesAndKeepsTheCallersSettings) {
  TMapPtr map = GridFromText(kExampleGrid);
  std::ostringstream out;
  out << std::fixed << std::setprecision(2) << std::setfill('*');
  TARCGISFileTools::WriteARCGISFile(map.get(), out);
  EXPECT_EQ(out.str(),
            "ncols 3\nnrows 2\nxllcorner ***10.00\nyllcorner ***20.00\ncellsize 0.50\nNODATA_value -9999.00\n"
            "1.00 2.00 3.00 \n4.00 5.00 -9999.00 \n");
  EXPECT_EQ(out.precision(), 2);
  EXPECT_TRUE(out.flags() & std::ios::fixed);
  EXPECT_EQ(out.fill(), '*');
  EXPECT_EQ(out.width(), 0);
}

TEST(WriteARCGISFile, MapWithoutCellsWritesTheHeaderAlone) {
  TMapPtr map = GridFromText("ncols 0\nnrows 0\nxllcorner 1\nyllcorner 2\ncellsize 3\nNODATA_value -9999\n");
  EXPECT_EQ(StreamText(map.get()),
            "ncols 0\nnrows 0\nxllcorner        1\nyllcorner        2\ncellsize 3\nNODATA_value -9999\n");
}

TEST(WriteARCGISFile, FileFormWritesEveryNumberWithTheDigitsItNeeds) {
  // Six digits would move the corner by metres, the cell size by a fraction of
  // a cell per row, and most of these cells.
  TMapPtr map = GridFromText(
      "ncols 4\nnrows 2\nxllcorner 4512345.5\nyllcorner -0.0001234567\ncellsize 0.0008333333333333334\n"
      "NODATA_value -99999.123\n"
      "1523.456 0.3333333333333333 1e-310 -0\n"
      "100000 0.0001 4.9406564584124654e-324 1.7976931348623157e308\n");
  TempDir dir;
  EXPECT_EQ(ExpectFileRoundTrip(map.get(), dir),
            "ncols 4\n"
            "nrows 2\n"
            "xllcorner 4512345.5\n"
            "yllcorner -0.0001234567\n"
            "cellsize 0.0008333333333333334\n"
            "NODATA_value -99999.123\n"
            "1523.456 0.3333333333333333 1e-310 -0 \n"
            "100000 0.0001 4.94066e-324 1.7976931348623157e+308 \n");
  EXPECT_TRUE(std::signbit(map->MbrVecValues[0][3]));
}

TEST(WriteARCGISFile, FileFormWritesNumbersThatSixDigitsCarryAsTheStreamFormDoes) {
  TMapPtr map = GridFromText(kExampleGrid);
  TempDir dir;
  EXPECT_EQ(ExpectFileRoundTrip(map.get(), dir), kExampleText);
}

TEST(WriteARCGISFile, RealGridsComeBackBitForBit) {
  const char* const files[] = {
      "circuitscape-sgverify16_curmap_1_4.asc",
      "gdal-nodata_float.asc",
      "landlab-srtmgl3_40.09_-105.56_40.209999999999994_-105.44.asc",
  };
  TempDir dir;
  for (const char* file : files) {
    SCOPED_TRACE(file);
    TMapPtr map(TARCGISFileTools::LoadARCGISFile(std::string(GRIDTALLY_SOURCE_DIR "/tests/data/") + file));
    ExpectFileRoundTrip(map.get(), dir);
  }
}

TEST(WriteARCGISFile, RealGridHeadersAreWrittenWhole) {
  TMapPtr map(TARCGISFileTools::LoadARCGISFile(std::string(GRIDTALLY_SOURCE_DIR "/tests/data/gdal-nodata_float.asc")));
  TempDir dir;
  EXPECT_EQ(FileText(map.get(), dir),
            "ncols 5\nnrows 5\nxllcorner   440720\nyllcorner 3.75012e+06\ncellsize 60\nNODATA_value -99999.123\n"
            "107 123 132 115 132 \n115 132 107 123 148 \n115 132 140 132 123 \n148 132 123 123 115 \n"
            "132 156 132 140 132 \n");
}

TEST(WriteARCGISFile, RefusesMissingOrShortAxesBeforeWritingAnything) {
  struct Case {
    const char* name;
    TMapPtr (*make)();
    const char* message;
  };
  const Case cases[] = {
      {"map without axes", &MapWithoutAxes, kWriteWithoutAxes},
      {"Y interval axis shorter than the map", &MapWithShortYAxes, kAxisRange},
  };
  TempDir dir;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TMapPtr map = c.make();
    std::ostringstream out;
    EXPECT_THROWS_TEXT(TARCGISFileTools::WriteARCGISFile(map.get(), out), c.message);
    EXPECT_EQ(out.str(), "");
    EXPECT_THROWS_TEXT(TARCGISFileTools::WriteARCGISFile(map.get(), dir.Path("grid.asc")), c.message);
    EXPECT_FALSE(std::filesystem::exists(dir.Path("grid.asc")));
  }
}

TEST(WriteARCGISFile, FileThatCannotBeOpenedIsReportedAndNotCreated) {
  TMapPtr map = GridFromText(kExampleGrid);
  TempDir dir;
  const std::string name = dir.Path("missing/grid.asc");
  EXPECT_THROWS_STRING(TARCGISFileTools::WriteARCGISFile(map.get(), name), "Unable to open file " + name);
  EXPECT_FALSE(std::filesystem::exists(dir.Path("missing")));
  EXPECT_THROWS_STRING(TARCGISFileTools::WriteARCGISFile(map.get(), dir.Path("")),
                       "Unable to open file " + dir.Path(""));
}

TEST(WriteARCGISFile, FileFormTruncatesAnExistingFile) {
  TMapPtr map = GridFromText(kExampleGrid);
  TempDir dir;
  dir.Write("grid.asc", std::string(4096, 'x'));
  EXPECT_EQ(FileText(map.get(), dir), kExampleText);
}

TEST(WriteARCGISFile, FailedWriteIsReportedNotPassedOffAsSuccess) {
  const std::string full = "/dev/full";
  if (!std::filesystem::exists(full)) GTEST_SKIP() << "no " << full << " on this system";
  TMapPtr map = GridFromText(kExampleGrid);
  EXPECT_THROWS_STRING(TARCGISFileTools::WriteARCGISFile(map.get(), full), "Unable to write file " + full);
}

TEST(WriteFileList, WritesEachMapToItsFileInOrder) {
  TMapPtr first = GridFromText(kExampleGrid);
  TMapPtr second = GridFromText("ncols 1\nnrows 1\nxllcorner 0\nyllcorner 0\ncellsize 1\nNODATA_value 0\n0.1\n");
  TempDir dir;
  TARCGISFileTools::WriteFileList({first.get(), second.get()}, {dir.Path("a.asc"), dir.Path("b.asc")});
  EXPECT_EQ(ReadFile(dir.Path("a.asc")), kExampleText);
  EXPECT_EQ(ReadFile(dir.Path("b.asc")),
            "ncols 1\nnrows 1\nxllcorner        0\nyllcorner        0\ncellsize 1\nNODATA_value 0\n0.1 \n");
  TARCGISFileTools::WriteFileList({}, {});
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path("")), {}), 2);
}

TEST(WriteFileList, RefusesTheListBeforeWritingAnyFile) {
  TMapPtr map = GridFromText(kExampleGrid);
  TMapPtr bare = MapWithoutAxes();
  TMapPtr shortAxes = MapWithShortYAxes();
  TempDir dir;
  const std::string a = dir.Path("a.asc");
  const std::string b = dir.Path("b.asc");
  EXPECT_THROWS_TEXT(TARCGISFileTools::WriteFileList({map.get(), map.get()}, {a, b, dir.Path("c.asc")}), kListSizes);
  EXPECT_THROWS_TEXT(TARCGISFileTools::WriteFileList({map.get(), bare.get()}, {a, b}), kListWithoutAxes);
  EXPECT_THROWS_TEXT(TARCGISFileTools::WriteFileList({map.get(), shortAxes.get()}, {a, b}), kAxisRange);
  EXPECT_TRUE(std::filesystem::is_empty(dir.Path("")));
}

TEST(WriteFileList, FileThatCannotBeOpenedStopsTheListAndKeepsTheFilesBefore) {
  TMapPtr map = GridFromText(kExampleGrid);
  TempDir dir;
  const std::string missing = dir.Path("missing/b.asc");
  EXPECT_THROWS_STRING(TARCGISFileTools::WriteFileList({map.get(), map.get(), map.get()},
                                                       {dir.Path("a.asc"), missing, dir.Path("c.asc")}),
                       "Unable to open file " + missing);
  EXPECT_EQ(ReadFile(dir.Path("a.asc")), kExampleText);
  EXPECT_FALSE(std::filesystem::exists(dir.Path("c.asc")));
}
}  // namespace
