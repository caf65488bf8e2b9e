// The tax computation. Price and Total are computed in double precision;
// Tax is the difference of the two amounts taken as 15-digit decimals, so
// that 1000 - 952.380952380952 gives the tax a person would write down.
#include "plain_decimal.h"
#include "rounding.h"
#include "tax_state.h"

namespace zorvan {
namespace {

constexpr double kPercent = 0.01;  // 0x3F847AE147AE147B: a multiplication, not / 100
constexpr double kOne = 1.0;
constexpr std::int16_t kTrimDigit = -15;

// RoundDigit 0 means whole units, which is rounding digit -1; negative
// digits shift by one, positive ones stay.
std::int16_t RoundingDigit(std::int16_t roundDigit) {
  if (roundDigit < 0) return static_cast<std::int16_t>(roundDigit - 1);
  if (roundDigit == 0) return -1;
  return roundDigit;
}

}  // namespace

void TaxState::TaxCalc() {
  const double rate = rateType_ == tvRatePercentage ? taxRate_ * kPercent : taxRate_;
  const double factor = rate + kOne;

  double price = 0.0;
  double total = 0.0;
  if (taxType_ == tvPreTax) {
    total = value_;
    price = value_ / factor;
  } else {
    price = value_;
    total = value_ * factor;
  }

  const double trimmedTotal = RoundHalf(total, kTrimDigit);
  const double trimmedPrice = RoundHalf(price, kTrimDigit);
  double tax = PlainDecimalValue(trimmedTotal) - PlainDecimalValue(trimmedPrice);

  const std::int16_t digit = RoundingDigit(roundDigit_);
  double (*round)(double, std::int16_t) = nullptr;
  switch (roundType_) {
    case tvRound: round = RoundHalf; break;
    case tvRoundUp: round = RoundUp; break;
    case tvRoundDown: round = RoundDown; break;
    default: break;
  }
  if (round != nullptr) {
    price = round(price, digit);
    total = round(total, digit);
    tax = round(tax, digit);
  }

  total_ = total;
  price_ = price;
  tax_ = tax;
}

}  // namespace zorvan
