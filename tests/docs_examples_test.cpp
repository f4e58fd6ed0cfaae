// The examples of docs/library.md, each with the results the page states, so the
// page cannot drift from the library unnoticed.
#include <cmath>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "TARCGISFileTools.h"
#include "TAxis.h"
#include "TMap.h"
#include "TMapTools.h"
#include "TPoint.h"
#include "TPointTools.h"
#include "TVectorTools.h"
#include "TestSupport.h"

namespace {
// The grid most examples of the page use: 4 columns by 3 rows of 10-unit cells
// from (0, 0); column centres at x = 5, 15, 25, 35, row centres at y = 25, 15, 5.
const char* const kLandcover =
    "ncols 4\nnrows 3\nxllcorner 0\nyllcorner 0\ncellsize 10\nNODATA_value -9999\n"
    "1 2 2 -9999\n"
    "3 3 2 1\n"
    "5 4 3 1\n";

// A 2 x 2 grid over x 20..40, y 10..30: the north-eastern quarter of kLandcover.
const char* const kPatch =
    "ncols 2\nnrows 2\nxllcorner 20\nyllcorner 10\ncellsize 10\nNODATA_value -9999\n"
    "7 8\n"
    "9 6\n";

std::unique_ptr<TMap> Load(const char* text) {
  std::istringstream in(text);
  return std::unique_ptr<TMap>(TARCGISFileTools::LoadARCGISFile(in));
}

// Takes over every map of a vector handed out by the library.
std::vector<std::unique_ptr<TMap>> Own(const std::vector<TMap*>& maps) {
  return std::vector<std::unique_ptr<TMap>>(maps.begin(), maps.end());
}

std::vector<double> Cells(const TMap& map) {
  std::vector<double> cells;
  for (const auto& row : map.MbrVecValues) cells.insert(cells.end(), row.begin(), row.end());
  return cells;
}
}  // namespace

TEST(DocsExamples, GridModelBuiltByHand) {
  // 3 columns by 2 rows of 10-unit cells; the north-western corner is (100, 220).
  TMap map(10.0, 3, 2);  // every cell -9999, no-data value -9999, no axes yet
  TAxis columnEdges(10.0);
  for (int i = 0; i <= 3; ++i) columnEdges.AddPoint(new TPoint(100 + 10 * i, 220));
  TAxis rowEdges(10.0);
  for (int i = 0; i <= 2; ++i) rowEdges.AddPoint(new TPoint(100, 220 - 10 * i));
  map.SetXAxisInterval(&columnEdges);  // copied; the centre axes follow
  map.SetYAxisInterval(&rowEdges);

  map.SetPoint(2, 0, 7.5);  // column 2 of the northern row
  const TPoint where(128, 212);
  EXPECT_EQ(map.GetPointVal(&where), 7.5);
  std::unique_ptr<TPoint> centre(map.GetCoordinates(2, 0));
  EXPECT_EQ(centre->GetX(), 125);
  EXPECT_EQ(centre->GetY(), 215);
  EXPECT_EQ(map.GetPointVal(0, 1), -9999);
  EXPECT_THROWS_TEXT(map.GetPointVal(3, 0), "X-ordinate is out of range in TMap::GetPointVal");
}

TEST(DocsExamples, ReadingAndWriting) {
  TempDir dir;
  const std::string input = dir.Write("landcover.asc", kLandcover);
  std::unique_ptr<TMap> map(TARCGISFileTools::LoadARCGISFile(input));
  EXPECT_EQ(map->GetXDim(), 4);
  EXPECT_EQ(map->GetYDim(), 3);
  EXPECT_EQ(map->GetNoData(), -9999);
  EXPECT_EQ(map->GetPointVal(0, 2), 5);  // south-western cell

  const std::string output = dir.Path("copy.asc");
  TARCGISFileTools::WriteARCGISFile(map.get(), output);
  std::unique_ptr<TMap> back(TARCGISFileTools::LoadARCGISFile(output));
  EXPECT_EQ(Cells(*back), Cells(*map));

  std::istringstream broken("ncols 2\nnrows 1\nxllcorner 0\nyllcorner 0\ncellsize 1\nNODATA_value -9999\n1 x\n");
  EXPECT_THROWS_TEXT(TARCGISFileTools::LoadARCGISFile(broken),
                     "File format error: cell value \"x\" at row 1, column 2 is not a number");
  EXPECT_THROWS_STRING(TARCGISFileTools::LoadARCGISFile(dir.Path("missing.asc")),
                       "Unable to open file " + dir.Path("missing.asc"));
}

TEST(DocsExamples, Census) {
  std::unique_ptr<TMap> map = Load(kLandcover);
  const ValueCountTable counts = TMapTools::CountValues(map.get());
  const ValueCountTable expected{{-9999, 1}, {1, 3}, {2, 3}, {3, 3}, {4, 1}, {5, 1}};
  EXPECT_EQ(counts, expected);
  EXPECT_EQ(TMapTools::CountValues(map.get(), 2.0), 3);
}

TEST(DocsExamples, CellWiseArithmetic) {
  std::unique_ptr<TMap> map = Load(kLandcover);
  std::unique_ptr<TMap> twice(TMapTools::Add(map.get(), map.get()));
  std::unique_ptr<TMap> tenfold(TMapTools::Multiply(map.get(), 10.0));
  std::unique_ptr<TMap> zero(TMapTools::Subtract(map.get(), map.get()));
  EXPECT_EQ(Cells(*twice), (std::vector<double>{2, 4, 4, -9999, 6, 6, 4, 2, 10, 8, 6, 2}));
  EXPECT_EQ(Cells(*tenfold), (std::vector<double>{10, 20, 20, -9999, 30, 30, 20, 10, 50, 40, 30, 10}));
  EXPECT_EQ(Cells(*zero), (std::vector<double>{0, 0, 0, -9999, 0, 0, 0, 0, 0, 0, 0, 0}));

  std::unique_ptr<TMap> patch = Load(kPatch);
  EXPECT_THROWS_TEXT(TMapTools::Subtract(map.get(), patch.get()), "X dimensions do not match in TMapTools::Subtract");
}

TEST(DocsExamples, ThresholdsMasksRecoding) {
  std::unique_ptr<TMap> map = Load(kLandcover);
  std::unique_ptr<TMap> high(TMapTools::Threshold(map.get(), 3.0));
  EXPECT_EQ(Cells(*high), (std::vector<double>{0, 0, 0, 0, 3, 3, 0, 0, 5, 4, 3, 0}));

  const std::map<double, double> classes{{1, 10}, {2, 10}, {3, 20}};
  std::unique_ptr<TMap> recoded(TMapTools::ReplaceValue(map.get(), classes, -9999));
  EXPECT_EQ(Cells(*recoded), (std::vector<double>{10, 10, 10, -9999, 20, 20, 10, 10, -9999, -9999, 20, 10}));

  std::unique_ptr<TMap> filled(TMapTools::Mask(map.get(), map.get(), -9999, 0));
  EXPECT_EQ(TMapTools::CountValues(filled.get(), -9999), 0);
  EXPECT_EQ(filled->GetPointVal(3, 0), 0);
}

TEST(DocsExamples, Resampling) {
  std::unique_ptr<TMap> map = Load(kLandcover);
  std::unique_ptr<TMap> fine(TMapTools::Subdivide(map.get(), 2));
  EXPECT_EQ(fine->GetXDim(), 8);
  EXPECT_EQ(fine->GetYDim(), 6);
  EXPECT_EQ(fine->GetResolution(), 5);
  EXPECT_EQ(fine->GetPointVal(1, 5), 5);  // a quarter of the south-western cell

  std::unique_ptr<TMap> coarse(TMapTools::Downscale(map.get(), 20.0));
  EXPECT_EQ(coarse->GetXDim(), 2);
  EXPECT_EQ(coarse->GetYDim(), 1);
  EXPECT_EQ(coarse->GetPointVal(0, 0), -9999);

  EXPECT_EQ(TMapTools::BilinearInterpolate(1, 2, 3, 4, 0.5, 0, 1, 0.5, 0, 1), 2.5);
  EXPECT_THROWS_TEXT(TMapTools::Subdivide(map.get(), 0), "Factor is below 1 in TMapTools::Subdivide");
}

TEST(DocsExamples, WindowsAndSubMaps) {
  std::unique_ptr<TMap> map = Load(kLandcover);
  long north, south, west, east;
  TMapTools::FindPatchExtent(map.get(), 3.0, north, south, west, east);
  EXPECT_EQ((std::vector<long>{north, south, west, east}), (std::vector<long>{1, 2, 0, 2}));
  TMapTools::BufferIndices(map.get(), 1, north, south, west, east);
  EXPECT_EQ((std::vector<long>{north, south, west, east}), (std::vector<long>{0, 2, 0, 3}));

  TPoint southWest(5, 5), northEast(15, 15);
  std::unique_ptr<TMap> block(TMapTools::Extract(map.get(), &southWest, &northEast));
  EXPECT_EQ(Cells(*block), (std::vector<double>{3, 3, 5, 4}));

  std::unique_ptr<TMap> patch = Load(kPatch);
  TMap* mapPart = nullptr;
  TMap* patchPart = nullptr;
  TMapTools::Intersection(map.get(), patch.get(), mapPart, patchPart);
  std::unique_ptr<TMap> ownedMapPart(mapPart), ownedPatchPart(patchPart);
  EXPECT_EQ(Cells(*ownedMapPart), (std::vector<double>{2, -9999, 2, 1}));
  EXPECT_EQ(Cells(*ownedPatchPart), (std::vector<double>{7, 8, 9, 6}));

  TMapTools::Insert(map.get(), patch.get());  // in place
  TMapTools::FillBlock(map.get(), 0.0, 2, 2, 0, 1);
  EXPECT_EQ(Cells(*map), (std::vector<double>{1, 2, 7, 8, 3, 3, 9, 6, 0, 0, 3, 1}));
  EXPECT_THROWS_TEXT(TMapTools::FillBlock(map.get(), 0.0, 2, 1, 0, 1),
                     "Northern edge must be less than southern edge in TMapTools::FillBlock");
}

TEST(DocsExamples, StacksAndTrends) {
  TempDir dir;
  const std::vector<std::string> names{
      dir.Write("2021.asc", "ncols 2\nnrows 1\nxllcorner 0\nyllcorner 0\ncellsize 1\nNODATA_value -9999\n1 4\n"),
      dir.Write("2022.asc", "ncols 2\nnrows 1\nxllcorner 0\nyllcorner 0\ncellsize 1\nNODATA_value -9999\n3 4\n"),
      dir.Write("2023.asc", "ncols 2\nnrows 1\nxllcorner 0\nyllcorner 0\ncellsize 1\nNODATA_value -9999\n6 -9999\n")};
  std::vector<std::unique_ptr<TMap>> owned = Own(TARCGISFileTools::LoadFileList(names));
  std::vector<TMap*> stack;
  for (const auto& map : owned) stack.push_back(map.get());

  std::unique_ptr<TMap> mean(TMapTools::Average(stack));
  EXPECT_EQ(Cells(*mean), (std::vector<double>{10.0 / 3, -9999}));
  std::vector<std::unique_ptr<TMap>> trends = Own(TMapTools::ValueGradients(stack, 1));
  ASSERT_EQ(trends.size(), 2u);
  EXPECT_EQ(Cells(*trends[0]), (std::vector<double>{2, 0}));  // 1 -> 3, 4 -> 4
  EXPECT_TRUE(std::isnan(trends[1]->GetPointVal(1, 0)));      // one value left to fit
  EXPECT_EQ(trends[1]->GetPointVal(0, 0), 3);

  EXPECT_THROWS_TEXT(TMapTools::Sum({stack[0]}), "Must have more than 2 maps to sum in TMapTools::Sum");
}

TEST(DocsExamples, ValueLocationsAndOverlays) {
  std::unique_ptr<TMap> map = Load(kLandcover);
  ValueLocationTable first = TMapTools::GetFirstValues(map.get(), {-9999});
  std::vector<std::unique_ptr<TMapPoint>> points;  // the table does not free its points
  for (const auto& entry : first) points.emplace_back(entry.second);
  ASSERT_EQ(first.size(), 5u);
  EXPECT_EQ(first.at(4)->GetX(), 15);
  EXPECT_EQ(first.at(4)->GetY(), 5);

  std::unique_ptr<TMap> tenfold(TMapTools::Multiply(map.get(), 10.0));
  const FetchedValueTable fetched = TMapTools::FetchMapValues(tenfold.get(), first);
  EXPECT_EQ(fetched, (FetchedValueTable{{1, 10}, {2, 20}, {3, 30}, {4, 40}, {5, 50}}));

  const OverlayValueTable zones = TMapTools::GetValuesOverlay(tenfold.get(), map.get(), {-9999, 1, 2, 3});
  EXPECT_EQ(zones, (OverlayValueTable{{4, {40}}, {5, {50}}}));
  const OverlayValueTable ones = TMapTools::GetValuesOverlay(tenfold.get(), map.get(), {-9999, 2, 3, 4, 5});
  EXPECT_EQ(ones.at(1), (std::vector<double>{10, 10, 10}));
}

TEST(DocsExamples, PointGeometry) {
  TPoint a(1, 0), b(2, 1), c(1, 2), d(0, 1), inside(1, 1);
  std::vector<TPoint*> hull = TPointTools::FindConvexHull({&a, &b, &c, &d, &inside});
  std::vector<std::unique_ptr<TPoint>> ownedHull(hull.begin(), hull.end());
  ASSERT_EQ(hull.size(), 4u);
  EXPECT_EQ(hull[1]->GetX(), 2);
  EXPECT_EQ(hull[1]->GetY(), 1);

  std::unique_ptr<TPoint> centroid(TPointTools::FindCentroid({&a, &b, &c, &d}));
  EXPECT_EQ(centroid->GetX(), 1);
  EXPECT_EQ(centroid->GetY(), 1);
  EXPECT_NEAR(TPointTools::FindConvexPolygonArea({&a, &b, &c, &d, &a}), 2.0, 1e-12);
  EXPECT_EQ(TPointTools::Theta(&c, &inside), 90);
}

TEST(DocsExamples, VectorUtilities) {
  const std::vector<double> years = TVectorTools::VectorSeries(2020, 2023, 1);
  const std::vector<double> rainfall{610, 640, 655, 700};
  EXPECT_EQ(years, (std::vector<double>{2020, 2021, 2022, 2023}));
  EXPECT_EQ(TVectorTools::VectorMean(rainfall), 651.25);
  EXPECT_NEAR(TVectorTools::Gradient(years, rainfall), 28.5, 1e-9);
  EXPECT_THROWS_TEXT(TVectorTools::VectorProduct({1, 2}, {3}),
                     "Length of vectors does not match in TVectorTools::VectorProduct");
}
