// Bit-for-bit comparison of doubles for test expectations: 0.0 and -0.0
// differ, and any NaN matches any NaN.
#pragma once
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>

namespace zorvan::test {

inline std::uint64_t BitsOf(double v) {
  std::uint64_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  return bits;
}

inline ::testing::AssertionResult SameBits(double expected, double actual) {
  if (std::isnan(expected) && std::isnan(actual)) return ::testing::AssertionSuccess();
  if (BitsOf(expected) == BitsOf(actual)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << std::hexfloat << "expected " << expected << " (0x"
                                       << std::hex << BitsOf(expected) << "), got " << actual
                                       << " (0x" << BitsOf(actual) << ")";
}

}  // namespace zorvan::test
