// Memory the reader may take for a header that declares much and holds little.
// Each load runs in a child process whose address space is capped a given amount
// above the parent's, so an allocation beyond the budget fails there (as
// std::bad_alloc) without touching this process. AddressSanitizer reserves a huge
// address space for its shadow memory, so these tests are skipped under it.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <memory>
#include <new>
#include <sstream>

#include "TARCGISFileTools.h"
#include "TGridScanner.h"
#include "TestSupport.h"

namespace {
const std::size_t kMegabyte = 1 << 20;
// What the largest grids without cells may take: an axis point per row or column.
const std::size_t kEmptyGridBudget = 64 * kMegabyte;
const std::size_t kTinyBudget = 1 * kMegabyte;

std::size_t AddressSpaceInUse() {
  std::ifstream statm("/proc/self/statm");
  std::size_t pages = 0;
  statm >> pages;
  return pages * static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
}

enum class Load { kLoaded, kRefused, kOutOfMemory, kBroken };

// Loads the text in a child allowed `budget` bytes of address space more than this process has.
Load LoadWithin(const std::string& text, std::size_t budget) {
  const std::size_t limit = AddressSpaceInUse() + budget;
  const pid_t child = fork();
  if (child == 0) {
    const rlimit cap{limit, limit};
    if (setrlimit(RLIMIT_AS, &cap) != 0) _exit(static_cast<int>(Load::kBroken));
    try {
      std::istringstream in(text);
      std::unique_ptr<TMap> map(TARCGISFileTools::LoadARCGISFile(in));
      _exit(static_cast<int>(Load::kLoaded));
    } catch (const std::bad_alloc&) {
      _exit(static_cast<int>(Load::kOutOfMemory));
    } catch (...) {
      _exit(static_cast<int>(Load::kRefused));
    }
  }
  int status = 0;
  if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status)) return Load::kBroken;
  return static_cast<Load>(WEXITSTATUS(status));
}

std::string Header(long ncols, long nrows) {
  return "ncols " + std::to_string(ncols) + "\nnrows " + std::to_string(nrows) +
         "\nxllcorner 0\nyllcorner 0\ncellsize 1\nNODATA_value -9999\n";
}

TEST(ReaderMemory, HeadersThatDeclareMuchAndHoldLittleStayWithinABudget) {
#ifdef GRIDTALLY_UNDER_ASAN
  GTEST_SKIP() << "address-space limits do not work under AddressSanitizer";
#endif
  const long extent = TGridScanner::kMaxEmptyGridExtent;
  const long largest = 2147483647;
  struct Case {
    const char* name;
    std::string text;
    std::size_t budget;
    Load outcome;
  };
  const Case cases[] = {
      {"the tallest grid without cells", Header(0, extent), kEmptyGridBudget, Load::kLoaded},
      {"the widest grid without cells", Header(extent, 0), kEmptyGridBudget, Load::kLoaded},
      {"the budget is a real cap", Header(0, extent), kTinyBudget, Load::kOutOfMemory},
      {"huge dimensions, three cells", Header(largest, largest) + "1 2 3\n", kTinyBudget, Load::kRefused},
      {"one huge row, three cells", Header(largest, 1) + "1 2 3\n", kTinyBudget, Load::kRefused},
      {"one huge column, three cells", Header(1, largest) + "1 2 3\n", kTinyBudget, Load::kRefused},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(static_cast<int>(LoadWithin(c.text, c.budget)), static_cast<int>(c.outcome));
  }
}
}  // namespace
