// Fuzzes the gridtally command from the bytes of a file to the printed census.
//
// The bytes go to an in-memory file (memfd), which TValueCountCommand::Run opens
// by its /proc/self/fd name like any file. Checks: the status is 0 or 1; a failure
// is exactly one line on the error stream, the reader's own message for the same
// bytes, and nothing on the output; a success writes nothing on the error stream
// and exactly the census of the map the reader loads, computed here with a
// std::map walked in column-major order (so the first zero names the 0/-0 pair)
// and printed with printf's %.6g.

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <map>
#include <sstream>
#include <string>

#include "GridOracle.h"
#include "TValueCountCommand.h"

namespace {
int OpenMemoryFile() {
  const int fd = memfd_create("gridtally-fuzz", 0);
  if (fd < 0) Fail("memfd_create failed");
  return fd;
}

void WriteAll(int fd, const std::uint8_t* data, std::size_t size) {
  if (ftruncate(fd, 0) != 0) Fail("ftruncate failed");
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = pwrite(fd, data + done, size - done, static_cast<off_t>(done));
    if (n <= 0) Fail("pwrite failed");
    done += static_cast<std::size_t>(n);
  }
}

std::string ExpectedCensus(const TMap& map) {
  std::map<double, long> counts;  // 0 and -0 are one key: the first inserted keeps its sign
  for (long column = 0; column < map.MbrLngXDim; ++column)
    for (long row = 0; row < map.MbrLngYDim; ++row) {
      const double value = map.MbrVecValues[row][column];
      FUZZ_CHECK(value == value, "the reader produced a NaN");
      ++counts[value];
    }
  std::string text;
  for (const auto& [value, count] : counts) {
    char line[96];
    std::snprintf(line, sizeof line, "%.6g %ld\n", value, count);
    text += line;
  }
  return text;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const int fd = OpenMemoryFile();
  static const std::string path = "/proc/self/fd/" + std::to_string(fd);
  WriteAll(fd, data, size);

  std::ostringstream out, err;
  const char* args[] = {"gridtally", path.c_str()};
  const int status = TValueCountCommand::Run(2, args, out, err);

  const std::string bytes(reinterpret_cast<const char*>(data), size);
  std::istringstream in(bytes);
  const TLoadOutcome reference = LoadAndCheck(in, JudgeGrid(bytes));

  FUZZ_CHECK(status == TValueCountCommand::kSuccess || status == TValueCountCommand::kFailure,
             "status " + std::to_string(status));
  if (status == TValueCountCommand::kFailure) {
    FUZZ_CHECK(out.str().empty(), "output after a failure: " + out.str());
    FUZZ_CHECK(reference.map == nullptr, "the command failed where the reader loads: " + err.str());
    FUZZ_CHECK(err.str() == reference.message + "\n", "expected \"" + reference.message + "\", got: " + err.str());
    return 0;
  }
  FUZZ_CHECK(err.str().empty(), "error text after a success: " + err.str());
  FUZZ_CHECK(reference.map != nullptr, "the command succeeded where the reader fails: " + reference.message);
  const std::string expected = ExpectedCensus(*reference.map);
  FUZZ_CHECK(out.str() == expected, "census differs; expected:\n" + expected + "got:\n" + out.str());
  return 0;
}
