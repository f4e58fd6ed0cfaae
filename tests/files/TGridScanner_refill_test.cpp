#include <sstream>
#include <streambuf>
#include <string>

#include "TARCGISFileTools.h"
#include "TInputFile.h"
#include "TValueCountCommand.h"
#include "TestSupport.h"

namespace {
// Hands out its text a few characters at a time, so that tokens are cut by the
// end of the readable window.
class TTrickleBuffer : public std::streambuf {
 public:
  TTrickleBuffer(std::string text, std::size_t step) : MbrText(std::move(text)), MbrStep(step) {}

 protected:
  int_type underflow() override {
    if (MbrOffset >= MbrText.size()) return traits_type::eof();
    char* begin = &MbrText[MbrOffset];
    const std::size_t n = std::min(MbrStep, MbrText.size() - MbrOffset);
    setg(begin, begin, begin + n);
    MbrOffset += n;
    return traits_type::to_int_type(*begin);
  }

 private:
  std::string MbrText;
  std::size_t MbrStep;
  std::size_t MbrOffset = 0;
};

const char* const kHeader = "ncols 3\nnrows 2\nxllcorner 0\nyllcorner 0\ncellsize 1\nNODATA_value -9999\n";

TEST(GridScannerRefill, TokensCutByEveryWindowSizeReadWhole) {
  const std::string text = std::string(kHeader) + "1207.15 -9999\t\t2.5e-3\r\n0.000000000000000000001 +7 .5\n";
  const double expected[2][3] = {{1207.15, -9999, 2.5e-3}, {1e-21, 7, 0.5}};
  for (std::size_t step = 1; step <= 9; ++step) {
    SCOPED_TRACE(step);
    TTrickleBuffer buffer(text, step);
    std::istream in(&buffer);
    TMapPtr map(TARCGISFileTools::LoadARCGISFile(in));
    for (int row = 0; row < 2; ++row)
      for (int column = 0; column < 3; ++column) EXPECT_EQ(map->MbrVecValues[row][column], expected[row][column]);
  }
}

TEST(GridScannerRefill, TheCommandCountsTokensAcrossTheFileBufferBoundary) {
  // A file larger than the read buffer, shifted one byte at a time so that the
  // boundary falls inside, before and after a token of every width.
  TempDir dir;
  const long columns = 1000;
  const long rows = static_cast<long>(TInputFile::kBufferSize / (columns * 6)) + 2;
  for (int shift = 0; shift < 6; ++shift) {
    SCOPED_TRACE(shift);
    std::string text = "ncols " + std::to_string(columns) + "\nnrows " + std::to_string(rows) +
                       "\nxllcorner 0\nyllcorner 0\ncellsize 1\nNODATA_value -9999" + std::string(shift, ' ') + "\n";
    for (long row = 0; row < rows; ++row) {
      for (long column = 0; column < columns; ++column) text += column % 2 == 0 ? "12.5 " : "-3e0 ";
      text += '\n';
    }
    const std::string path = dir.Write("grid.asc", text);
    const char* argv[] = {"gridtally", path.c_str()};
    std::ostringstream out;
    std::ostringstream err;
    ASSERT_EQ(TValueCountCommand::Run(2, argv, out, err), 0) << err.str();
    const std::string half = std::to_string(rows * columns / 2);
    EXPECT_EQ(out.str(), "-3 " + half + "\n12.5 " + half + "\n");
  }
}
}  // namespace
