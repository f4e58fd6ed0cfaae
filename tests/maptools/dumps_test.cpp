#include <iomanip>
#include <sstream>
#include <string>

#include "TMapTools.h"
#include "TestSupport.h"

namespace {
const char* const kExampleGrid =
    "ncols 3\nnrows 2\nxllcorner 10\nyllcorner 20\ncellsize 0.5\nNODATA_value -9999\n1 2 3\n4 5 -9999\n";

std::string FlatText(TMap* map, char separator) {
  std::ostringstream out;
  TMapTools::WriteFlatFile(map, out, separator);
  return out.str();
}

TEST(WriteFlatFile, WritesRowsWithTheSeparatorAfterEveryValue) {
  TMapPtr map = GridFromText(kExampleGrid);
  EXPECT_EQ(FlatText(map.get(), ','), "1,2,3,\n4,5,-9999,\n");
  EXPECT_EQ(FlatText(map.get(), '\t'), "1\t2\t3\t\n4\t5\t-9999\t\n");
}

TEST(WriteFlatFile, UsesTheStreamsSettingsAndNeedsNoAxes) {
  TMap map(1.0, 2, 1);
  map.SetPoint(0, 0, 1.0 / 3);
  std::ostringstream out;
  out << std::scientific << std::setprecision(3);
  TMapTools::WriteFlatFile(&map, out, ' ');
  EXPECT_EQ(out.str(), "3.333e-01 -9.999e+03 \n");
  EXPECT_EQ(FlatText(&map, ' '), "0.333333 -9999 \n");
}

TEST(WriteFlatFile, MapsWithoutRowsOrColumns) {
  TMap noRows(1.0, 3, 0);
  EXPECT_EQ(FlatText(&noRows, ','), "");
  TMap noColumns(1.0, 0, 2);
  EXPECT_EQ(FlatText(&noColumns, ','), "\n\n");
}

TEST(WriteCSVFile, WritesOneLinePerCellColumnByColumn) {
  TMapPtr map = GridFromText(kExampleGrid);
  std::ostringstream out;
  TMapTools::WriteCSVFile(map.get(), out);
  EXPECT_EQ(out.str(),
            "10.25,20.75,1\n"
            "10.25,20.25,4\n"
            "10.75,20.75,2\n"
            "10.75,20.25,5\n"
            "11.25,20.75,3\n"
            "11.25,20.25,-9999\n");
}

TEST(WriteCSVFile, UsesTheStreamsSettings) {
  TMapPtr map = GridFromText("ncols 1\nnrows 1\nxllcorner 0\nyllcorner 0\ncellsize 1\nNODATA_value -9999\n7\n");
  std::ostringstream out;
  out << std::fixed << std::setprecision(1);
  TMapTools::WriteCSVFile(map.get(), out);
  EXPECT_EQ(out.str(), "0.5,0.5,7.0\n");
}

TEST(WriteCSVFile, RefusesMissingOrShortAxesBeforeWritingAnything) {
  TMap bare(1.0, 2, 2);
  std::ostringstream out;
  EXPECT_THROWS_TEXT(TMapTools::WriteCSVFile(&bare, out), "Map has no axes in TMapTools::WriteCSVFile");
  TMapPtr map = GridFromText(kExampleGrid);
  map->MbrVecValues.push_back({7, 8, 9});
  map->MbrLngYDim = 3;
  EXPECT_THROWS_TEXT(TMapTools::WriteCSVFile(map.get(), out),
                     "LngY is out of range for the Y-axis in TMap::GetCoordinates");
  EXPECT_EQ(out.str(), "");
}
}  // namespace
