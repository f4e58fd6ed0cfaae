#pragma once

#include <cstddef>

// The one place where numbers become text and text becomes numbers.
class TNumberText {
 public:
  // Enough room for any text these functions write.
  static constexpr std::size_t kBufferSize = 64;

  // printf's %.<precision>g in the C locale; returns the number of characters
  // written to `out` (no terminating NUL).
  static std::size_t FormatGeneral(double value, int precision, char* out);

  // General notation with the fewest significant digits, six or more, that read
  // back to the same double (as %.6g where that reads back, else %.7g, ... %.17g).
  static std::size_t FormatRoundTrip(double value, char* out);

  // Reads a cell token that must be wholly one decimal number: an optional sign,
  // digits with an optional fraction (".5" and "5." included), an optional
  // exponent. An underflow reads as its nearest value (a signed zero or a
  // subnormal); overflow, "inf", "nan", hexadecimal and trailing characters are
  // refused. Returns false when the token is not such a number.
  static bool ParseDecimal(const char* text, std::size_t length, double& value);
};
