// Fuzzes the gridtally command from the bytes of a file to the printed census.
//
// The bytes go to an in-memory file (memfd), which TValueCountCommand::Run opens
// by its /proc/self/fd name like any file. Checks: the status is 0 or 1; a failure
// is exactly one line on the error stream, the reader's own message for the same
// bytes, and nothing on the output; a success writes nothing on the error stream
// and exactly the census of the map the reader loads, computed here with a
// std::map walked in column-major order (so the first zero names the 0/-0 pair)
// and printed with printf's %.6g.
//
// Grids of many distinct values cannot grow from inputs of a few kilobytes, so an
// input of 18 bytes that starts with the byte 0x01 is read as the parameters of a
// generated grid instead (GeneratedGrid): up to 2^17 cells drawn from a pool of up to 2^17
// values written in several forms, enough to fill the command's tables and spill
// beyond them.

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <sstream>
#include <string>

#include "GridOracle.h"
#include "TValueCountCommand.h"

namespace {
const std::uint8_t kGeneratedGridMarker = 0x01;
const std::size_t kGeneratedGridParameters = 1 + 8 + 2 + 3 + 3 + 1;
const std::size_t kMaxGeneratedCells = 1 << 17;

std::uint64_t SplitMix(std::uint64_t x) {
  x += 0x9E3779B97F4A7C15ull;
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
  return x ^ (x >> 31);
}

std::uint64_t Little(const std::uint8_t* p, std::size_t n) {
  std::uint64_t v = 0;
  for (std::size_t i = 0; i < n; ++i) v |= static_cast<std::uint64_t>(p[i]) << (8 * i);
  return v;
}

// The text of pool value j in one of the forms whose bit is set in `forms` (all
// when none is): short integers, decimals, zeros in their forms, arbitrary finite
// doubles, signed integers, exponent notation, six significant digits.
std::string PoolValue(std::uint64_t seed, std::uint64_t j, unsigned forms) {
  const std::uint64_t h = SplitMix(seed ^ SplitMix(j));
  static const char* const kZeros[] = {"0", "-0", "0.0", "-0.0", "+0", "-0e5", ".0", "-0."};
  const unsigned kForms = 7;
  if ((forms & ((1u << kForms) - 1)) == 0) forms = (1u << kForms) - 1;
  unsigned form = static_cast<unsigned>(h >> 59) % kForms;
  while ((forms & (1u << form)) == 0) form = (form + 1) % kForms;
  char text[64];
  switch (form) {
    case 0:
      std::snprintf(text, sizeof text, "%lld", static_cast<long long>(h % 20001) - 10000);
      break;
    case 1:
      std::snprintf(text, sizeof text, "%.3f",
                    static_cast<double>(static_cast<long long>(h % 2000001) - 1000000) / 1000);
      break;
    case 2:
      return kZeros[h % (sizeof kZeros / sizeof kZeros[0])];
    case 3: {
      double value;
      std::uint64_t bits = SplitMix(h);
      std::memcpy(&value, &bits, sizeof value);
      if (!std::isfinite(value)) value = static_cast<double>(h % 7);
      std::snprintf(text, sizeof text, "%.17g", value);
      break;
    }
    case 4:
      std::snprintf(text, sizeof text, "%+lld", static_cast<long long>(h % 100));
      break;
    case 5:
      std::snprintf(text, sizeof text, "%.2e", static_cast<double>(h % 1000));
      break;
    default:
      std::snprintf(text, sizeof text, "%.6g", static_cast<double>(h % 100000) / 7);
      break;
  }
  return text;
}

// Parameters after the marker: seed (8 bytes), columns (2), cells (3: 17 bits of
// count, 4 of shift), pool size (3), forms (1), all little-endian.
std::string GeneratedGrid(const std::uint8_t* data) {
  const std::uint64_t seed = Little(data + 1, 8);
  const long ncols = 1 + static_cast<long>(Little(data + 9, 2) % 4096);
  // Sizes are skewed towards the small (a shift of 0 to 15), which run much faster.
  const std::uint64_t size = Little(data + 11, 3);
  const std::size_t wanted = 1 + ((size % kMaxGeneratedCells) >> ((size / kMaxGeneratedCells) % 16));
  const long nrows = static_cast<long>(std::max<std::size_t>(1, wanted / static_cast<std::size_t>(ncols)));
  const std::uint64_t pool = 1 + Little(data + 14, 3) % kMaxGeneratedCells;
  const unsigned forms = data[17];
  std::string grid = "ncols " + std::to_string(ncols) + "\nnrows " + std::to_string(nrows) +
                     "\nxllcorner 0\nyllcorner 0\ncellsize 1\nNODATA_value -9999\n";
  std::uint64_t state = seed;
  for (long row = 0; row < nrows; ++row) {
    for (long column = 0; column < ncols; ++column) {
      state = SplitMix(state);
      grid += PoolValue(seed, state % pool, forms);
      grid += (state >> 62) == 0 ? '\t' : ' ';
    }
    grid += (row & 1) != 0 ? "\r\n" : "\n";
  }
  return grid;
}

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
  std::string generated;
  if (size == kGeneratedGridParameters && data[0] == kGeneratedGridMarker) {
    generated = GeneratedGrid(data);
    data = reinterpret_cast<const std::uint8_t*>(generated.data());
    size = generated.size();
  }
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
