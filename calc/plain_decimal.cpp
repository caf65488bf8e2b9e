#include "plain_decimal.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "power_of_ten.h"

namespace zorvan {
namespace {

constexpr int kSignificantDigits = 15;
constexpr int kLowestPlainExponent = -4;
constexpr int kHighestPlainExponent = 14;

constexpr std::uint64_t kPow10[] = {
    1ull, 10ull, 100ull, 1000ull, 10000ull, 100000ull, 1000000ull, 10000000ull,
    100000000ull, 1000000000ull, 10000000000ull, 100000000000ull, 1000000000000ull,
    10000000000000ull, 100000000000000ull, 1000000000000000ull, 10000000000000000ull,
    100000000000000000ull, 1000000000000000000ull, 10000000000000000000ull,
};
constexpr std::uint64_t kMantissaLow = kPow10[kSignificantDigits - 1];  // 10^14
constexpr std::uint64_t kMantissaHigh = kPow10[kSignificantDigits];     // 10^15

struct U128 {
  std::uint64_t hi;
  std::uint64_t lo;
};

// 64 x 64 -> 128-bit product from 32-bit pieces (no __int128 on 32-bit targets).
U128 Multiply(std::uint64_t a, std::uint64_t b) {
  const std::uint64_t a0 = a & 0xFFFFFFFFu, a1 = a >> 32;
  const std::uint64_t b0 = b & 0xFFFFFFFFu, b1 = b >> 32;
  const std::uint64_t p00 = a0 * b0, p01 = a0 * b1, p10 = a1 * b0, p11 = a1 * b1;
  const std::uint64_t middle = (p00 >> 32) + (p01 & 0xFFFFFFFFu) + (p10 & 0xFFFFFFFFu);
  return {p11 + (p01 >> 32) + (p10 >> 32) + (middle >> 32), (middle << 32) | (p00 & 0xFFFFFFFFu)};
}

// A value that has a plain text, rounded to 15 significant digits:
// |value| is mantissa x 10^(exponent - 14), mantissa in [10^14, 10^15),
// or mantissa 0 for a zero.
struct Rounded15 {
  bool plain = false;  // false: the text is "E"
  bool negative = false;
  std::uint64_t mantissa = 0;
  int exponent = 0;
};

// floor(m x 2^-shift x 10^scale) and how the dropped part compares with one
// half (-1 below, 0 exactly, +1 above). m < 2^53, scale <= 19, shift 1..127.
std::uint64_t ScaledFloor(std::uint64_t m, int scale, int shift, int& versusHalf) {
  const U128 p = Multiply(m, kPow10[scale]);
  std::uint64_t quotient, remHi, remLo, halfHi, halfLo;
  if (shift >= 64) {
    quotient = p.hi >> (shift - 64);
    remHi = shift == 64 ? 0 : p.hi & ((std::uint64_t{1} << (shift - 64)) - 1);
    remLo = p.lo;
    halfHi = std::uint64_t{1} << (shift - 65 >= 0 ? shift - 65 : 0);
    halfLo = 0;
    if (shift == 64) {
      halfHi = 0;
      halfLo = std::uint64_t{1} << 63;
    }
  } else {
    quotient = (p.lo >> shift) | (p.hi << (64 - shift));
    remHi = 0;
    remLo = p.lo & ((std::uint64_t{1} << shift) - 1);
    halfHi = 0;
    halfLo = std::uint64_t{1} << (shift - 1);
  }
  if (remHi != halfHi) versusHalf = remHi < halfHi ? -1 : 1;
  else versusHalf = remLo == halfLo ? 0 : (remLo < halfLo ? -1 : 1);
  return quotient;
}

// The 15-digit rounding (to nearest, ties to even) of a finite value, found
// with exact integer arithmetic on the double's binary mantissa. Values
// whose text cannot be plain (below 10^-5 or from 10^15 up) report so.
Rounded15 Round15(double value) {
  Rounded15 r;
  std::uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  r.negative = (bits >> 63) != 0;
  const int biased = static_cast<int>((bits >> 52) & 0x7FF);
  const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
  if (biased == 0 && fraction == 0) {
    r.plain = true;
    return r;
  }
  // Subnormals, and normals from 2^52 up (|value| >= 4.5e15), are far
  // outside the plain range.
  const int shift = 1075 - biased;  // |value| = m x 2^-shift
  if (biased == 0 || shift <= 0) return r;
  const std::uint64_t m = fraction | (std::uint64_t{1} << 52);

  // Decimal exponent estimate from the binary one; corrected below.
  int exponent = ((biased - 1023) * 78913) >> 18;  // floor(e2 x log10 2)
  for (int attempt = 0; attempt < 4; ++attempt) {
    if (exponent < kLowestPlainExponent - 1 || exponent > kHighestPlainExponent) return r;
    const int scale = kHighestPlainExponent - exponent;  // 0..19
    if (shift >= 128) return r;
    int versusHalf = 0;
    std::uint64_t n = ScaledFloor(m, scale, shift, versusHalf);
    if (n >= kMantissaHigh) {
      ++exponent;
      continue;
    }
    if (n < kMantissaLow) {
      --exponent;
      continue;
    }
    if (versusHalf > 0 || (versusHalf == 0 && (n & 1) != 0)) ++n;
    if (n == kMantissaHigh) {
      n = kMantissaLow;
      ++exponent;
    }
    if (exponent < kLowestPlainExponent || exponent > kHighestPlainExponent) return r;
    // Counted characters: for a value below 1 the leading "0" and the zeros
    // after the point count too, so only -exponent trailing zeros leave
    // room for them; from 1 up the text never has more than 15.
    if (exponent < 0 && n % kPow10[-exponent] != 0) return r;
    r.plain = true;
    r.mantissa = n;
    r.exponent = exponent;
    return r;
  }
  return r;
}

void WriteText(const char* source, char (&text)[kPlainDecimalBufferSize]) {
  std::strncpy(text, source, kPlainDecimalBufferSize - 1);
  text[kPlainDecimalBufferSize - 1] = '\0';
}

}  // namespace

void FormatPlainDecimal(double value, char (&text)[kPlainDecimalBufferSize]) {
  if (std::isnan(value)) return WriteText("NaN", text);
  const Rounded15 r = Round15(value);
  if (!r.plain) return WriteText("E", text);

  char digits[kSignificantDigits + 1] = "0";
  int significant = 1;
  if (r.mantissa != 0) {
    std::to_chars(digits, digits + sizeof digits, r.mantissa);
    significant = kSignificantDigits;
    while (significant > 1 && digits[significant - 1] == '0') --significant;
  }

  // At most 15 digits, a sign and a point: the text always fits in 24 bytes.
  char* p = text;
  if (r.negative) *p++ = '-';
  if (r.exponent >= 0) {
    const int integerDigits = r.exponent + 1;
    for (int i = 0; i < integerDigits; ++i) *p++ = i < significant ? digits[i] : '0';
    if (significant > integerDigits) {
      *p++ = '.';
      for (int i = integerDigits; i < significant; ++i) *p++ = digits[i];
    }
  } else {
    *p++ = '0';
    *p++ = '.';
    for (int i = -1; i > r.exponent; --i) *p++ = '0';
    for (int i = 0; i < significant; ++i) *p++ = digits[i];
  }
  *p = '\0';
}

double ReadPlainDecimal(const char* text) {
  if (std::strcmp(text, "NaN") == 0) return std::numeric_limits<double>::quiet_NaN();
  double result = 0.0;
  const char* last = text + std::strlen(text);
  auto [ptr, ec] = std::from_chars(text, last, result, std::chars_format::fixed);
  if (ec != std::errc()) return 0.0;
  return result;
}

double PlainDecimalValue(double value) {
  if (std::isnan(value)) return std::numeric_limits<double>::quiet_NaN();
  const Rounded15 r = Round15(value);
  if (!r.plain) return 0.0;
  // The mantissa is below 2^53 and 10^0 to 10^19 are exact doubles, so one
  // correctly rounded division gives the double nearest to the decimal:
  // what reading the text back gives.
  const double magnitude =
      static_cast<double>(r.mantissa) / PowerOfTen(kHighestPlainExponent - r.exponent);
  return r.negative ? -magnitude : magnitude;
}

}  // namespace zorvan
