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
TEST(FormatGeneral, ValuesSaidToShareATextAreWrittenAsIt) {
  // Around each value, and around the edges of its digit (d +- 1/2 units, and
  // the power of ten below which the exponent drops), every neighbour the range
  // holds must be written as the same text.
  std::mt19937_64 random(2026);
  int held = 0;
  for (int i = 0; i < 20000; ++i) {
    const double decimal = static_cast<double>(static_cast<std::int64_t>(random() % 2000001) - 1000000) /
                           std::pow(10.0, static_cast<double>(random() % 9));
    const double value = i % 3 == 0 ? decimal : i % 3 == 1 ? decimal * (1 + 1e-7) : std::ldexp(decimal, -40);
    for (int precision : {6, 3}) {
      char text[TNumberText::kBufferSize];
      TNumberText::TSameText same;
      const std::string written(text, TNumberText::FormatGeneral(value, precision, text, same));
      ASSERT_EQ(written, Exact(value, precision));
      if (same.low > same.high) continue;
      held += same.Holds(std::fabs(value));
      const double edges[] = {same.low, same.high, std::fabs(value)};
      for (double edge : edges) {
        double probe = edge;
        for (int step = 0; step < 4; ++step) {
          for (double candidate : {probe, std::nextafter(probe, 0.0), std::nextafter(probe, 1e308)}) {
            if (!same.Holds(candidate)) continue;
            const double signed_ = std::signbit(value) ? -candidate : candidate;
            ASSERT_EQ(Exact(signed_, precision), written) << "near " << Exact(value, 17);
          }
          probe = std::nextafter(probe, step % 2 == 0 ? 0.0 : 1e308);
        }
      }
    }
  }
  // Most values get a range that holds them (a power of ten itself is left out).
  EXPECT_GT(held, 30000);
}
}  // namespace
