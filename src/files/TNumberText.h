#pragma once

#include <cstddef>
#include <cstdint>

// The one place where numbers become text and text becomes numbers. No message is
// thrown here: a failure to read shows in the return value.
class TNumberText {
 public:
  // Enough room for any text these functions write.
  static constexpr std::size_t kBufferSize = 64;

  // printf's %.<precision>g in the C locale, written to `out`, which must hold
  // kBufferSize characters; returns the number written (no terminating NUL).
  static std::size_t FormatGeneral(double value, int precision, char* out);

  // The magnitudes [low, high] that, with the sign of the value formatted, are
  // written as its very text; empty (low > high) when that is not told.
  struct TSameText {
    double low = 1;
    double high = 0;
    bool Holds(double magnitude) const { return magnitude >= low && magnitude <= high; }
  };
  // The same, and tells which other values share the text, so that a run of
  // values can reuse it.
  static std::size_t FormatGeneral(double value, int precision, char* out, TSameText& same);

  // General notation with the fewest significant digits, six or more, that read
  // back to the same double (as %.6g where that reads back, else %.7g, ... %.17g),
  // sign of a zero included; `out` and the result as for FormatGeneral.
  static std::size_t FormatRoundTrip(double value, char* out);

  // Reads a cell token that must be wholly one decimal number: an optional sign,
  // digits with an optional fraction (".5" and "5." included), an optional
  // exponent. An underflow reads as its nearest value (a signed zero or a
  // subnormal); overflow, "inf", "nan", hexadecimal and trailing characters are
  // refused. Returns false, leaving `value` unspecified, when the token is not
  // such a number.
  static bool ParseDecimal(const char* text, std::size_t length, double& value);

  // The most digits of a plain decimal.
  static constexpr int kMaxPlainDigits = 15;

  // Reads a plain decimal other than zero: an optional sign and 1 to
  // kMaxPlainDigits digits with at most one decimal point ("1207.15", "-9999",
  // "5.", ".5"), as the signed integer of its digits and the number of digits after
  // the point. Returns false for any other text, zeros included (their sign would
  // be lost in the integer).
  static bool ReadPlainDecimal(const char* text, std::size_t length, std::int64_t& digits, int& decimals);

  // The value of a plain decimal: its integer and the power of ten are exact in a
  // double, so the one division rounds correctly.
  static double PlainDecimalValue(std::int64_t digits, int decimals) {
    return static_cast<double>(digits) / kPlainPowers[decimals];
  }

 private:
  static constexpr double kPlainPowers[kMaxPlainDigits + 1] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                               1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
};

inline bool TNumberText::ReadPlainDecimal(const char* text, std::size_t length, std::int64_t& digits, int& decimals) {
  const char* p = text;
  const char* const end = text + length;
  const bool negative = p < end && *p == '-';
  if (p < end && (*p == '-' || *p == '+')) ++p;
  std::int64_t integer = 0;
  int count = 0;
  int after = 0;
  bool point = false;
  for (; p < end; ++p) {
    const unsigned digit = static_cast<unsigned char>(*p) - static_cast<unsigned>('0');
    if (digit < 10) {
      integer = integer * 10 + digit;
      ++count;
      after += point;
      if (count > kMaxPlainDigits) return false;
    } else if (*p == '.' && !point) {
      point = true;
    } else {
      return false;
    }
  }
  if (integer == 0) return false;
  digits = negative ? -integer : integer;
  decimals = after;
  return true;
}
