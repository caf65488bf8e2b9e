#include "rounding.h"

#include <limits>

#include "same_bits.h"

namespace zorvan {
namespace {

using test::SameBits;

enum class Kind { Half, Up, Down };

struct RoundCase {
  Kind kind;
  double value;
  std::int16_t digit;
  double expected;
  friend void PrintTo(const RoundCase& c, std::ostream* os) {
    static const char* const names[] = {"RoundHalf", "RoundUp", "RoundDown"};
    *os << names[static_cast<int>(c.kind)] << "(" << c.value << "," << c.digit << ")";
  }
};

double Apply(Kind kind, double value, std::int16_t digit) {
  switch (kind) {
    case Kind::Half: return RoundHalf(value, digit);
    case Kind::Up: return RoundUp(value, digit);
    case Kind::Down: return RoundDown(value, digit);
  }
  return 0.0;
}

class RoundingTable : public ::testing::TestWithParam<RoundCase> {};

TEST_P(RoundingTable, GivesTheExactDouble) {
  const RoundCase& c = GetParam();
  EXPECT_TRUE(SameBits(c.expected, Apply(c.kind, c.value, c.digit)))
      << "value " << c.value << " digit " << c.digit;
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(
    Documented, RoundingTable,
    ::testing::Values(
        RoundCase{Kind::Half, 2.5, -1, 3}, RoundCase{Kind::Half, -2.5, -1, -3},
        RoundCase{Kind::Half, 2.4999999999, -1, 3}, RoundCase{Kind::Half, 2.4999999998, -1, 2},
        RoundCase{Kind::Half, 1.005, -3, 1.01}, RoundCase{Kind::Half, 2.675, -3, 2.68},
        RoundCase{Kind::Half, -0.285, -3, -0.29}, RoundCase{Kind::Half, 1234.5, 1, 1230},
        RoundCase{Kind::Half, 1234.5, 2, 1200}, RoundCase{Kind::Half, -15, 1, -20},
        RoundCase{Kind::Half, 4.9999999999, 1, 10}, RoundCase{Kind::Half, 12345.678, 3, 12000},
        RoundCase{Kind::Half, 0.123456789012345678, -16, 0.123456789012346},
        RoundCase{Kind::Half, 2.5, 0, 2.5}, RoundCase{Kind::Up, 1.01, -1, 2},
        RoundCase{Kind::Up, 1.00000000001, -1, 1}, RoundCase{Kind::Up, 1.00000000001, -2, 1.1},
        RoundCase{Kind::Up, 121, 1, 130}, RoundCase{Kind::Up, 120, 1, 120},
        RoundCase{Kind::Up, -121, 1, -130}, RoundCase{Kind::Up, -1.0000000002, -1, -2},
        RoundCase{Kind::Down, 1.99, -1, 1}, RoundCase{Kind::Down, -1.99, -2, -1.9},
        RoundCase{Kind::Down, 129, 1, 120}, RoundCase{Kind::Down, -129, 2, -100},
        RoundCase{Kind::Down, 0.29, -3, 0.28}, RoundCase{Kind::Half, kNaN, 2, kNaN},
        RoundCase{Kind::Up, kNaN, 2, kNaN}, RoundCase{Kind::Down, kNaN, 2, kNaN}));

INSTANTIATE_TEST_SUITE_P(
    EdgeValues, RoundingTable,
    ::testing::Values(
        // NaN at negative digits, and at the read digit.
        RoundCase{Kind::Half, kNaN, -15, kNaN}, RoundCase{Kind::Down, kNaN, -2, kNaN},
        // A negative zero is signed positive: the bias goes up, then the
        // integer part (-0.0) is added to +0.0.
        RoundCase{Kind::Half, -0.0, -3, 0.0}, RoundCase{Kind::Half, -0.0, 0, -0.0},
        RoundCase{Kind::Down, -0.0, 2, -0.0},
        // The read rounding at digit -15.
        RoundCase{Kind::Half, 0.30000000000000004, -15, 0.3},
        RoundCase{Kind::Half, 1.0 / 3.0, -15, 0.33333333333333},
        RoundCase{Kind::Half, 2.0 / 3.0, -15, 0.66666666666667},
        RoundCase{Kind::Half, 5e-15, -15, 1e-14}, RoundCase{Kind::Half, 4.9e-15, -15, 0},
        RoundCase{Kind::Half, 1799.9999999999998, -15, 1799.9999999999998},
        // Large values keep their integer part for negative digits.
        RoundCase{Kind::Half, 1e15, -3, 1e15}, RoundCase{Kind::Down, -999999999999999.9, -1, -999999999999999},
        // The highest digit: the up bias drops a remainder below 1e-10 of a
        // unit (1234.5 is 1.2345e-12 units of 10^15) and rounds a larger one up.
        RoundCase{Kind::Half, 1234.5, 15, 0}, RoundCase{Kind::Up, 1234.5, 15, 0},
        RoundCase{Kind::Up, 123456.5, 15, 1e15},
        // Infinities keep their sign through the split.
        RoundCase{Kind::Half, std::numeric_limits<double>::infinity(), -3,
                  std::numeric_limits<double>::infinity()},
        RoundCase{Kind::Down, -std::numeric_limits<double>::infinity(), -3,
                  -std::numeric_limits<double>::infinity()}));

TEST(Rounding, HalfAndUpAreSymmetricAboutZero) {
  const double values[] = {0.5, 1.25, 2.675, 1234.5, 0.000123456, 999999.99999};
  for (std::int16_t digit = -16; digit <= 15; ++digit) {
    for (double v : values) {
      EXPECT_TRUE(SameBits(-RoundHalf(v, digit), RoundHalf(-v, digit))) << v << " at " << digit;
      EXPECT_TRUE(SameBits(-RoundUp(v, digit), RoundUp(-v, digit))) << v << " at " << digit;
      EXPECT_TRUE(SameBits(-RoundDown(v, digit), RoundDown(-v, digit))) << v << " at " << digit;
    }
  }
}

}  // namespace
}  // namespace zorvan
