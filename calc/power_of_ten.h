// Exact powers of ten. Every 10^k for 0 <= k <= 22 is representable in a
// double, so the table holds the exact values; larger exponents fall back to
// a correctly rounded conversion of the decimal text "1e<k>".
#pragma once
#include <cstdint>

namespace zorvan {

double PowerOfTen(std::int32_t exponent);

}  // namespace zorvan
