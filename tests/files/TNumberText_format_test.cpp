#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "TNumberText.h"
#include "TestSupport.h"

namespace {
// What the exact conversion writes: printf's %.<precision>g.
std::string Exact(double value, int precision) {
  char text[TNumberText::kBufferSize];
  const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::general, precision).ptr;
  return std::string(text, end);
}

std::string General(double value, int precision) {
  char text[TNumberText::kBufferSize];
  return std::string(text, TNumberText::FormatGeneral(value, precision, text));
}

TEST(FormatGeneral, WritesPrintfGeneralNotation) {
  struct Case {
    double value;
    const char* text;
  };
  const Case cases[] = {
      {-9999, "-9999"},
      {2.5, "2.5"},
      {1234567, "1.23457e+06"},
      {0.000012, "1.2e-05"},
      {100000, "100000"},
      {999999.5, "1e+06"},
      {0.0001, "0.0001"},
      {0.00009999996, "0.0001"},
      {1e100, "1e+100"},
      {-0.0, "-0"},
      {0.0, "0"},
      {1207.15, "1207.15"},
      {123456.5, "123456"},
      {123457.5, "123458"},
      {5e-324, "4.94066e-324"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(General(c.value, 6), c.text);
  }
}

TEST(FormatGeneral, AgreesWithTheExactConversionEverywhere) {
  // Random bit patterns cover every exponent; values of a few decimals cover the
  // ties and near-ties that short decimal input produces.
  std::mt19937_64 random(12345);
  for (int i = 0; i < 30000; ++i) {
    const std::uint64_t bits = random();
    double anyValue;
    std::memcpy(&anyValue, &bits, sizeof anyValue);
    const double decimal = static_cast<double>(static_cast<std::int64_t>(random() % 20000001) - 10000000) /
                           std::pow(10.0, static_cast<double>(random() % 12));
    for (double value : {anyValue, decimal, std::nextafter(decimal, 0.0), std::nextafter(decimal, 1e300)}) {
      for (int precision : {1, 6, 9}) {
        if (General(value, precision) != Exact(value, precision)) {
          ADD_FAILURE() << "precision " << precision << ", value " << Exact(value, 17);
          return;
        }
      }
    }
  }
}
}  // namespace
