// The installed program on files meant to hurt it. Each run is bounded by
// `timeout` and, outside AddressSanitizer builds (whose shadow memory needs a huge
// address space), by `ulimit -v`, so a hang or a blow-up makes the test fail
// instead of hanging it. The large variants (1 GB of one token, 100 MB of white
// space) are timed by bench/hostile.sh.

#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "TestSupport.h"

namespace {
const int kTimeoutSeconds = 20;
const int kTimedOut = 124;  // timeout's status for a command it had to stop
const long kVirtualMemoryLimitKb = 200 * 1024;
const std::size_t kWhiteSpaceBytes = 10 << 20;
const std::size_t kEndlessTokenBytes = 4 << 20;
const std::size_t kNulBytes = 1 << 20;
const char* const kHeader = "ncols 3\nnrows 1\nxllcorner 0\nyllcorner 0\ncellsize 1\nNODATA_value -9999\n";

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

Outcome RunProgram(const TempDir& dir, const std::string& file) {
  std::string command;
#ifndef GRIDTALLY_UNDER_ASAN
  command = "ulimit -v " + std::to_string(kVirtualMemoryLimitKb) + "; ";
#endif
  command += "timeout " + std::to_string(kTimeoutSeconds) + " " + GRIDTALLY_EXE + " '" + file + "' >'" +
             dir.Path("out.txt") + "' 2>'" + dir.Path("err.txt") + "'";
  const int raw = std::system(command.c_str());
  const int status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return {status, ReadFile(dir.Path("out.txt")), ReadFile(dir.Path("err.txt"))};
}

// Writes `head`, then `count` copies of `fill`, then `tail`, without building it all in memory.
std::string WriteFilled(const TempDir& dir, const std::string& name, const std::string& head, char fill,
                        std::size_t count, const std::string& tail) {
  const std::string path = dir.Path(name);
  std::ofstream out(path, std::ios::binary);
  out << head;
  const std::string block(1 << 16, fill);
  for (std::size_t left = count; left > 0;) {
    const std::size_t n = std::min(left, block.size());
    out.write(block.data(), static_cast<std::streamsize>(n));
    left -= n;
  }
  out << tail;
  return path;
}

TEST(HostileInputs, EachEndsWithOneLineOnStandardErrorOrACorrectCensus) {
  TempDir dir;
  const std::string directory = dir.Path("a-directory");
  std::filesystem::create_directory(directory);
  struct Case {
    const char* name;
    std::string file;
    int status;
    std::string out;
    std::string err;  // empty for a failure: any one line will do
  };
  const Case cases[] = {
      {"a directory", directory, 1, "", "Unable to open file " + directory + "\n"},
      {"/dev/zero", "/dev/zero", 1, "", "File format error: expected to find ncols tag\n"},
      {"/dev/urandom", "/dev/urandom", 1, "", ""},
      {"NUL bytes", WriteFilled(dir, "nul.asc", "", '\0', kNulBytes, ""), 1, "",
       "File format error: expected to find ncols tag\n"},
      {"NUL bytes after the header", WriteFilled(dir, "nulcells.asc", kHeader, '\0', kNulBytes, ""), 1, "", ""},
      {"huge dimensions, few cells",
       dir.Write("huge.asc",
                 "ncols 2147483647\nnrows 2147483647\nxllcorner 0\nyllcorner 0\ncellsize 1\n"
                 "NODATA_value -9999\n1 2 3\n"),
       1, "", "Unexpected end of file found in TARCGISFileTools::LoadARCGISFile\n"},
      {"huge width, no rows",
       dir.Write("wide.asc", "ncols 2147483647\nnrows 0\nxllcorner 0\nyllcorner 0\ncellsize 1\nNODATA_value -9999\n"),
       1, "", ""},
      {"huge height, no columns",
       dir.Write("tall.asc", "ncols 0\nnrows 2147483647\nxllcorner 0\nyllcorner 0\ncellsize 1\nNODATA_value -9999\n"),
       1, "", ""},
      {"the tallest grid without cells",
       dir.Write("empty.asc", "ncols 0\nnrows 65536\nxllcorner 0\nyllcorner 0\ncellsize 1\nNODATA_value 0\n"), 0, "",
       ""},
      {"dimensions beyond 32 bits",
       dir.Write("beyond.asc", "ncols 4294967296\nnrows 1\nxllcorner 0\nyllcorner 0\ncellsize 1\nNODATA_value 0\n1\n"),
       1, "", ""},
      {"UTF-8 byte-order mark", dir.Write("bom.asc", "\xEF\xBB\xBF" + std::string(kHeader) + "1 2 3\n"), 1, "",
       "File format error: expected to find ncols tag\n"},
      {"only white space", WriteFilled(dir, "blank.asc", "", ' ', kWhiteSpaceBytes, "\n"), 1, "",
       "File format error: expected to find ncols tag\n"},
      {"white space between the cells",
       WriteFilled(dir, "spaced.asc", std::string(kHeader) + "5 ", '\n', kWhiteSpaceBytes, "\t7\r\n 5"), 0,
       "5 2\n7 1\n", ""},
      {"an endless key", WriteFilled(dir, "longkey.asc", "", 'n', kEndlessTokenBytes, ""), 1, "",
       "File format error: expected to find ncols tag\n"},
      {"an endless header number", WriteFilled(dir, "longnumber.asc", "ncols ", '1', kEndlessTokenBytes, " nrows 1\n"),
       1, "", ""},
      {"an endless cell", WriteFilled(dir, "longcell.asc", std::string(kHeader) + "1 ", '2', kEndlessTokenBytes, " 3"),
       1, "", "File format error: cell value at row 1, column 2 is longer than 1024 characters\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Outcome o = RunProgram(dir, c.file);
    EXPECT_NE(o.status, kTimedOut) << "did not end within " << kTimeoutSeconds << " s";
    EXPECT_EQ(o.status, c.status);
    EXPECT_EQ(o.out, c.out);
    if (c.status == 0) {
      EXPECT_EQ(o.err, "");
    } else if (!c.err.empty()) {
      EXPECT_EQ(o.err, c.err);
    } else {
      EXPECT_FALSE(o.err.empty());
      EXPECT_EQ(o.err.find('\n'), o.err.size() - 1) << "not one line: " << o.err;
    }
  }
}
}  // namespace
