#include "TNumberText.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {
const int kMinRoundTripDigits = 6;
// A sign, the digits and a point: longer texts are no plain decimals.
const std::size_t kMaxPlainLength = TNumberText::kMaxPlainDigits + 2;
// The fast general-notation path works with at most this many digits: the scaled
// value then stays below 1e9, where one rounded multiplication is off by far less
// than kTieMargin.
const int kMaxFastDigits = 9;
const double kTieMargin = 1e-6;
// Far beyond the rounding of the bounds of a text's magnitudes (a few units of
// 2^-53), far below the width of a digit.
const double kSameTextMargin = 0x1p-40;
// Powers of ten that a double holds exactly.
const int kMaxExactPower = 22;
const double kExactPowers[kMaxExactPower + 1] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                                 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
// The layout of a double, to read its binary exponent.
const int kMantissaBits = 52;
const int kExponentBias = 1023;
const int kMaxBiasedExponent = 0x7ff;
const int kMaxRoundTripDigits = 17;
// Longer tokens are refused by the reader long before they get here; this bounds
// the copy made for the C library's fallback conversion.
const std::size_t kMaxFallbackLength = 4096;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// magnitude * 10^power with a single rounding, or false when 10^|power| is not exact.
bool ScaleByPowerOfTen(double magnitude, int power, double& scaled) {
  if (power > kMaxExactPower || power < -kMaxExactPower) return false;
  scaled = power >= 0 ? magnitude * kExactPowers[power] : magnitude / kExactPowers[-power];
  return true;
}

// floor(log10(2^power)) for the binary exponents of a double, exactly: log10(2)
// as a fraction over 2^kLog10Of2Shift.
const std::int64_t kLog10Of2Scaled = 78913;
const int kLog10Of2Shift = 18;
int FloorLog10OfPowerOf2(int power) {
  const std::int64_t scaled = static_cast<std::int64_t>(power) * kLog10Of2Scaled;
  const std::int64_t divisor = std::int64_t{1} << kLog10Of2Shift;
  return static_cast<int>(scaled >= 0 ? scaled / divisor : -((-scaled + divisor - 1) / divisor));
}

// The significant digits of |value| rounded to `precision` digits, as an integer in
// [10^(precision-1), 10^precision), and the decimal exponent of the first one.
// Returns false when one rounded multiplication cannot tell the correct rounding
// (a value near a tie, or out of the range of exact powers): the caller then uses
// the exact conversion.
bool RoundToDigits(double value, int precision, std::uint64_t& digits, int& exponent) {
  const double magnitude = std::fabs(value);
  std::uint64_t bits;
  std::memcpy(&bits, &magnitude, sizeof bits);
  const int biased = static_cast<int>(bits >> kMantissaBits);
  if (biased == 0 || biased == kMaxBiasedExponent) return false;  // zero, subnormal, infinite or NaN
  exponent = FloorLog10OfPowerOf2(biased - kExponentBias);
  const double low = kExactPowers[precision - 1];
  const double high = kExactPowers[precision];
  double scaled;
  // The estimate is at most one below the true exponent.
  for (int attempt = 0; attempt < 2; ++attempt) {
    if (!ScaleByPowerOfTen(magnitude, precision - 1 - exponent, scaled)) return false;
    if (scaled < high) break;
    ++exponent;
  }
  if (scaled < low || scaled >= high) return false;
  // Below 10^9 the truncation is the floor.
  const auto whole = static_cast<std::uint64_t>(scaled);
  const double fraction = scaled - static_cast<double>(whole);
  if (std::fabs(fraction - 0.5) < kTieMargin) return false;
  digits = whole + (fraction > 0.5 ? 1 : 0);
  if (digits == static_cast<std::uint64_t>(high)) {
    digits /= 10;
    ++exponent;
  }
  return true;
}

// "00" to "99", two digits at a time.
struct TDigitPairs {
  char text[200];
  constexpr TDigitPairs() : text() {
    for (int i = 0; i < 100; ++i) {
      text[2 * i] = static_cast<char>('0' + i / 10);
      text[2 * i + 1] = static_cast<char>('0' + i % 10);
    }
  }
};
constexpr TDigitPairs kDigitPairs;

// The magnitudes that round to `digits` units of 10^power, narrowed by kSameTextMargin:
// those strictly between (digits - 1/2) and (digits + 1/2) units, and not below
// digits units when digits is the lowest of its count (below it the exponent drops).
void SameDigits(std::uint64_t digits, int power, bool lowest, TNumberText::TSameText& same) {
  const double whole = static_cast<double>(digits);
  double low;
  double high;
  if (!ScaleByPowerOfTen(lowest ? whole : whole - 0.5, power, low) || !ScaleByPowerOfTen(whole + 0.5, power, high))
    return;
  same.low = low * (1 + kSameTextMargin);
  same.high = high * (1 - kSameTextMargin);
}

// Writes the n digits of `digits` (most significant first) to out.
char* WriteDigits(std::uint64_t digits, int n, char* out) {
  int i = n;
  for (; i >= 2; i -= 2) {
    const std::uint64_t rest = digits / 100;
    std::memcpy(out + i - 2, kDigitPairs.text + 2 * (digits - rest * 100), 2);
    digits = rest;
  }
  if (i == 1) out[0] = static_cast<char>('0' + digits);
  return out + n;
}
}  // namespace

std::size_t TNumberText::FormatGeneral(double value, int precision, char* out) {
  TSameText same;
  return FormatGeneral(value, precision, out, same);
}

std::size_t TNumberText::FormatGeneral(double value, int precision, char* out, TSameText& same) {
  std::uint64_t digits;
  int exponent;
  same = TSameText{};
  if (precision >= 1 && precision <= kMaxFastDigits && RoundToDigits(value, precision, digits, exponent)) {
    SameDigits(digits, exponent - precision + 1, digits == static_cast<std::uint64_t>(kExactPowers[precision - 1]),
               same);
    // printf's %g: trailing zeros go, then fixed notation for exponents from -4 to
    // precision - 1, exponent notation otherwise.
    int kept = precision;
    while (kept > 1 && digits % 10 == 0) digits /= 10, --kept;
    char* p = out;
    if (value < 0) *p++ = '-';
    char text[kMaxFastDigits];
    WriteDigits(digits, kept, text);
    if (exponent >= -4 && exponent < precision) {
      if (exponent < 0) {
        *p++ = '0';
        *p++ = '.';
        for (int i = -1; i > exponent; --i) *p++ = '0';
        for (int i = 0; i < kept; ++i) *p++ = text[i];
      } else {
        for (int i = 0; i <= exponent; ++i) *p++ = i < kept ? text[i] : '0';
        if (kept > exponent + 1) {
          *p++ = '.';
          for (int i = exponent + 1; i < kept; ++i) *p++ = text[i];
        }
      }
    } else {
      *p++ = text[0];
      if (kept > 1) {
        *p++ = '.';
        for (int i = 1; i < kept; ++i) *p++ = text[i];
      }
      *p++ = 'e';
      *p++ = exponent < 0 ? '-' : '+';
      const int shown = exponent < 0 ? -exponent : exponent;
      p = WriteDigits(static_cast<std::uint64_t>(shown), shown >= 100 ? 3 : 2, p);
    }
    return static_cast<std::size_t>(p - out);
  }
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
  std::int64_t digits;
  int decimals;
  if (length <= kMaxPlainLength && ReadPlainDecimal(text, length, digits, decimals)) {
    value = PlainDecimalValue(digits, decimals);
    return true;
  }
  // std::from_chars reads exactly the shape wanted, (digits [. digits*] | . digits)
  // ([eE] [+-]? digits)?, once the sign is ours and "inf" and "nan", the only other
  // texts it takes, are ruled out by the first character; what it leaves unread
  // makes the token malformed.
  const char* end = text + length;
  const char* p = text;
  const bool negative = p < end && *p == '-';
  if (p < end && (*p == '+' || *p == '-')) ++p;
  if (p == end || !(IsDigit(*p) || *p == '.')) return false;
  const auto result = std::from_chars(p, end, value);
  if (result.ptr != end) return false;
  if (result.ec == std::errc()) {
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
