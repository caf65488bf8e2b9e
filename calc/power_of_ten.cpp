#include "power_of_ten.h"

#include <charconv>
#include <cstdio>
#include <limits>

namespace zorvan {
namespace {

constexpr double kExactPowers[] = {
    1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
    1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22,
};
constexpr std::int32_t kExactCount = sizeof kExactPowers / sizeof kExactPowers[0];

}  // namespace

double PowerOfTen(std::int32_t exponent) {
  if (exponent >= 0 && exponent < kExactCount) return kExactPowers[exponent];
  if (exponent > 308) return std::numeric_limits<double>::infinity();
  if (exponent < -400) return 0.0;
  char text[16] = "1e";
  auto [end, ec] = std::to_chars(text + 2, text + sizeof text, exponent);
  (void)ec;  // an int32 always fits in the buffer
  double result = 0.0;
  std::from_chars(text, end, result);
  return result;
}

}  // namespace zorvan
