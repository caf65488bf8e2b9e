#include "rounding.h"

#include <cmath>

#include "power_of_ten.h"

namespace zorvan {
namespace {

constexpr double kHalfBias = 0.5000000001;  // 0x3FE00000000DBE70
constexpr double kUpBias = 0.9999999999;    // 0x3FEFFFFFFFF24190
constexpr double kOne = 1.0;

// RoundHalf and RoundUp: the bias is applied with the value's sign (a NaN
// counts as negative, a negative zero as positive), so both are symmetric
// about zero.
double RoundBiased(double value, std::int16_t digit, double bias) {
  const double sign = (value < 0.0 || std::isnan(value)) ? -kOne : kOne;
  if (digit == 0) return value;
  const double signedBias = sign * bias;
  if (digit < 0) {
    // Only the fraction is scaled, so a large value loses nothing.
    const std::int32_t places = -static_cast<std::int32_t>(digit);
    const double scale = PowerOfTen(places - 1);
    double integral = 0.0;
    const double fraction = std::modf(value, &integral);
    const double scaled = fraction * scale;
    const double biased = scaled + signedBias;
    const double kept = std::trunc(biased);
    const double back = kept / scale;
    return back + integral;
  }
  const double scale = PowerOfTen(digit);
  const double scaled = value / scale;
  const double biased = scaled + signedBias;
  const double kept = std::trunc(biased);
  return kept * scale;
}

}  // namespace

double RoundHalf(double value, std::int16_t digit) {
  return RoundBiased(value, digit, kHalfBias);
}

double RoundUp(double value, std::int16_t digit) {
  return RoundBiased(value, digit, kUpBias);
}

double RoundDown(double value, std::int16_t digit) {
  if (digit == 0) return value;
  if (digit < 0) {
    const std::int32_t places = -static_cast<std::int32_t>(digit);
    const double scale = PowerOfTen(places - 1);
    double integral = 0.0;
    const double fraction = std::modf(value, &integral);
    const double kept = std::trunc(fraction * scale);
    const double back = kept / scale;
    return back + integral;
  }
  const double scale = PowerOfTen(digit);
  const double kept = std::trunc(value / scale);
  return kept * scale;
}

}  // namespace zorvan
