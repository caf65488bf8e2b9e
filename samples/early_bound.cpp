// Early binding: the tax object through its vtable, with the header that
// widl generates from the type library's IDL.
//   early_bound [value [rate [pre|after]]]
#include <windows.h>
#include <ole2.h>

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "zorvan_h.h"

namespace {

// The shortest text that reads back as the same double.
void Print(const char* label, double value) {
  char text[32];
  auto end = std::to_chars(text, text + sizeof text, value).ptr;
  std::printf("%s %.*s\n", label, static_cast<int>(end - text), text);
}

bool Check(HRESULT hr, const char* what) {
  if (SUCCEEDED(hr)) return true;
  std::fprintf(stderr, "early_bound: %s failed: 0x%08lX\n", what, static_cast<unsigned long>(hr));
  return false;
}

double Number(const char* text) {
  double value = 0;
  std::from_chars(text, text + std::strlen(text), value);
  return value;
}

}  // namespace

int main(int argc, char** argv) {
  const double value = argc > 1 ? Number(argv[1]) : 1000;
  const double rate = argc > 2 ? Number(argv[2]) : 5;
  const bool preTax = argc > 3 && std::strcmp(argv[3], "pre") == 0;

  if (!Check(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), "CoInitializeEx")) return 1;
  int status = 1;
  IZorvan* tax = nullptr;
  if (Check(CoCreateInstance(CLSID_tvZorvan, nullptr, CLSCTX_INPROC_SERVER, IID_IZorvan,
                             reinterpret_cast<void**>(&tax)),
            "CoCreateInstance")) {
    VARIANT_BOOL done = VARIANT_FALSE;
    double price = 0, amount = 0, total = 0;
    if (Check(tax->put_Value(value), "Value") && Check(tax->put_TaxRate(rate), "TaxRate") &&
        Check(tax->put_TaxType(preTax ? tvPreTax : tvAfterTax), "TaxType") &&
        Check(tax->TaxCalc(&done), "TaxCalc") && Check(tax->get_Price(&price), "Price") &&
        Check(tax->get_Tax(&amount), "Tax") && Check(tax->get_Total(&total), "Total")) {
      Print("Price:", price);
      Print("Tax:  ", amount);
      Print("Total:", total);
      status = 0;
    }
    tax->Release();
  }
  CoUninitialize();
  return status;
}
