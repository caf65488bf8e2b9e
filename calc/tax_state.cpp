#include "tax_state.h"

#include "rounding.h"

namespace zorvan {
namespace {

constexpr double kValueLimit = 1e15;
constexpr double kTaxRateLimit = 32767.0;
constexpr std::int16_t kRoundDigitLimit = 15;
constexpr std::int16_t kReadDigit = -15;

}  // namespace

Status TaxState::PutValue(double v) {
  // Ordered comparisons: a NaN fails both tests and is stored; the
  // infinities are rejected.
  if (-kValueLimit > v) return kInvalidPropertyValue;
  if (v > kValueLimit) return kInvalidPropertyValue;
  value_ = v;
  return kStatusOk;
}

Status TaxState::PutTaxRate(double v) {
  if (!(v >= 0.0)) return kInvalidPropertyValue;  // negative or NaN
  if (v > kTaxRateLimit) return kInvalidPropertyValue;
  taxRate_ = v;
  return kStatusOk;
}

Status TaxState::PutRateType(std::int32_t v) {
  if (v < 0 || v > 1) return kInvalidPropertyValue;
  rateType_ = static_cast<std::int16_t>(v);
  return kStatusOk;
}

Status TaxState::PutTaxType(std::int32_t v) {
  if (v < 0 || v > 1) return kInvalidPropertyValue;
  taxType_ = static_cast<std::int16_t>(v);
  return kStatusOk;
}

Status TaxState::PutRoundType(std::int32_t v) {
  if (v < 0 || v > 3) return kInvalidPropertyValue;
  roundType_ = static_cast<std::int16_t>(v);
  return kStatusOk;
}

Status TaxState::PutRoundDigit(std::int16_t v) {
  if (v < -kRoundDigitLimit || v > kRoundDigitLimit) return kInvalidPropertyValue;
  roundDigit_ = v;
  return kStatusOk;
}

double TaxState::GetPrice() const { return RoundHalf(price_, kReadDigit); }
double TaxState::GetTax() const { return RoundHalf(tax_, kReadDigit); }
double TaxState::GetTotal() const { return RoundHalf(total_, kReadDigit); }

}  // namespace zorvan
