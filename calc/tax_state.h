// The calculation state of one tax object: six inputs that clients write,
// each range-checked, and three results that only TaxCalc writes and that
// reads return rounded to 14 decimal places.
#pragma once
#include <cstdint>

#include "status.h"

namespace zorvan {

enum RateTypeConst : std::int32_t { tvRateNormal = 0, tvRatePercentage = 1 };
enum TaxTypeConst : std::int32_t { tvPreTax = 0, tvAfterTax = 1 };
enum RoundTypeConst : std::int32_t { tvRoundNone = 0, tvRound = 1, tvRoundUp = 2, tvRoundDown = 3 };

class TaxState {
 public:
  // Writes: kStatusOk when stored, kInvalidPropertyValue (field unchanged)
  // when out of range.
  Status PutValue(double v);
  Status PutTaxRate(double v);
  Status PutRateType(std::int32_t v);
  Status PutTaxType(std::int32_t v);
  Status PutRoundType(std::int32_t v);
  Status PutRoundDigit(std::int16_t v);

  double GetValue() const { return value_; }
  double GetTaxRate() const { return taxRate_; }
  std::int32_t GetRateType() const { return rateType_; }
  std::int32_t GetTaxType() const { return taxType_; }
  std::int32_t GetRoundType() const { return roundType_; }
  std::int16_t GetRoundDigit() const { return roundDigit_; }

  // The results, read through RoundHalf at digit -15.
  double GetPrice() const;
  double GetTax() const;
  double GetTotal() const;

  // Computes Price, Total and Tax from the inputs and stores all three.
  void TaxCalc();

 private:
  // Declaration order is the object's documented field order.
  double value_ = 0.0;
  double total_ = 0.0;
  std::int16_t taxType_ = tvAfterTax;
  double taxRate_ = 0.0;
  double tax_ = 0.0;
  std::int16_t roundType_ = tvRoundNone;
  std::int16_t roundDigit_ = 0;
  std::int16_t rateType_ = tvRatePercentage;
  double price_ = 0.0;
};

}  // namespace zorvan
