// TaxCalc with the component's locale-free 15-digit conversion against the
// conventional route (snprintf "%.15G" and atof) in the same run.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

#include "rounding.h"
#include "tax_state.h"

namespace {

std::atomic<long> allocations{0};

}  // namespace

void* operator new(std::size_t size) {
  allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

using zorvan::RoundHalf;

struct Inputs {
  double value;
  double rate;
  std::int32_t taxType;
  std::int32_t roundType;
  std::int16_t digit;
};

// A spread of amounts: whole, with cents, and results with long fractions.
std::vector<Inputs> MakeInputs() {
  std::vector<Inputs> inputs;
  const double values[] = {1000, 1050, 1234.5, 19.99, 1980, 123456.78, 0.35, 987654321.12};
  const double rates[] = {5, 8, 10, 17.5};
  int i = 0;
  for (double v : values)
    for (double r : rates) {
      inputs.push_back({v, r, i % 2, i % 4, static_cast<std::int16_t>((i % 5) - 2)});
      ++i;
    }
  return inputs;
}

// The conventional text route for the tax: the same steps as TaxCalc, with
// the decimal text from printf and the read-back from atof.
void ConventionalText(double value, char (&text)[24]) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.15G", value);
  const std::size_t length = std::strlen(buffer);
  std::size_t counted = length;
  if (std::strchr(buffer, '-')) --counted;
  if (std::strchr(buffer, '.')) --counted;
  if (counted > 15 || std::strchr(buffer, 'E') || length >= sizeof text) {
    std::strcpy(text, "E");
  } else {
    std::memcpy(text, buffer, length + 1);
  }
}

double ConventionalTax(double price, double total) {
  char totalText[24], priceText[24];
  ConventionalText(RoundHalf(total, -15), totalText);
  ConventionalText(RoundHalf(price, -15), priceText);
  return std::atof(totalText) - std::atof(priceText);
}

void BM_TaxCalc(benchmark::State& state) {
  const auto inputs = MakeInputs();
  std::vector<zorvan::TaxState> objects(inputs.size());
  for (std::size_t i = 0; i < inputs.size(); ++i) {
    objects[i].PutValue(inputs[i].value);
    objects[i].PutTaxRate(inputs[i].rate);
    objects[i].PutTaxType(inputs[i].taxType);
    objects[i].PutRoundType(inputs[i].roundType);
    objects[i].PutRoundDigit(inputs[i].digit);
  }
  const long before = allocations.load();
  std::size_t i = 0;
  for (auto _ : state) {
    zorvan::TaxState& s = objects[i++ % objects.size()];
    s.TaxCalc();
    benchmark::DoNotOptimize(s.GetTax());
  }
  state.counters["allocs/call"] =
      benchmark::Counter(static_cast<double>(allocations.load() - before) /
                         static_cast<double>(state.iterations()));
}
BENCHMARK(BM_TaxCalc);

// The same computation with the conventional conversion in place of ours.
void BM_TaxCalcConventional(benchmark::State& state) {
  const auto inputs = MakeInputs();
  std::size_t i = 0;
  for (auto _ : state) {
    const Inputs& in = inputs[i++ % inputs.size()];
    const double factor = in.rate * 0.01 + 1.0;
    const double price = in.taxType == 0 ? in.value / factor : in.value;
    const double total = in.taxType == 0 ? in.value : in.value * factor;
    double tax = ConventionalTax(price, total);
    tax = RoundHalf(tax, static_cast<std::int16_t>(in.digit - 1));
    benchmark::DoNotOptimize(RoundHalf(price, in.digit));
    benchmark::DoNotOptimize(RoundHalf(total, in.digit));
    benchmark::DoNotOptimize(tax);
  }
}
BENCHMARK(BM_TaxCalcConventional);

}  // namespace

BENCHMARK_MAIN();
