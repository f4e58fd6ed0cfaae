#include "TNumberText.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {
const int kMinRoundTripDigits = 6;
const int kMaxRoundTripDigits = 17;
// Longer tokens are refused by the reader long before they get here; this bounds
// the copy made for the C library's fallback conversion.
const std::size_t kMaxFallbackLength = 4096;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The shape check: [+-]? (digits [. digits*] | . digits) ([eE] [+-]? digits)?
bool IsDecimalShape(const char* p, const char* end) {
  if (p < end && (*p == '+' || *p == '-')) ++p;
  const char* mantissa = p;
  std::size_t digits = 0;
  while (p < end && IsDigit(*p)) ++p, ++digits;
  if (p < end && *p == '.') {
    ++p;
    while (p < end && IsDigit(*p)) ++p, ++digits;
  }
  if (digits == 0 || p == mantissa) return false;
  if (p < end && (*p == 'e' || *p == 'E')) {
    ++p;
    if (p < end && (*p == '+' || *p == '-')) ++p;
    const char* exponent = p;
    while (p < end && IsDigit(*p)) ++p;
    if (p == exponent) return false;
  }
  return p == end;
}
}  // namespace

std::size_t TNumberText::FormatGeneral(double value, int precision, char* out) {
  const auto result = std::to_chars(out, out + kBufferSize, value, std::chars_format::general, precision);
  return static_cast<std::size_t>(result.ptr - out);
}

namespace {
// The significant digits of the shortest text that reads back to the value: no
// general-notation text with fewer digits reads back.
int ShortestDigits(double value) {
  char text[TNumberText::kBufferSize];
  const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific);
  int digits = 0;
  for (const char* p = text; p < result.ptr && *p != 'e'; ++p) digits += IsDigit(*p);
  return digits;
}

// The next precision to try once `tried` digits failed to read back. Six digits
// carry most values, so the shortest text is only sought when they fail; the
// search then skips every precision that cannot read back.
int NextPrecision(int tried, double value) {
  return tried == kMinRoundTripDigits ? std::max(tried + 1, ShortestDigits(value)) : tried + 1;
}
}  // namespace

std::size_t TNumberText::FormatRoundTrip(double value, char* out) {
  std::size_t length = 0;
  for (int digits = kMinRoundTripDigits; digits <= kMaxRoundTripDigits; digits = NextPrecision(digits, value)) {
    length = FormatGeneral(value, digits, out);
    double back = 0;
    const auto parsed = std::from_chars(out, out + length, back);
    if (parsed.ec == std::errc() && (back == value || std::isnan(value)) && std::signbit(back) == std::signbit(value))
      break;
  }
  return length;
}

bool TNumberText::ParseDecimal(const char* text, std::size_t length, double& value) {
  const char* end = text + length;
  if (!IsDecimalShape(text, end)) return false;
  const char* p = text;
  const bool negative = *p == '-';
  if (*p == '+' || *p == '-') ++p;
  const auto result = std::from_chars(p, end, value);
  if (result.ec == std::errc() && result.ptr == end) {
    if (negative) value = -value;
    return true;
  }
  if (result.ec != std::errc::result_out_of_range || length > kMaxFallbackLength) return false;
  // Out of range: an underflow reads as the nearest representable value, an
  // overflow is refused.
  std::string copy(text, length);
  errno = 0;
  const double converted = std::strtod(copy.c_str(), nullptr);
  if (std::isinf(converted)) return false;
  value = converted;
  return true;
}
