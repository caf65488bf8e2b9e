#include "calculation_request.h"

#include <limits>

#include "number_text.h"
#include "tax_state.h"

namespace zorvan::cli {
namespace {

std::string Quoted(std::string_view text) {
  std::string s = "'";
  s.append(text);
  s += "'";
  return s;
}

bool ApplyDouble(std::string_view name, std::string_view text, Status (TaxState::*put)(double),
                 TaxState& state, std::string& error) {
  if (text.empty()) return true;
  double v = 0.0;
  if (!ParseDouble(text, v)) {
    error = std::string(name) + " " + Quoted(text) + " is not a number";
    return false;
  }
  if ((state.*put)(v) != kStatusOk) {
    error = std::string(name) + " " + std::string(text) + " out of range";
    return false;
  }
  return true;
}

// Integers that cannot even cross the interface (beyond 32 or 16 bits) are
// out of range just as the ones the property rejects.
template <typename Int>
bool ApplyInteger(std::string_view name, std::string_view text, Status (TaxState::*put)(Int),
                  TaxState& state, std::string& error) {
  if (text.empty()) return true;
  std::int64_t v = 0;
  if (!ParseInteger(text, v)) {
    error = std::string(name) + " " + Quoted(text) + " is not an integer";
    return false;
  }
  const bool fits = v >= std::numeric_limits<Int>::min() && v <= std::numeric_limits<Int>::max();
  if (!fits || (state.*put)(static_cast<Int>(v)) != kStatusOk) {
    error = std::string(name) + " " + std::string(text) + " out of range";
    return false;
  }
  return true;
}

}  // namespace

bool Calculate(const InputTexts& in, Results& results, std::string& error) {
  TaxState state;
  if (!ApplyDouble("Value", in.value, &TaxState::PutValue, state, error) ||
      !ApplyDouble("TaxRate", in.taxRate, &TaxState::PutTaxRate, state, error) ||
      !ApplyInteger("RateType", in.rateType, &TaxState::PutRateType, state, error) ||
      !ApplyInteger("TaxType", in.taxType, &TaxState::PutTaxType, state, error) ||
      !ApplyInteger("RoundType", in.roundType, &TaxState::PutRoundType, state, error) ||
      !ApplyInteger("RoundDigit", in.roundDigit, &TaxState::PutRoundDigit, state, error)) {
    return false;
  }
  state.TaxCalc();
  results.price = state.GetPrice();
  results.tax = state.GetTax();
  results.total = state.GetTotal();
  return true;
}

bool ProcessBatchLine(std::string_view line, std::string& out) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  std::string_view fields[6];
  std::size_t count = 0;
  std::size_t pos = 0;
  while (pos < line.size()) {
    while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) ++pos;
    if (pos == line.size()) break;
    std::size_t end = pos;
    while (end < line.size() && line[end] != ' ' && line[end] != '\t') ++end;
    if (count < 6) fields[count] = line.substr(pos, end - pos);
    ++count;
    pos = end;
  }

  std::string error;
  Results results;
  bool ok = false;
  if (count != 6) {
    error = "expected 6 fields (Value TaxRate RateType TaxType RoundType RoundDigit), got " +
            std::to_string(count);
  } else {
    ok = Calculate({fields[0], fields[1], fields[2], fields[3], fields[4], fields[5]}, results,
                   error);
  }
  if (!ok) {
    out += "error: ";
    out += error;
    out += '\n';
    return false;
  }
  AppendShortest(out, results.price);
  out += ' ';
  AppendShortest(out, results.tax);
  out += ' ';
  AppendShortest(out, results.total);
  out += '\n';
  return true;
}

}  // namespace zorvan::cli
