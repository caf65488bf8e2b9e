// Rounding of a double at a signed decimal digit position.
//
// digit 0 returns the value unchanged; digit d > 0 rounds to a whole multiple
// of 10^d; digit d < 0 keeps (-d - 1) decimal places (-1 is whole units).
// Every step is a single IEEE double operation rounded to nearest; the build
// forbids x87 intermediates and contraction into fused multiply-add, because
// callers see these results to the last bit.
#pragma once
#include <cstdint>

namespace zorvan {

// To the nearest; a remainder of 0.4999999999 or more rounds away from zero.
double RoundHalf(double value, std::int16_t digit);
// Away from zero; a remainder below 1e-10 of a unit is dropped.
double RoundUp(double value, std::int16_t digit);
// Toward zero, with no tolerance.
double RoundDown(double value, std::int16_t digit);

}  // namespace zorvan
