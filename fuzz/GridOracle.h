#pragma once

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "TMap.h"

// An independent reading of ASCII grid bytes for the fuzz harnesses: the input
// is cut into tokens at white space, and numbers are read with strtod. Where the
// header stands as twelve plain tokens, this decides whether a load must succeed
// (and with which cells) or must fail (and at which cell); other inputs are left
// undecided, since the reader's header rules are looser than plain tokens.
struct TGridVerdict {
  enum TKind { kUndecided, kLoads, kFails };
  TKind kind = kUndecided;
  long ncols = 0;
  long nrows = 0;
  double xllcorner = 0;
  double yllcorner = 0;
  double cellsize = 0;
  double nodata = 0;
  std::vector<double> cells;  // file order, when kind == kLoads
  // When kind == kFails: the exact message, or else a text the message must hold.
  std::string message;
  std::string place;
};

TGridVerdict JudgeGrid(const std::string& bytes);

// The white space that separates tokens.
bool IsGridSpace(char c);

// The bits of a double, so that -0, 0 and every NaN compare as what they are.
std::uint64_t Bits(double value);

// Aborts with the message on standard error: the fuzzer records the input.
[[noreturn]] void Fail(const std::string& what);
#define FUZZ_CHECK(condition, what) \
  do {                              \
    if (!(condition)) Fail(what);   \
  } while (0)

// Checks a loaded map against the verdict (when decided) and its own shape.
void CheckLoadedMap(const TMap& map, const TGridVerdict& verdict);

// Runs the loader on a stream, checks a loaded map with CheckLoadedMap and a
// failure against the verdict, and reduces the outcome to text so that several
// readings of one input can be compared: "error: <message>", or the map's
// dimensions, header values and cell bits. Only the library's own failure kinds
// (const char* and std::string) are caught; anything else escapes to the fuzzer.
struct TLoadOutcome {
  std::unique_ptr<TMap> map;  // null after a failure
  std::string text;
  std::string message;  // the failure's message
};
TLoadOutcome LoadAndCheck(std::istream& in, const TGridVerdict& verdict);
