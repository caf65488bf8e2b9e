#include "tax_state.h"

#include <limits>

#include "same_bits.h"

namespace zorvan {
namespace {

using test::SameBits;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(TaxState, NewObjectHoldsTheInitialValues) {
  const TaxState s;
  EXPECT_TRUE(SameBits(0.0, s.GetValue()));
  EXPECT_TRUE(SameBits(0.0, s.GetTaxRate()));
  EXPECT_EQ(tvRatePercentage, s.GetRateType());
  EXPECT_EQ(tvAfterTax, s.GetTaxType());
  EXPECT_EQ(tvRoundNone, s.GetRoundType());
  EXPECT_EQ(0, s.GetRoundDigit());
  EXPECT_TRUE(SameBits(0.0, s.GetPrice()));
  EXPECT_TRUE(SameBits(0.0, s.GetTax()));
  EXPECT_TRUE(SameBits(0.0, s.GetTotal()));
}

struct DoubleWrite {
  const char* property;
  double value;
  bool accepted;
  friend void PrintTo(const DoubleWrite& c, std::ostream* os) {
    *os << c.property << "=" << c.value;
  }
};

class DoubleWrites : public ::testing::TestWithParam<DoubleWrite> {};

// Each write goes to an object that holds a known earlier value, so a
// rejected write must leave exactly that value behind.
TEST_P(DoubleWrites, AcceptOrRejectAndKeepTheOldValue) {
  const DoubleWrite& w = GetParam();
  TaxState s;
  const bool isValue = std::string(w.property) == "Value";
  auto put = isValue ? &TaxState::PutValue : &TaxState::PutTaxRate;
  auto get = isValue ? &TaxState::GetValue : &TaxState::GetTaxRate;
  ASSERT_EQ(kStatusOk, (s.*put)(7.25));
  const Status status = (s.*put)(w.value);
  if (w.accepted) {
    EXPECT_EQ(kStatusOk, status);
    EXPECT_TRUE(SameBits(w.value, (s.*get)()));
  } else {
    EXPECT_EQ(kInvalidPropertyValue, status);
    EXPECT_TRUE(SameBits(7.25, (s.*get)()));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, DoubleWrites,
    ::testing::Values(DoubleWrite{"Value", 1e15, true}, DoubleWrite{"Value", -1e15, true},
                      DoubleWrite{"Value", 1000000000000000.1, false},
                      DoubleWrite{"Value", -1000000000000000.1, false},
                      DoubleWrite{"Value", kInf, false}, DoubleWrite{"Value", -kInf, false},
                      DoubleWrite{"Value", kNaN, true}, DoubleWrite{"Value", -0.0, true},
                      DoubleWrite{"Value", 5e-324, true}, DoubleWrite{"TaxRate", 0.0, true},
                      DoubleWrite{"TaxRate", -0.0, true}, DoubleWrite{"TaxRate", 32767.0, true},
                      DoubleWrite{"TaxRate", 32767.000000000004, false},
                      DoubleWrite{"TaxRate", -5e-324, false}, DoubleWrite{"TaxRate", -1.0, false},
                      DoubleWrite{"TaxRate", kNaN, false}, DoubleWrite{"TaxRate", kInf, false}));

struct IntegerWrite {
  const char* property;
  std::int32_t value;
  bool accepted;
  friend void PrintTo(const IntegerWrite& c, std::ostream* os) {
    *os << c.property << "=" << c.value;
  }
};

class IntegerWrites : public ::testing::TestWithParam<IntegerWrite> {};

TEST_P(IntegerWrites, AcceptOrRejectAndKeepTheOldValue) {
  const IntegerWrite& w = GetParam();
  const std::string name = w.property;
  TaxState s;
  auto put = [&](std::int32_t v) {
    if (name == "RateType") return s.PutRateType(v);
    if (name == "TaxType") return s.PutTaxType(v);
    if (name == "RoundType") return s.PutRoundType(v);
    return s.PutRoundDigit(static_cast<std::int16_t>(v));
  };
  auto get = [&]() -> std::int32_t {
    if (name == "RateType") return s.GetRateType();
    if (name == "TaxType") return s.GetTaxType();
    if (name == "RoundType") return s.GetRoundType();
    return s.GetRoundDigit();
  };
  const std::int32_t before = get();
  const Status status = put(w.value);
  EXPECT_EQ(w.accepted ? kStatusOk : kInvalidPropertyValue, status);
  EXPECT_EQ(w.accepted ? w.value : before, get());
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, IntegerWrites,
    ::testing::Values(
        IntegerWrite{"RateType", 0, true}, IntegerWrite{"RateType", 1, true},
        IntegerWrite{"RateType", -1, false}, IntegerWrite{"RateType", 2, false},
        // 0x10000 would narrow to 0 in 16 bits: the check runs on 32 bits.
        IntegerWrite{"RateType", 0x10000, false}, IntegerWrite{"TaxType", 0, true},
        IntegerWrite{"TaxType", -1, false}, IntegerWrite{"TaxType", 2, false},
        IntegerWrite{"TaxType", 0x10001, false}, IntegerWrite{"RoundType", 3, true},
        IntegerWrite{"RoundType", 0, true}, IntegerWrite{"RoundType", -1, false},
        IntegerWrite{"RoundType", 4, false},
        IntegerWrite{"RoundType", std::numeric_limits<std::int32_t>::min(), false},
        IntegerWrite{"RoundDigit", -15, true}, IntegerWrite{"RoundDigit", 15, true},
        IntegerWrite{"RoundDigit", -16, false}, IntegerWrite{"RoundDigit", 16, false},
        IntegerWrite{"RoundDigit", -32768, false}));

TEST(TaxState, WritingAnInputLeavesTheResultsAlone) {
  TaxState s;
  ASSERT_EQ(kStatusOk, s.PutValue(1000));
  ASSERT_EQ(kStatusOk, s.PutTaxRate(5));
  s.TaxCalc();
  ASSERT_EQ(kStatusOk, s.PutValue(2000));
  ASSERT_EQ(kStatusOk, s.PutTaxType(tvPreTax));
  ASSERT_EQ(kStatusOk, s.PutRoundType(tvRound));
  EXPECT_TRUE(SameBits(1000, s.GetPrice()));
  EXPECT_TRUE(SameBits(50, s.GetTax()));
  EXPECT_TRUE(SameBits(1050, s.GetTotal()));
}

}  // namespace
}  // namespace zorvan
