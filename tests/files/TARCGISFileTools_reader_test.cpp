#include <chrono>
#include <cmath>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "TARCGISFileTools.h"
#include "TAxis.h"
#include "TPoint.h"
#include "TestSupport.h"

namespace {
const char* const kEndOfFile = "Unexpected end of file found in TARCGISFileTools::LoadARCGISFile";

std::string Header(const std::string& ncols, const std::string& nrows, const std::string& nodataKey = "NODATA_value") {
  return "ncols " + ncols + "\nnrows " + nrows + "\nxllcorner 0\nyllcorner 0\ncellsize 1\n" + nodataKey + " -9999\n";
}

// What the reader threw, as text; "<none>" when it succeeded.
std::string LoadFailure(const std::string& text) {
  try {
    GridFromText(text);
  } catch (const char* message) {
    return message;
  }
  return "<none>";
}

std::vector<double> Cells(const TMap& map) {
  std::vector<double> cells;
  for (long y = 0; y < map.GetYDim(); ++y)
    for (long x = 0; x < map.GetXDim(); ++x) cells.push_back(map.GetPointVal(x, y));
  return cells;
}

TEST(LoadARCGISFile, ReadsCellsAndBuildsTheAxesFromTheCorner) {
  TMapPtr map = GridFromText(Header("2", "1") + "1 2\n");
  EXPECT_EQ(map->GetXDim(), 2);
  EXPECT_EQ(map->GetYDim(), 1);
  EXPECT_EQ(map->GetPointVal(0, 0), 1);
  EXPECT_EQ(map->GetPointVal(1, 0), 2);
  EXPECT_EQ(map->GetResolution(), 1);
  EXPECT_EQ(map->GetNoData(), -9999);
  const TAxis* xEdges = map->GetXAxisInterval();
  ASSERT_EQ(xEdges->GetSize(), 3);
  for (long i = 0; i < 3; ++i) {
    EXPECT_EQ(xEdges->GetPoint(i)->GetX(), i);
    EXPECT_EQ(xEdges->GetPoint(i)->GetY(), 1);
  }
  const TAxis* yEdges = map->GetYAxisInterval();
  ASSERT_EQ(yEdges->GetSize(), 2);
  EXPECT_EQ(yEdges->GetPoint(0)->GetY(), 1);
  EXPECT_EQ(yEdges->GetPoint(1)->GetY(), 0);
  EXPECT_EQ(map->GetXAxis()->GetPoint(0)->GetX(), 0.5);
  EXPECT_EQ(map->GetXAxis()->GetPoint(1)->GetX(), 1.5);
  EXPECT_EQ(map->GetYAxis()->GetPoint(0)->GetY(), 0.5);
}

TEST(LoadARCGISFile, RowsRunFromNorthToSouth) {
  TMapPtr map = GridFromText(
      "ncols 2\nnrows 3\nxllcorner 100\nyllcorner 200\ncellsize 10\nNODATA_value -9999\n1 2\n3 4\n5 6\n");
  EXPECT_EQ(map->GetYAxisInterval()->GetPoint(0)->GetY(), 230);
  std::unique_ptr<TMapPoint> first(map->GetPoint(0, 0));
  EXPECT_EQ(first->GetX(), 105);
  EXPECT_EQ(first->GetY(), 225);
  EXPECT_EQ(first->GetValue(), 1);
  std::unique_ptr<TMapPoint> sixth(map->GetPoint(1, 2));
  EXPECT_EQ(sixth->GetX(), 115);
  EXPECT_EQ(sixth->GetY(), 205);
  EXPECT_EQ(sixth->GetValue(), 6);
}

TEST(LoadARCGISFile, LineStructureCarriesNoMeaning) {
  const std::vector<double> expected{1, 2, 3, 4, 5, 6};
  const char* const layouts[] = {
      "ncols 3\nnrows 2\nxllcorner 0\nyllcorner 0\ncellsize 1\nNODATA_value -9999\n1 2 3\n4 5 6\n",
      "ncols 3 nrows 2 xllcorner 0 yllcorner 0 cellsize 1 NODATA_value -9999 1 2 3 4 5 6",
      "ncols\n3\nnrows\n2\nxllcorner\n0\nyllcorner\n0\ncellsize\n1\nNODATA_value\n-9999\n1\n2\n3\n4\n5\n6\n",
      "ncols 3\r\nnrows 2\r\nxllcorner 0\r\nyllcorner 0\r\ncellsize 1\r\nNODATA_value -9999\r\n1 2 3\r\n4 5 6\r\n",
      "ncols\t3\nnrows\t2\nxllcorner\t0\nyllcorner 0\ncellsize 1\nnodata_value -9999\n\t1\t2\t3\t4\t5\t6",
  };
  for (const char* text : layouts) {
    SCOPED_TRACE(text);
    TMapPtr map = GridFromText(text);
    EXPECT_EQ(Cells(*map), expected);
  }
}

TEST(LoadARCGISFile, HeaderMismatchesReportTheKeyExpected) {
  struct Case {
    const char* name;
    std::string text;
    const char* message;
  };
  const std::string body = "\nxllcorner 0\nyllcorner 0\ncellsize 1\nNODATA_value -9999\n1\n";
  const Case cases[] = {
      {"empty file", "", "File format error: expected to find ncols tag"},
      {"capital first key", "NCOLS 1\nnrows 1" + body, "File format error: expected to find ncols tag"},
      {"real ncols leaves .0 as the next key", "ncols 3.0\nnrows 1" + body,
       "File format error: expectd to find nrows tag"},
      {"malformed ncols", "ncols abc\nnrows 1" + body, "File format error: expectd to find nrows tag"},
      {"ncols beyond 32 bits", "ncols 4294967296\nnrows 1" + body, "File format error: expectd to find nrows tag"},
      {"centre variant of the corner", "ncols 1\nnrows 1\nxllcenter 0\nyllcorner 0\ncellsize 1\nNODATA_value 0\n1\n",
       "File format error: expected to find xllcorner tag"},
      {"malformed xllcorner", "ncols 1\nnrows 1\nxllcorner 1e\nyllcorner 0\ncellsize 1\nNODATA_value 0\n1\n",
       "File format error: expected to find yllcorner tag"},
      {"missing yllcorner", "ncols 1\nnrows 1\nxllcorner 0\ncellsize 1\nNODATA_value 0\n1\n",
       "File format error: expected to find yllcorner tag"},
      {"malformed cellsize", "ncols 1\nnrows 1\nxllcorner 0\nyllcorner 0\ncellsize x\nNODATA_value 0\n1\n",
       "File format error: expected to find NODATA_value tag"},
      {"sixth key in capitals", Header("1", "1", "NODATA_VALUE") + "1\n",
       "File format error: expected to find NODATA_value tag"},
      {"no sixth pair", "ncols 1\nnrows 1\nxllcorner 0\nyllcorner 0\ncellsize 1\n5\n",
       "File format error: expected to find NODATA_value tag"},
      {"byte-order mark", "\xEF\xBB\xBFncols 1\nnrows 1" + body, "File format error: expected to find ncols tag"},
      {"endless first key", std::string(100000, 'n'), "File format error: expected to find ncols tag"},
      {"malformed no-data value", "ncols 1\nnrows 1\nxllcorner 0\nyllcorner 0\ncellsize 1\nNODATA_value x\n1\n",
       "File format error: expected a number after the NODATA_value tag"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(LoadFailure(c.text), c.message);
  }
}

TEST(LoadARCGISFile, RefusesCellTokensThatAreNotWhollyOneNumber) {
  const char* const bad[] = {"abc", "1,5", "12abc", "1.5.3", "0x10", "nan", "inf", "-inf", "1e999", "1e", "+", ".", "--1"};
  for (const char* token : bad) {
    SCOPED_TRACE(token);
    const std::string message = LoadFailure(Header("3", "2") + "1 2 3\n4 " + token + " 6\n");
    EXPECT_EQ(message, std::string("File format error: cell value \"") + token + "\" at row 2, column 2 is not a number");
  }
  EXPECT_EQ(LoadFailure(Header("1", "1") + std::string(5000, '7')),
            "File format error: cell value at row 1, column 1 is longer than 1024 characters");
  // Bytes that cannot be shown are escaped, so the message stays one printable line.
  EXPECT_EQ(LoadFailure(Header("1", "1") + std::string("\x01\x7f", 2)),
            "File format error: cell value \"\\x01\\x7f\" at row 1, column 1 is not a number");
}

TEST(LoadARCGISFile, AcceptsEveryDecimalFormOfTheStreamExtraction) {
  struct Case {
    const char* token;
    double value;
  };
  const Case cases[] = {{"+1", 1},       {"-2", -2},          {".5", 0.5},          {"5.", 5},
                        {"1e5", 1e5},    {"1E-05", 1e-5},     {"1e-310", 1e-310},   {"1e-400", 0},
                        {"007", 7},      {"-0.0", -0.0},      {"1.7976931348623157e308", 1.7976931348623157e308}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.token);
    TMapPtr map = GridFromText(Header("1", "1") + c.token);
    EXPECT_EQ(map->GetPointVal(0, 0), c.value);
  }
  TMapPtr negativeUnderflow = GridFromText(Header("1", "1") + "-1e-400");
  EXPECT_EQ(negativeUnderflow->GetPointVal(0, 0), 0);
  EXPECT_TRUE(std::signbit(negativeUnderflow->GetPointVal(0, 0)));
}

TEST(LoadARCGISFile, ReadsExactlyTheDeclaredCells) {
  EXPECT_EQ(LoadFailure(Header("2", "2") + "1 2 3"), kEndOfFile);
  EXPECT_EQ(LoadFailure(Header("2", "2")), kEndOfFile);
  std::istringstream in(Header("2", "1") + "1 2 3 4");
  TMapPtr map(TARCGISFileTools::LoadARCGISFile(in));
  EXPECT_EQ(Cells(*map), (std::vector<double>{1, 2}));
  std::string rest;
  std::getline(in, rest);
  EXPECT_EQ(rest, " 3 4");

  TMapPtr noData = GridFromText("ncols 2\nnrows 1\nxllcorner 0\nyllcorner 0\ncellsize 1\nNODATA_value -1\n-1 5");
  EXPECT_EQ(noData->GetNoData(), -1);
  EXPECT_EQ(noData->GetPointVal(0, 0), -1);
}

TEST(LoadARCGISFile, GridsWithoutCellsStillGetTheirAxes) {
  TMapPtr noRows = GridFromText(Header("3", "0"));
  EXPECT_EQ(noRows->GetXDim(), 3);
  EXPECT_EQ(noRows->GetYDim(), 0);
  EXPECT_EQ(noRows->GetXAxisInterval()->GetSize(), 4);
  EXPECT_EQ(noRows->GetYAxisInterval()->GetSize(), 1);
  EXPECT_EQ(noRows->GetYAxis()->GetSize(), 0);
  TMapPtr noColumns = GridFromText(Header("0", "2"));
  EXPECT_EQ(noColumns->GetYDim(), 2);
  EXPECT_EQ(noColumns->GetXAxis()->GetSize(), 0);
  EXPECT_TRUE(noColumns->GetRow(1).empty());
}

TEST(LoadARCGISFile, AbsurdDimensionsFailCleanlyWithoutAllocatingThem) {
  EXPECT_EQ(LoadFailure(Header("-2", "3") + "1"), "File format error: ncols is negative (-2)");
  EXPECT_EQ(LoadFailure(Header("2", "-3") + "1"), "File format error: nrows is negative (-3)");
  // Storage grows with the values read, so a tiny file declaring billions of
  // cells ends at its end instead of at the allocator.
  EXPECT_EQ(LoadFailure(Header("2000000000", "2000000000") + "1 2 3"), kEndOfFile);
  EXPECT_EQ(LoadFailure(Header("2000000000", "0")),
            "File format error: ncols 2000000000 is too large for a grid without cells (at most 65536)");
  EXPECT_EQ(LoadFailure(Header("0", "2000000000")),
            "File format error: nrows 2000000000 is too large for a grid without cells (at most 65536)");
}

TEST(LoadARCGISFile, TokensSpanningBufferRefillsAreReadWhole) {
  // A stream buffer that hands out a few bytes at a time.
  class Trickle : public std::streambuf {
   public:
    explicit Trickle(std::string text) : MbrText(std::move(text)) {}

   protected:
    int_type underflow() override {
      if (MbrPos >= MbrText.size()) return traits_type::eof();
      const std::size_t n = std::min<std::size_t>(3, MbrText.size() - MbrPos);
      char* base = &MbrText[MbrPos];
      setg(base, base, base + n);
      MbrPos += n;
      return traits_type::to_int_type(*base);
    }

   private:
    std::string MbrText;
    std::size_t MbrPos = 0;
  };
  Trickle buffer(Header("3", "1") + "123.456 -0.5e+2 98765 tail");
  std::istream in(&buffer);
  TMapPtr map(TARCGISFileTools::LoadARCGISFile(in));
  EXPECT_EQ(Cells(*map), (std::vector<double>{123.456, -50, 98765}));
  std::string rest;
  in >> rest;
  EXPECT_EQ(rest, "tail");
}

TEST(LoadARCGISFile, FileFormsOpenCloseAndReportMissingFiles) {
  TempDir dir;
  const std::string good = dir.Write("a.asc", Header("1", "1") + "4\n");
  const std::string other = dir.Write("b.asc", Header("2", "1") + "5 6\n");
  TMapPtr map(TARCGISFileTools::LoadARCGISFile(good));
  EXPECT_EQ(map->GetPointVal(0, 0), 4);
  EXPECT_THROWS_STRING(TARCGISFileTools::LoadARCGISFile(dir.Path("missing.asc")),
                       "Unable to open file " + dir.Path("missing.asc"));
  EXPECT_THROWS_STRING(TARCGISFileTools::LoadARCGISFile(dir.Path("")), "Unable to open file " + dir.Path(""));

  EXPECT_TRUE(TARCGISFileTools::LoadFileList({}).empty());
  std::vector<TMap*> maps = TARCGISFileTools::LoadFileList({other, good});
  ASSERT_EQ(maps.size(), 2u);
  EXPECT_EQ(maps[0]->GetXDim(), 2);
  EXPECT_EQ(maps[1]->GetXDim(), 1);
  for (TMap* m : maps) delete m;
  // The first map is released when the second fails (the leak checker watches).
  EXPECT_THROWS_STRING(TARCGISFileTools::LoadFileList({good, dir.Path("missing.asc")}),
                       "Unable to open file " + dir.Path("missing.asc"));
}
}  // namespace
