#include "calculation_request.h"

#include <gtest/gtest.h>

namespace zorvan::cli {
namespace {

struct BatchCase {
  const char* line;
  const char* output;
  bool ok;
  friend void PrintTo(const BatchCase& c, std::ostream* os) { *os << "'" << c.line << "'"; }
};

class BatchLines : public ::testing::TestWithParam<BatchCase> {};

TEST_P(BatchLines, WriteResultsOrAnErrorInPlace) {
  const BatchCase& c = GetParam();
  std::string out = "kept|";
  EXPECT_EQ(c.ok, ProcessBatchLine(c.line, out));
  EXPECT_EQ(std::string("kept|") + c.output, out);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, BatchLines,
    ::testing::Values(
        BatchCase{"1000 5 1 0 0 0", "952.3809523809523 47.61904761904805 1000\n", true},
        BatchCase{"1000 5 1 0 1 -2\r", "952.38 47.62 1000\n", true},
        BatchCase{"  1234.5\t5 1 1 2 2  ", "1300 100 1300\n", true},
        BatchCase{"1e15 5 1 1 0 0", "1e+15 0 1.05e+15\n", true},
        BatchCase{"nan 5 1 1 0 0", "nan nan nan\n", true},
        BatchCase{"-0 0 1 1 0 0", "0 0 0\n", true},
        BatchCase{"2e15 5 1 1 0 0", "error: Value 2e15 out of range\n", false},
        BatchCase{"inf 5 1 1 0 0", "error: Value inf out of range\n", false},
        BatchCase{"1000 -1 1 1 0 0", "error: TaxRate -1 out of range\n", false},
        BatchCase{"1000 nan 1 1 0 0", "error: TaxRate nan out of range\n", false},
        BatchCase{"1000 5 2 1 0 0", "error: RateType 2 out of range\n", false},
        BatchCase{"1000 5 1 -1 0 0", "error: TaxType -1 out of range\n", false},
        BatchCase{"1000 5 1 1 4 0", "error: RoundType 4 out of range\n", false},
        BatchCase{"1000 5 1 1 0 16", "error: RoundDigit 16 out of range\n", false},
        BatchCase{"1000 5 1 1 0 65536", "error: RoundDigit 65536 out of range\n", false},
        BatchCase{"1000 5 4294967296 1 0 0", "error: RateType 4294967296 out of range\n", false},
        BatchCase{"1000 5 1 1 0", "error: expected 6 fields (Value TaxRate RateType TaxType "
                                  "RoundType RoundDigit), got 5\n", false},
        BatchCase{"", "error: expected 6 fields (Value TaxRate RateType TaxType "
                      "RoundType RoundDigit), got 0\n", false},
        BatchCase{"1000 5 1 1 0 0 7", "error: expected 6 fields (Value TaxRate RateType TaxType "
                                      "RoundType RoundDigit), got 7\n", false},
        BatchCase{"1,5 5 1 1 0 0", "error: Value '1,5' is not a number\n", false},
        BatchCase{"1000 5 1.0 1 0 0", "error: RateType '1.0' is not an integer\n", false},
        BatchCase{"1000 5 1 1 0 x", "error: RoundDigit 'x' is not an integer\n", false}));

}  // namespace
}  // namespace zorvan::cli
