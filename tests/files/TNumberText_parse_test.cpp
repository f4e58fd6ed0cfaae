#include <charconv>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>

#include "TNumberText.h"
#include "TestSupport.h"

namespace {
TEST(ParseDecimal, PlainDecimalsReadAsTheExactConversionReadsThem) {
  // Random digits with the point anywhere, up to the longest plain decimal, and
  // one digit more, which takes the general path.
  std::mt19937_64 random(777);
  for (int i = 0; i < 50000; ++i) {
    const int count = 1 + static_cast<int>(random() % (TNumberText::kMaxPlainDigits + 1));
    std::string text = random() % 2 ? "-" : "";
    const int point = static_cast<int>(random() % (count + 1));
    for (int d = 0; d < count; ++d) {
      if (d == point) text += '.';
      text += static_cast<char>('0' + random() % 10);
    }
    double exact = 0;
    const char* begin = text.data() + (text[0] == '-' ? 1 : 0);
    std::from_chars(begin, text.data() + text.size(), exact);
    if (text[0] == '-') exact = -exact;
    double value = 1;
    ASSERT_TRUE(TNumberText::ParseDecimal(text.data(), text.size(), value)) << text;
    ASSERT_EQ(value, exact) << text;
    ASSERT_EQ(std::signbit(value), std::signbit(exact)) << text;
  }
}

TEST(ParseDecimal, TakesExactlyTheDecimalShape) {
  // Forms near the edges of the shape; the 17-digit ones take the general path.
  struct Case {
    const char* text;
    bool number;
    double value;
  };
  const Case cases[] = {
      {"-123.45678901234567", true, -123.45678901234567},
      {"+9.8765432109876543e-5", true, 9.8765432109876543e-5},
      {"5.e3", true, 5e3},
      {"-.5E-3", true, -.5e-3},
      {"000123456789012345678", true, 123456789012345678.0},
      {"1e-400", true, 0},
      {"-1e-400", true, -0.0},
      {"1e-400x", false, 0},
      {"1e400", false, 0},
      {"1e5.5", false, 0},
      {"1e+", false, 0},
      {".e5", false, 0},
      {"+-1", false, 0},
      {"-+1", false, 0},
      {"-", false, 0},
      {"infinity", false, 0},
      {"-inf", false, 0},
      {"NaN", false, 0},
      {"nan(0x1)", false, 0},
      {"0x1p3", false, 0},
      {"1.2345678901234567 ", false, 0},
      {"", false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    double value = 1;
    ASSERT_EQ(TNumberText::ParseDecimal(c.text, std::string(c.text).size(), value), c.number);
    if (!c.number) continue;
    EXPECT_EQ(value, c.value);
    EXPECT_EQ(std::signbit(value), std::signbit(c.value));
  }
}

TEST(ReadPlainDecimal, LeavesZerosAndOtherFormsToTheGeneralPath) {
  struct Case {
    const char* text;
    bool plain;
    std::int64_t digits;
    int decimals;
  };
  const Case cases[] = {
      {"-9999", true, -9999, 0}, {"+.5", true, 5, 1},   {"5.", true, 5, 0},     {"0001.50", true, 150, 2},
      {"0", false, 0, 0},        {"-0.0", false, 0, 0}, {"1e5", false, 0, 0},   {"1.5.3", false, 0, 0},
      {"", false, 0, 0},         {".", false, 0, 0},    {"-", false, 0, 0},     {"1234567890123456", false, 0, 0},
      {"1,5", false, 0, 0},      {"--1", false, 0, 0},  {"12abc", false, 0, 0}, {"nan", false, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    std::int64_t digits = 0;
    int decimals = 0;
    ASSERT_EQ(TNumberText::ReadPlainDecimal(c.text, std::string(c.text).size(), digits, decimals), c.plain);
    if (!c.plain) continue;
    EXPECT_EQ(digits, c.digits);
    EXPECT_EQ(decimals, c.decimals);
  }
}
}  // namespace
