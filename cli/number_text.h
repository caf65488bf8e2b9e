// Locale-free number texts for the command line: parsing of the inputs and
// the shortest round-trip text of a result.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace zorvan::cli {

// Whole text must be a decimal number ("nan", "inf" and exponents allowed).
bool ParseDouble(std::string_view text, double& out);
// Whole text must be a decimal integer that fits in 64 bits.
bool ParseInteger(std::string_view text, std::int64_t& out);
// Shortest decimal that reads back as the same double; "nan" for a NaN.
void AppendShortest(std::string& out, double value);

}  // namespace zorvan::cli
