#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "AllocationFaults.h"
#include "MapSnapshot.h"
#include "TARCGISFileTools.h"
#include "TMap.h"
#include "TMapTools.h"
#include "TValueCountCommand.h"
#include "TestSupport.h"

namespace {
const std::string kGrid =
    "ncols 4\nnrows 3\nxllcorner 10\nyllcorner 20\ncellsize 0.5\nNODATA_value -9999\n"
    "1 2 3 4\n5 0 -0 -9999\n1.5 2.5 3.5 1e-3\n";

TEST(AllocationFaults, LoadingAGridLeaksNothing) {
  const std::string expected = MapSnapshot(GridFromText(kGrid).get());
  AllocationFaults::FailEachAllocationInTurn(
      [] {
        std::istringstream in(kGrid);
        std::unique_ptr<TMap> map(TARCGISFileTools::LoadARCGISFile(in));
      },
      [] {}, "LoadARCGISFile(stream)");
  std::istringstream in(kGrid);
  std::unique_ptr<TMap> map(TARCGISFileTools::LoadARCGISFile(in));
  EXPECT_EQ(MapSnapshot(map.get()), expected);
}

TEST(AllocationFaults, LoadingAFileListLeaksNothing) {
  TempDir dir;
  const std::vector<std::string> names{dir.Write("a.asc", kGrid), dir.Write("b.asc", kGrid)};
  const long tried = AllocationFaults::FailEachAllocationInTurn(
      [&] {
        std::vector<TMap*> maps = TARCGISFileTools::LoadFileList(names);
        for (TMap* m : maps) delete m;
      },
      [] {}, "LoadFileList");
  EXPECT_GT(tried, 10);
}

TEST(AllocationFaults, CensusLeaksNothingAndLeavesTheMapAlone) {
  TMapPtr map = GridFromText(kGrid);
  const std::string before = MapSnapshot(map.get());
  AllocationFaults::FailEachAllocationInTurn([&] { TMapTools::CountValues(map.get()); },
                                             [&] { EXPECT_EQ(MapSnapshot(map.get()), before); }, "CountValues");
}

// An output that never allocates while written to, so that every injected
// failure is the command's own.
class ReservedOutput : public std::streambuf {
 public:
  ReservedOutput() { MbrText.reserve(1 << 16); }
  const std::string& Text() const { return MbrText; }

 protected:
  std::streamsize xsputn(const char* s, std::streamsize n) override {
    if (MbrText.size() + static_cast<std::size_t>(n) > MbrText.capacity()) return 0;
    MbrText.append(s, static_cast<std::size_t>(n));
    return n;
  }
  int_type overflow(int_type c) override {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    const char ch = traits_type::to_char_type(c);
    return xsputn(&ch, 1) == 1 ? c : traits_type::eof();
  }

 private:
  std::string MbrText;
};

TEST(AllocationFaults, TheCommandReportsOneLineAndStatusOne) {
  TempDir dir;
  const std::string path = dir.Write("g.asc", kGrid);
  long failures = 0;
  for (long n = 1;; ++n) {
    ReservedOutput outText, errText;
    std::ostream out(&outText), err(&errText);
    const char* args[] = {"gridtally", path.c_str()};
    AllocationFaults::FailAt(n);
    const int status = TValueCountCommand::Run(2, args, out, err);
    const bool fired = AllocationFaults::Fired();
    AllocationFaults::FailAt(0);
    if (!fired) {
      EXPECT_EQ(status, 0);
      EXPECT_EQ(outText.Text(), "-9999 1\n0 2\n0.001 1\n1 1\n1.5 1\n2 1\n2.5 1\n3 1\n3.5 1\n4 1\n5 1\n");
      break;
    }
    ++failures;
    SCOPED_TRACE(n);
    EXPECT_EQ(status, 1);
    EXPECT_EQ(outText.Text(), "");
    const std::string text = errText.Text();
    EXPECT_FALSE(text.empty());
    EXPECT_EQ(text.find('\n'), text.size() - 1) << text;
    if (::testing::Test::HasFailure()) break;
  }
  EXPECT_GT(failures, 3);
}
}  // namespace
