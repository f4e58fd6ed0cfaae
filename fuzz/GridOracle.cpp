#include "GridOracle.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <istream>
#include <string_view>

#include "TARCGISFileTools.h"
#include "TAxis.h"
#include "TGridScanner.h"
#include "TPoint.h"

namespace {
const std::size_t kHeaderTokens = 12;
const char* const kUnexpectedEnd = "Unexpected end of file found in TARCGISFileTools::LoadARCGISFile";
const char* const kCellMessageStart = "File format error: cell value ";
const char* const kNumberCharacters = "0123456789+-.eE";

std::vector<std::string_view> Tokens(const std::string& bytes) {
  std::vector<std::string_view> tokens;
  std::size_t i = 0;
  while (i < bytes.size()) {
    while (i < bytes.size() && IsGridSpace(bytes[i])) ++i;
    const std::size_t start = i;
    while (i < bytes.size() && !IsGridSpace(bytes[i])) ++i;
    if (i > start) tokens.emplace_back(bytes.data() + start, i - start);
  }
  return tokens;
}

// A decimal number as strtod reads it, wholly, finite, no longer than the reader allows.
bool ReferenceNumber(std::string_view token, double& value) {
  if (token.empty() || token.size() > TGridScanner::kMaxTokenLength) return false;
  if (token.find_first_not_of(kNumberCharacters) != std::string_view::npos) return false;
  const std::string text(token);
  char* end = nullptr;
  value = std::strtod(text.c_str(), &end);
  return end == text.c_str() + text.size() && std::isfinite(value);
}

// An optionally signed run of digits within 32 bits.
bool ReferenceInteger(std::string_view token, long& value) {
  if (token.empty() || token.size() > TGridScanner::kMaxTokenLength) return false;
  const std::size_t digits = (token[0] == '+' || token[0] == '-') ? 1 : 0;
  if (token.size() == digits || token.find_first_not_of("0123456789", digits) != std::string_view::npos) return false;
  const std::string text(token);
  errno = 0;
  const long long parsed = std::strtoll(text.c_str(), nullptr, 10);
  if (errno == ERANGE || parsed < INT32_MIN || parsed > INT32_MAX) return false;
  value = static_cast<long>(parsed);
  return true;
}

bool PlainHeader(const std::vector<std::string_view>& t, TGridVerdict& v) {
  if (t.size() < kHeaderTokens) return false;
  if (t[0] != "ncols" || t[2] != "nrows" || t[4] != "xllcorner" || t[6] != "yllcorner" || t[8] != "cellsize" ||
      (t[10] != "NODATA_value" && t[10] != "nodata_value"))
    return false;
  if (!ReferenceInteger(t[1], v.ncols) || !ReferenceInteger(t[3], v.nrows) || !ReferenceNumber(t[5], v.xllcorner) ||
      !ReferenceNumber(t[7], v.yllcorner) || !ReferenceNumber(t[9], v.cellsize) || !ReferenceNumber(t[11], v.nodata))
    return false;
  if (v.ncols < 0 || v.nrows < 0) return false;
  const long long cells = static_cast<long long>(v.ncols) * v.nrows;
  return cells != 0 || (v.ncols <= TGridScanner::kMaxEmptyGridExtent && v.nrows <= TGridScanner::kMaxEmptyGridExtent);
}

std::string Hex(std::uint64_t bits) {
  char text[24];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(bits));
  return text;
}

std::string Describe(const TMap& map) {
  std::string text = "map " + std::to_string(map.MbrLngXDim) + "x" + std::to_string(map.MbrLngYDim) + " res " +
                     Hex(Bits(map.MbrDblResolution)) + " nodata " + Hex(Bits(map.MbrDblNoData)) + " xll " +
                     Hex(Bits(map.GetXAxisInterval()->GetPoint(0)->GetX())) + " yll " +
                     Hex(Bits(map.GetYAxisInterval()->GetPoint(map.MbrLngYDim)->GetY())) + "\n";
  for (const auto& row : map.MbrVecValues) {
    for (double cell : row) text += Hex(Bits(cell)) + " ";
    text += "\n";
  }
  return text;
}
}  // namespace

bool IsGridSpace(char c) { return c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\v' || c == '\f'; }

std::uint64_t Bits(double value) {
  std::uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

void Fail(const std::string& what) {
  std::fprintf(stderr, "\n*** fuzz check failed: %s\n", what.c_str());
  std::abort();
}

TGridVerdict JudgeGrid(const std::string& bytes) {
  TGridVerdict v;
  const std::vector<std::string_view> tokens = Tokens(bytes);
  if (!PlainHeader(tokens, v)) return v;
  const long long cells = static_cast<long long>(v.ncols) * v.nrows;
  for (long long i = 0; i < cells; ++i) {
    if (kHeaderTokens + i >= tokens.size()) {
      v.kind = TGridVerdict::kFails;
      v.message = kUnexpectedEnd;
      return v;
    }
    double value;
    if (!ReferenceNumber(tokens[kHeaderTokens + i], value)) {
      v.kind = TGridVerdict::kFails;
      v.place = "at row " + std::to_string(i / v.ncols + 1) + ", column " + std::to_string(i % v.ncols + 1) + " ";
      return v;
    }
    v.cells.push_back(value);
  }
  v.kind = TGridVerdict::kLoads;
  return v;
}

void CheckLoadedMap(const TMap& map, const TGridVerdict& v) {
  const long ncols = map.MbrLngXDim;
  const long nrows = map.MbrLngYDim;
  FUZZ_CHECK(ncols >= 0 && nrows >= 0, "negative dimensions");
  FUZZ_CHECK(map.MbrVecValues.size() == static_cast<std::size_t>(nrows), "row count differs from nrows");
  for (const auto& row : map.MbrVecValues)
    FUZZ_CHECK(row.size() == static_cast<std::size_t>(ncols), "a row's length differs from ncols");
  FUZZ_CHECK(map.GetXAxisInterval() != nullptr && map.GetYAxisInterval() != nullptr, "missing edge axes");
  FUZZ_CHECK(map.GetXAxisInterval()->GetSize() == ncols + 1, "column edge axis size");
  FUZZ_CHECK(map.GetYAxisInterval()->GetSize() == nrows + 1, "row edge axis size");
  FUZZ_CHECK(map.GetXAxis() != nullptr && map.GetXAxis()->GetSize() == ncols, "column centre axis size");
  FUZZ_CHECK(map.GetYAxis() != nullptr && map.GetYAxis()->GetSize() == nrows, "row centre axis size");
  if (v.kind != TGridVerdict::kLoads) return;
  FUZZ_CHECK(ncols == v.ncols && nrows == v.nrows, "dimensions differ from the header");
  FUZZ_CHECK(Bits(map.MbrDblResolution) == Bits(v.cellsize), "cellsize differs");
  FUZZ_CHECK(Bits(map.MbrDblNoData) == Bits(v.nodata), "NODATA_value differs");
  FUZZ_CHECK(Bits(map.GetXAxisInterval()->GetPoint(0)->GetX()) == Bits(v.xllcorner), "xllcorner differs");
  FUZZ_CHECK(Bits(map.GetYAxisInterval()->GetPoint(nrows)->GetY()) == Bits(v.yllcorner), "yllcorner differs");
  std::size_t i = 0;
  for (const auto& row : map.MbrVecValues)
    for (double cell : row) {
      FUZZ_CHECK(Bits(cell) == Bits(v.cells[i]), "cell " + std::to_string(i) + " differs from strtod's reading");
      ++i;
    }
}

TLoadOutcome LoadAndCheck(std::istream& in, const TGridVerdict& verdict) {
  TLoadOutcome o;
  bool failed = false;
  try {
    o.map.reset(TARCGISFileTools::LoadARCGISFile(in));
  } catch (const char* message) {
    failed = true;
    o.message = message;
  } catch (const std::string& message) {
    failed = true;
    o.message = message;
  }
  if (failed) {
    FUZZ_CHECK(!o.message.empty(), "an empty failure message");
    FUZZ_CHECK(o.message.find_first_of("\r\n") == std::string::npos, "a message of several lines: " + o.message);
    FUZZ_CHECK(verdict.kind != TGridVerdict::kLoads, "a well-formed grid was refused: " + o.message);
    if (verdict.kind == TGridVerdict::kFails && !verdict.message.empty())
      FUZZ_CHECK(o.message == verdict.message, "expected \"" + verdict.message + "\", got: " + o.message);
    if (verdict.kind == TGridVerdict::kFails && !verdict.place.empty())
      FUZZ_CHECK(o.message.rfind(kCellMessageStart, 0) == 0 && o.message.find(verdict.place) != std::string::npos,
                 "expected a cell message " + verdict.place + ", got: " + o.message);
    o.text = "error: " + o.message;
    return o;
  }
  FUZZ_CHECK(o.map != nullptr, "no map and no failure");
  FUZZ_CHECK(verdict.kind != TGridVerdict::kFails, "a malformed grid was accepted");
  CheckLoadedMap(*o.map, verdict);
  o.text = Describe(*o.map);
  return o;
}
