// One calculation as the command line describes it: the six inputs written
// to a fresh tax object in the object's own order, with the object's range
// checks, and the three results read back.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace zorvan::cli {

struct Results {
  double price = 0.0;
  double tax = 0.0;
  double total = 0.0;
};

// Input texts; an empty view keeps the object's initial value.
struct InputTexts {
  std::string_view value, taxRate, rateType, taxType, roundType, roundDigit;
};

// Parses and applies the inputs to a new object and runs TaxCalc. On failure
// returns false with a message such as "TaxRate -1 out of range" or
// "RoundType 'x' is not an integer".
bool Calculate(const InputTexts& inputs, Results& results, std::string& error);

// One batch line "Value TaxRate RateType TaxType RoundType RoundDigit":
// appends "Price Tax Total" or "error: ..." and a newline to out; returns
// whether the line was computed.
bool ProcessBatchLine(std::string_view line, std::string& out);

}  // namespace zorvan::cli
