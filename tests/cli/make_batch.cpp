// Writes a deterministic batch of calculation lines to standard output: a
// spread of magnitudes, rates, digits and rounding kinds, with some lines a
// property would reject and some malformed ones.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::uint64_t state = 0x9E3779B97F4A7C15u;

std::uint64_t Next() {
  state ^= state << 13;
  state ^= state >> 7;
  state ^= state << 17;
  return state;
}

int Pick(int n) { return static_cast<int>(Next() % static_cast<std::uint64_t>(n)); }

}  // namespace

int main(int argc, char** argv) {
  const long lines = argc > 1 ? std::atol(argv[1]) : 10000;
  static const char* const kRates[] = {"5", "8", "10", "0", "0.05", "0.08", "32767", "3.5", "17.25"};
  static const char* const kOdd[] = {"2e15 5 1 1 0 0", "1 -1 1 1 0 0", "1 5 2 1 0 0",
                                     "1 5 1 1 9 0",    "1 5 1 1 0 99", "1 5 1",
                                     "x 5 1 1 0 0",    "nan 5 1 1 1 -2"};
  for (long i = 0; i < lines; ++i) {
    if (Pick(50) == 0) {
      std::printf("%s\n", kOdd[Pick(8)]);
      continue;
    }
    // Value: an integer part of 0 to 15 digits and 0 to 6 decimals, any sign.
    std::string value = Pick(4) == 0 ? "-" : "";
    const int intDigits = Pick(16);
    if (intDigits == 0) value += "0";
    for (int d = 0; d < intDigits; ++d) value += static_cast<char>('0' + (d == 0 ? 1 + Pick(9) : Pick(10)));
    const int decimals = Pick(7);
    if (decimals > 0) {
      value += ".";
      for (int d = 0; d < decimals; ++d) value += static_cast<char>('0' + Pick(10));
    }
    const int rateIndex = Pick(9);
    const int rateType = rateIndex >= 4 && rateIndex <= 5 ? 0 : 1;
    std::printf("%s %s %d %d %d %d\n", value.c_str(), kRates[rateIndex], rateType, Pick(2), Pick(4),
                Pick(31) - 15);
  }
  return 0;
}
