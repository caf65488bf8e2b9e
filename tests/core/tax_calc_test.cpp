#include <limits>

#include "same_bits.h"
#include "tax_state.h"

namespace zorvan {
namespace {

using test::SameBits;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct CalcCase {
  double value;
  double taxRate;
  std::int32_t rateType;
  std::int32_t taxType;
  std::int32_t roundType;
  std::int16_t roundDigit;
  double price;
  double total;
  double tax;
  friend void PrintTo(const CalcCase& c, std::ostream* os) {
    *os << "Value " << c.value << " rate " << c.taxRate << "/" << c.rateType << " tax "
        << c.taxType << " round " << c.roundType << "@" << c.roundDigit;
  }
};

TaxState Computed(const CalcCase& c) {
  TaxState s;
  EXPECT_EQ(kStatusOk, s.PutValue(c.value));
  EXPECT_EQ(kStatusOk, s.PutTaxRate(c.taxRate));
  EXPECT_EQ(kStatusOk, s.PutRateType(c.rateType));
  EXPECT_EQ(kStatusOk, s.PutTaxType(c.taxType));
  EXPECT_EQ(kStatusOk, s.PutRoundType(c.roundType));
  EXPECT_EQ(kStatusOk, s.PutRoundDigit(c.roundDigit));
  s.TaxCalc();
  return s;
}

class TaxCalcTable : public ::testing::TestWithParam<CalcCase> {};

TEST_P(TaxCalcTable, StoresTheExactResults) {
  const CalcCase& c = GetParam();
  TaxState s = Computed(c);
  EXPECT_TRUE(SameBits(c.price, s.GetPrice())) << "Price";
  EXPECT_TRUE(SameBits(c.total, s.GetTotal())) << "Total";
  EXPECT_TRUE(SameBits(c.tax, s.GetTax())) << "Tax";
  // A second run with the same inputs stores the same results.
  s.TaxCalc();
  EXPECT_TRUE(SameBits(c.price, s.GetPrice()));
  EXPECT_TRUE(SameBits(c.total, s.GetTotal()));
  EXPECT_TRUE(SameBits(c.tax, s.GetTax()));
}

// Rate 5 per cent unless a row says otherwise.
CalcCase Pct(double value, std::int32_t taxType, std::int32_t roundType, std::int16_t digit,
             double price, double total, double tax) {
  return {value, 5, tvRatePercentage, taxType, roundType, digit, price, total, tax};
}

INSTANTIATE_TEST_SUITE_P(
    Documented, TaxCalcTable,
    ::testing::Values(
        Pct(1000, tvAfterTax, tvRoundNone, 0, 1000, 1050, 50),
        Pct(1050, tvPreTax, tvRoundNone, 0, 1000, 1050, 50),
        Pct(1000, tvPreTax, tvRoundNone, 0, 952.3809523809523, 1000, 47.61904761904805),
        Pct(1000, tvPreTax, tvRound, 0, 952, 1000, 48),
        Pct(1000, tvPreTax, tvRound, 1, 950, 1000, 50),
        Pct(1000, tvPreTax, tvRound, -1, 952.4, 1000, 47.6),
        Pct(1000, tvPreTax, tvRound, -2, 952.38, 1000, 47.62),
        Pct(1000, tvPreTax, tvRoundUp, 0, 953, 1000, 48),
        Pct(1000, tvPreTax, tvRoundUp, 1, 960, 1000, 50),
        Pct(1000, tvPreTax, tvRoundUp, -1, 952.4, 1000, 47.7),
        Pct(1000, tvPreTax, tvRoundUp, -2, 952.39, 1000, 47.62),
        Pct(1000, tvPreTax, tvRoundDown, 0, 952, 1000, 47),
        Pct(1000, tvPreTax, tvRoundDown, 1, 950, 1000, 40),
        Pct(1000, tvPreTax, tvRoundDown, -1, 952.3, 1000, 47.6),
        Pct(1000, tvPreTax, tvRoundDown, -2, 952.38, 1000, 47.61),
        Pct(-1000, tvPreTax, tvRoundUp, 0, -953, -1000, -48),
        Pct(-1000, tvPreTax, tvRoundDown, 1, -950, -1000, -40),
        CalcCase{1980, 10, tvRatePercentage, tvPreTax, tvRoundNone, 0, 1799.9999999999998, 1980, 180},
        CalcCase{1980, 10, tvRatePercentage, tvPreTax, tvRoundDown, 0, 1799, 1980, 180},
        Pct(1234.5, tvAfterTax, tvRound, 0, 1235, 1296, 62),
        Pct(1234.5, tvAfterTax, tvRound, -1, 1234.5, 1296.2, 61.7),
        Pct(1234.5, tvAfterTax, tvRoundDown, 0, 1234, 1296, 61),
        Pct(1234.5, tvAfterTax, tvRoundUp, 2, 1300, 1300, 100),
        Pct(1234.5, tvAfterTax, tvRound, 15, 0, 0, 0),
        CalcCase{200, 0.08, tvRateNormal, tvAfterTax, tvRoundNone, 0, 200, 216, 16},
        CalcCase{1000, 0, tvRatePercentage, tvAfterTax, tvRoundNone, 0, 1000, 1000, 0},
        Pct(1e15, tvAfterTax, tvRoundNone, 0, 1e15, 1.05e15, 0),
        Pct(960000000000000, tvAfterTax, tvRoundNone, 0, 960000000000000, 1008000000000000,
            -960000000000000),
        Pct(-1e15, tvPreTax, tvRoundNone, 0, -952380952380952.4, -1e15, 952380952380952)));

INSTANTIATE_TEST_SUITE_P(
    EdgeInputs, TaxCalcTable,
    ::testing::Values(
        // NaN in, NaN out, for every rounding kind.
        Pct(kNaN, tvAfterTax, tvRoundNone, 0, kNaN, kNaN, kNaN),
        Pct(kNaN, tvPreTax, tvRound, -2, kNaN, kNaN, kNaN),
        Pct(kNaN, tvAfterTax, tvRoundDown, 3, kNaN, kNaN, kNaN),
        // The read rounding of a stored result.
        CalcCase{0.30000000000000004, 0, tvRatePercentage, tvAfterTax, tvRoundNone, 0, 0.3, 0.3, 0},
        // Amounts below 0.0001 are written in exponent notation: read as 0.
        CalcCase{0.00001, 5, tvRatePercentage, tvAfterTax, tvRoundNone, 0, 0.00001, 0.0000105, 0},
        CalcCase{0.0001, 0, tvRatePercentage, tvAfterTax, tvRoundNone, 0, 0.0001, 0.0001, 0},
        // The largest rate and the extreme digits.
        CalcCase{1, 32767, tvRatePercentage, tvAfterTax, tvRoundNone, 0, 1, 328.67, 327.67}));

TEST(TaxCalc, ResultAfterARejectedWriteUsesTheOldInput) {
  TaxState s;
  ASSERT_EQ(kStatusOk, s.PutValue(1000));
  ASSERT_EQ(kStatusOk, s.PutTaxRate(5));
  ASSERT_EQ(kInvalidPropertyValue, s.PutValue(2e15));
  ASSERT_EQ(kInvalidPropertyValue, s.PutTaxRate(-5));
  s.TaxCalc();
  EXPECT_TRUE(SameBits(1050, s.GetTotal()));
}

}  // namespace
}  // namespace zorvan
