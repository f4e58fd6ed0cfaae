#pragma once

#include <cstddef>

// The one place where numbers become text and text becomes numbers. No message is
// thrown here: a failure to read shows in the return value.
class TNumberText {
 public:
  // Enough room for any text these functions write.
  static constexpr std::size_t kBufferSize = 64;

  // printf's %.<precision>g in the C locale, written to `out`, which must hold
  // kBufferSize characters; returns the number written (no terminating NUL).
  static std::size_t FormatGeneral(double value, int precision, char* out);

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
};
