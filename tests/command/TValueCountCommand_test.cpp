#include "TValueCountCommand.h"

#include <sys/wait.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "TestSupport.h"

namespace {
struct Outcome {
  int status;
  std::string out;
  std::string err;
};

Outcome RunWith(std::vector<const char*> args) {
  args.insert(args.begin(), "gridtally");
  std::ostringstream out, err;
  const int status = TValueCountCommand::Run(static_cast<int>(args.size()), args.data(), out, err);
  return {status, out.str(), err.str()};
}

std::string Grid(const std::string& ncols, const std::string& nrows, const std::string& cells) {
  return "ncols " + ncols + "\nnrows " + nrows + "\nxllcorner 0\nyllcorner 0\ncellsize 1\nNODATA_value -9999\n" + cells;
}

TEST(GridtallyCommand, PrintsOneLinePerValueInAscendingOrder) {
  TempDir dir;
  struct Case {
    const char* name;
    std::string grid;
    const char* out;
  };
  const Case cases[] = {
      {"values and no data", Grid("2", "2", "1 2\n2 -9999\n"), "-9999 1\n1 1\n2 2\n"},
      {"no cells", Grid("0", "3", ""), ""},
      {"all no data", Grid("3", "1", "-9999 -9999 -9999"), "-9999 3\n"},
      {"six significant digits print, every value counts", Grid("3", "1", "1.0000001 1.0000002 1.0000001"),
       "1 2\n1 1\n"},
      {"general notation", Grid("5", "1", "1234567 0.000012 100000 2.5 1e-310"),
       "1e-310 1\n1.2e-05 1\n2.5 1\n100000 1\n1.23457e+06 1\n"},
      {"one value written in several ways", Grid("4", "1", "1 1.0 +1 10e-1"), "1 4\n"},
      {"zero first met as -0 column by column", Grid("2", "2", "5 0\n-0 5\n"), "-0 2\n5 2\n"},
      {"zero first met as 0 column by column", Grid("2", "2", "5 -0.0\n0 5\n"), "0 2\n5 2\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Outcome o = RunWith({dir.Write("grid.asc", c.grid).c_str()});
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.out, c.out);
    EXPECT_EQ(o.err, "");
  }
}

TEST(GridtallyCommand, EachFailureIsOneLineOnStandardErrorAndNothingOnStandardOutput) {
  TempDir dir;
  const std::string missing = dir.Path("missing.asc");
  struct Case {
    const char* name;
    std::vector<const char*> args;
    int status;
    std::string err;
  };
  const std::string truncated = dir.Write("truncated.asc", Grid("2", "2", "1 2 3"));
  const std::string badKey = dir.Write("badkey.asc", "NCOLS 1\n");
  const std::string badCell = dir.Write("badcell.asc", Grid("2", "2", "1 2\n3 x4\n"));
  const std::string directory = dir.Path("");
  const Case cases[] = {
      {"no argument", {}, 2, "Usage: gridtally ASCFile\n"},
      {"two arguments", {"a", "b"}, 2, "Usage: gridtally ASCFile\n"},
      {"missing file", {missing.c_str()}, 1, "Unable to open file " + missing + "\n"},
      {"directory", {directory.c_str()}, 1, "Unable to open file " + directory + "\n"},
      {"truncated", {truncated.c_str()}, 1, "Unexpected end of file found in TARCGISFileTools::LoadARCGISFile\n"},
      {"bad key", {badKey.c_str()}, 1, "File format error: expected to find ncols tag\n"},
      {"bad cell after good ones", {badCell.c_str()}, 1,
       "File format error: cell value \"x4\" at row 2, column 2 is not a number\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Outcome o = RunWith(c.args);
    EXPECT_EQ(o.status, c.status);
    EXPECT_EQ(o.out, "");
    EXPECT_EQ(o.err, c.err);
  }
}

TEST(GridtallyCommand, AMalformedTokenIsReportedAtItsFirstPlaceEvenWhenRepeated) {
  TempDir dir;
  const Outcome o = RunWith({dir.Write("g.asc", Grid("3", "2", "1 1 1\n1 zz zz\n")).c_str()});
  EXPECT_EQ(o.status, 1);
  EXPECT_EQ(o.err, "File format error: cell value \"zz\" at row 2, column 2 is not a number\n");
}

TEST(GridtallyCommand, AFailedWriteIsReported) {
  TempDir dir;
  const std::string grid = dir.Write("g.asc", Grid("1", "1", "7"));
  std::ostringstream out, err;
  out.setstate(std::ios_base::badbit);
  const char* args[] = {"gridtally", grid.c_str()};
  EXPECT_EQ(TValueCountCommand::Run(2, args, out, err), 1);
  EXPECT_EQ(err.str(), "Unable to write the results to standard output\n");
}

// The installed program, as a user runs it: exit statuses and a full disk.
TEST(GridtallyProgram, ExitStatusesAndAFullDisk) {
  TempDir dir;
  const std::string grid = dir.Write("g.asc", Grid("2", "1", "3 4"));
  const std::string errFile = dir.Path("err.txt");
  auto run = [&](const std::string& args, const std::string& out) {
    const std::string command = std::string(GRIDTALLY_EXE) + " " + args + " >" + out + " 2>" + errFile;
    const int raw = std::system(command.c_str());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  };
  EXPECT_EQ(run(grid, dir.Path("out.txt")), 0);
  EXPECT_EQ(ReadFile(dir.Path("out.txt")), "3 1\n4 1\n");
  EXPECT_EQ(run("", dir.Path("out.txt")), 2);
  EXPECT_EQ(ReadFile(errFile), "Usage: gridtally ASCFile\n");
  EXPECT_EQ(run(grid, "/dev/full"), 1);
  EXPECT_EQ(ReadFile(errFile), "Unable to write the results to standard output\n");
}
}  // namespace
