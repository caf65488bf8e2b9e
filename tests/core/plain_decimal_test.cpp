#include "plain_decimal.h"

#include <charconv>
#include <clocale>
#include <cmath>
#include <vector>
#include <cstdlib>
#include <limits>
#include <string>

#include "same_bits.h"
#include "tax_state.h"

namespace zorvan {
namespace {

using test::SameBits;

struct FormatCase {
  double value;
  const char* text;
  friend void PrintTo(const FormatCase& c, std::ostream* os) { *os << c.text; }
};

class FormatTable : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatTable, WritesTheKeptTextOrE) {
  const FormatCase& c = GetParam();
  char text[kPlainDecimalBufferSize];
  FormatPlainDecimal(c.value, text);
  EXPECT_STREQ(c.text, text);
  // The fast path must agree with writing the text and reading it back.
  EXPECT_TRUE(SameBits(ReadPlainDecimal(text), PlainDecimalValue(c.value))) << c.text;
}

constexpr double kInf = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Texts, FormatTable,
    ::testing::Values(
        FormatCase{1050, "1050"}, FormatCase{-952.380952380952, "-952.380952380952"},
        FormatCase{123456789012345, "123456789012345"},
        FormatCase{1.23456789012345, "1.23456789012345"}, FormatCase{1e15, "E"},
        FormatCase{1.05e15, "E"}, FormatCase{0.123456789012345, "E"},
        FormatCase{0.0, "0"}, FormatCase{0.5, "0.5"}, FormatCase{-0.25, "-0.25"},
        FormatCase{0.0001, "0.0001"}, FormatCase{0.00001, "E"},
        FormatCase{0.00012345678901, "0.00012345678901"},
        FormatCase{0.000123456789012, "E"},
        // Rounded to 15 significant digits before anything else.
        FormatCase{952.3809523809523, "952.380952380952"},
        FormatCase{1799.9999999999998, "1800"}, FormatCase{0.30000000000000004, "0.3"},
        FormatCase{999999999999999.9, "E"}, FormatCase{100, "100"},
        FormatCase{12345678901234.5, "12345678901234.5"},
        FormatCase{kInf, "E"}, FormatCase{-kInf, "E"},
        FormatCase{std::numeric_limits<double>::quiet_NaN(), "NaN"},
        FormatCase{std::numeric_limits<double>::max(), "E"},
        FormatCase{std::numeric_limits<double>::denorm_min(), "E"}));

TEST(PlainDecimal, ReadsENaNAndPlainTexts) {
  EXPECT_TRUE(SameBits(0.0, ReadPlainDecimal("E")));
  EXPECT_TRUE(SameBits(std::numeric_limits<double>::quiet_NaN(), ReadPlainDecimal("NaN")));
  EXPECT_TRUE(SameBits(952.380952380952, ReadPlainDecimal("952.380952380952")));
  EXPECT_TRUE(SameBits(-0.0, ReadPlainDecimal("-0")));
}

// Texts and read-back must not follow the process locale. Under a
// decimal-comma locale the C library's own conversions change; ours do not.
TEST(PlainDecimal, IgnoresADecimalCommaLocale) {
  // "" takes the environment's locale (the Windows run sets a German one).
  const char* const names[] = {"de_DE.UTF-8", "de_DE.utf8", "German_Germany.1252", ""};
  bool commaLocale = false;
  for (const char* name : names) {
    if (std::setlocale(LC_ALL, name) != nullptr && std::atof("0,5") == 0.5) {
      commaLocale = true;
      break;
    }
  }
  if (!commaLocale) {
    std::setlocale(LC_ALL, "C");
    GTEST_SKIP() << "no decimal-comma locale on this system";
  }
  char text[kPlainDecimalBufferSize];
  FormatPlainDecimal(952.3809523809523, text);
  EXPECT_STREQ("952.380952380952", text);
  EXPECT_TRUE(SameBits(952.380952380952, ReadPlainDecimal(text)));
  EXPECT_TRUE(SameBits(952.380952380952, PlainDecimalValue(952.3809523809523)));
  TaxState s;
  ASSERT_EQ(kStatusOk, s.PutValue(1000));
  ASSERT_EQ(kStatusOk, s.PutTaxRate(5));
  ASSERT_EQ(kStatusOk, s.PutTaxType(tvPreTax));
  s.TaxCalc();
  EXPECT_TRUE(SameBits(47.61904761904805, s.GetTax()));
  std::setlocale(LC_ALL, "C");
}

}  // namespace
}  // namespace zorvan

namespace zorvan {
namespace {

// An independent way to the same text: the correctly rounded 15-digit
// scientific text from the standard library, rewritten by the rules.
std::string ReferenceText(double value) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return "E";
  char sci[64];
  auto end = std::to_chars(sci, sci + sizeof sci, value, std::chars_format::scientific, 14).ptr;
  std::string s(sci, end);
  const bool negative = s[0] == '-';
  if (negative) s.erase(0, 1);
  const std::size_t e = s.find('e');
  const int exponent = std::stoi(s.substr(e + 1));
  std::string digits = s.substr(0, 1) + s.substr(2, e - 2);
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  if (value == 0.0) return negative ? "-0" : "0";
  if (exponent < -4 || exponent >= 15) return "E";
  std::string text;
  if (exponent >= 0) {
    std::string whole = digits.substr(0, std::min<std::size_t>(digits.size(), exponent + 1));
    whole.resize(exponent + 1, '0');
    text = whole;
    if (digits.size() > static_cast<std::size_t>(exponent + 1)) text += "." + digits.substr(exponent + 1);
  } else {
    text = "0." + std::string(-exponent - 1, '0') + digits;
  }
  if (text.size() - (text.find('.') != std::string::npos ? 1 : 0) > 15) return "E";
  return (negative ? "-" : "") + text;
}

TEST(PlainDecimal, AgreesWithTheLibrarysCorrectlyRoundedTextEverywhere) {
  std::uint64_t seed = 0x243F6A8885A308D3u;
  auto next = [&seed]() {
    seed ^= seed << 13;
    seed ^= seed >> 7;
    seed ^= seed << 17;
    return seed;
  };
  std::vector<double> values;
  for (int i = 0; i < 200000; ++i) {
    // Uniform over the binary exponents that matter, any mantissa.
    const double unit = static_cast<double>(next() >> 11) / 9007199254740992.0;
    const int exponent = static_cast<int>(next() % 72) - 22;  // 2^-22 .. 2^50
    double v = std::ldexp(1.0 + unit, exponent);
    if (next() & 1) v = -v;
    values.push_back(v);
  }
  // Exact decimal ties at the 16th digit, and values around powers of ten.
  for (int j = 0; j < 2000; ++j) {
    values.push_back(static_cast<double>(100000000000000 + j * 7919) + 0.5);
    values.push_back(static_cast<double>(10000000000000 + j * 7919) + 0.25);
  }
  for (int p = -6; p <= 15; ++p) {
    const double ten = std::pow(10.0, p);
    for (double v : {ten, std::nextafter(ten, 0.0), std::nextafter(ten, 1e300)})
      values.push_back(v);
  }
  int mismatches = 0;
  for (double v : values) {
    char text[kPlainDecimalBufferSize];
    FormatPlainDecimal(v, text);
    const std::string expected = ReferenceText(v);
    if (expected != text || !SameBits(ReadPlainDecimal(text), PlainDecimalValue(v))) {
      if (++mismatches <= 10)
        ADD_FAILURE() << std::hexfloat << v << ": expected " << expected << ", got " << text;
    }
  }
  EXPECT_EQ(0, mismatches);
}

}  // namespace
}  // namespace zorvan
