#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "TNumberText.h"
#include "TestSupport.h"

namespace {
// The definition, through the C library: %.6g if that reads back, else %.7g, ...
std::string ReferenceRoundTrip(double value) {
  char text[TNumberText::kBufferSize];
  for (int digits = 6; digits <= 17; ++digits) {
    std::snprintf(text, sizeof text, "%.*g", digits, value);
    if (std::strtod(text, nullptr) == value) break;
  }
  return text;
}

std::string RoundTrip(double value) {
  char text[TNumberText::kBufferSize];
  return std::string(text, TNumberText::FormatRoundTrip(value, text));
}

TEST(TNumberTextRoundTrip, WritesTheFewestDigitsFromSixThatReadBack) {
  struct Case {
    double value;
    const char* text;
  };
  const Case cases[] = {
      {0.5, "0.5"},
      {1.0 / 120, "0.008333333333333333"},
      {123456.789, "123456.789"},
      {-9999, "-9999"},
      {100000, "100000"},
      {1e6, "1e+06"},
      {0.0001, "0.0001"},
      {4512345.5, "4512345.5"},
      {1.0 / 3, "0.3333333333333333"},
      {1523.456, "1523.456"},
      {0.1 + 0.2, "0.30000000000000004"},
      {-0.0, "-0"},
      {1e-310, "1e-310"},
      {std::numeric_limits<double>::denorm_min(), "4.94066e-324"},
      {std::numeric_limits<double>::max(), "1.7976931348623157e+308"},
      {std::numeric_limits<double>::infinity(), "inf"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(RoundTrip(c.value), c.text);
  }
}

TEST(TNumberTextRoundTrip, AgreesWithTheCLibraryOnValuesOfEveryLength) {
  // Values rounded to 1 to 17 significant digits, at magnitudes across the range,
  // plus raw random bit patterns.
  std::mt19937_64 random(20240611);
  std::uniform_real_distribution<double> mantissa(1, 10);
  std::uniform_int_distribution<int> exponent(-320, 308);
  std::vector<double> values;
  for (int digits = 1; digits <= 17; ++digits)
    for (int i = 0; i < 300; ++i) {
      char text[TNumberText::kBufferSize];
      std::snprintf(text, sizeof text, "%.*ge%d", digits, mantissa(random), exponent(random));
      values.push_back(std::strtod(text, nullptr));
    }
  for (int i = 0; i < 3000; ++i) {
    const std::uint64_t bits = random();
    double value;
    std::memcpy(&value, &bits, sizeof value);
    if (std::isfinite(value)) values.push_back(value);
  }
  long differing = 0;
  for (double value : values) {
    if (RoundTrip(value) == ReferenceRoundTrip(value)) continue;
    if (++differing <= 5) ADD_FAILURE() << ReferenceRoundTrip(value) << " written as " << RoundTrip(value);
  }
  EXPECT_EQ(differing, 0);
}
}  // namespace
