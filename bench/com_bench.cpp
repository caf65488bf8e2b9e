// The server's speed under Wine, side by side in one run: TaxCalc early
// bound, late bound by DISPID and by name, the cached ITypeInfo::Invoke it
// delegates to, the core without COM, object creation, the platform's
// decimal conversion route against the component's, and memory per object.
#include <windows.h>
#include <ole2.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "plain_decimal.h"
#include "tax_state.h"
#include "zorvan_h.h"

namespace {

double Now() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Best of five runs of `count` calls, in ns per call.
double NsPerCall(long count, const std::function<void(long)>& body) {
  double best = 1e30;
  for (int run = 0; run < 5; ++run) {
    const double start = Now();
    for (long i = 0; i < count; ++i) body(i);
    const double elapsed = (Now() - start) / static_cast<double>(count) * 1e9;
    if (elapsed < best) best = elapsed;
  }
  return best;
}

SIZE_T PrivateBytes() {
  PROCESS_MEMORY_COUNTERS_EX counters = {};
  GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters);
  // The commit charge: the process's private bytes (PrivateUsage is not
  // filled in by every platform; this is the same figure).
  return counters.PagefileUsage;
}

struct Inputs {
  double value, rate;
  tvTaxTypeConst taxType;
  tvRoundTypeConst roundType;
  short digit;
};

std::vector<Inputs> MakeInputs() {
  std::vector<Inputs> inputs;
  const double values[] = {1000, 1050, 1234.5, 19.99, 1980, 123456.78, 0.35, 987654321.12};
  const double rates[] = {5, 8, 10, 17.5};
  int i = 0;
  for (double v : values)
    for (double r : rates) {
      inputs.push_back({v, r, static_cast<tvTaxTypeConst>(i % 2), static_cast<tvRoundTypeConst>(i % 4),
                        static_cast<short>((i % 5) - 2)});
      ++i;
    }
  return inputs;
}

void Row(const char* name, double ns, const char* note = "") {
  std::printf("| %-52s | %9.1f | %s\n", name, ns, note);
}

}  // namespace

int main() {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  IClassFactory* factory = nullptr;
  if (FAILED(CoGetClassObject(CLSID_tvZorvan, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                              reinterpret_cast<void**>(&factory)))) {
    std::fprintf(stderr, "com_bench: the server is not registered\n");
    return 1;
  }
  const std::vector<Inputs> inputs = MakeInputs();
  const std::size_t n = inputs.size();
  std::vector<zorvan::TaxState> cores(n);
  std::vector<IZorvan*> objects(n);
  std::vector<IDispatch*> dispatches(n);
  for (std::size_t i = 0; i < n; ++i) {
    factory->CreateInstance(nullptr, IID_IZorvan, reinterpret_cast<void**>(&objects[i]));
    objects[i]->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatches[i]));
    objects[i]->put_Value(inputs[i].value);
    objects[i]->put_TaxRate(inputs[i].rate);
    objects[i]->put_TaxType(inputs[i].taxType);
    objects[i]->put_RoundType(inputs[i].roundType);
    objects[i]->put_RoundDigit(inputs[i].digit);
    cores[i].PutValue(inputs[i].value);
    cores[i].PutTaxRate(inputs[i].rate);
    cores[i].PutTaxType(inputs[i].taxType);
    cores[i].PutRoundType(inputs[i].roundType);
    cores[i].PutRoundDigit(inputs[i].digit);
  }
  ITypeInfo* typeInfo = nullptr;
  dispatches[0]->GetTypeInfo(0, LOCALE_USER_DEFAULT, &typeInfo);

  const long calls = 200000;
  volatile double sink = 0;
  VARIANT_BOOL done;
  DISPPARAMS none = {nullptr, nullptr, 0, 0};
  VARIANT result;

  std::printf("| %-52s | %9s | %s\n", "operation", "ns/call", "");
  std::printf("|%s|%s|\n", std::string(54, '-').c_str(), std::string(11, '-').c_str());
  const double core = NsPerCall(calls, [&](long i) {
    cores[i % n].TaxCalc();
    sink = sink + cores[i % n].GetTax();
  });
  Row("TaxCalc, the core without COM", core);
  const double early = NsPerCall(calls, [&](long i) {
    double tax;
    objects[i % n]->TaxCalc(&done);
    objects[i % n]->get_Tax(&tax);
    sink = sink + tax;
  });
  char ratio[64];
  std::snprintf(ratio, sizeof ratio, "%.2f x the core (target <= 1.2)", early / core);
  Row("TaxCalc early bound (vtable), then Tax", early, ratio);
  const double direct = NsPerCall(calls, [&](long i) {
    VariantInit(&result);
    typeInfo->Invoke(objects[i % n], 11, DISPATCH_METHOD, &none, &result, nullptr, nullptr);
  });
  Row("TaxCalc through the cached ITypeInfo::Invoke", direct);
  const double byId = NsPerCall(calls, [&](long i) {
    VariantInit(&result);
    dispatches[i % n]->Invoke(11, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none, &result, nullptr, nullptr);
  });
  std::snprintf(ratio, sizeof ratio, "%.2f x ITypeInfo::Invoke (target <= 1.1)", byId / direct);
  Row("TaxCalc late bound by DISPID (IDispatch::Invoke)", byId, ratio);
  LPOLESTR name[] = {const_cast<LPOLESTR>(L"TaxCalc")};
  const double byName = NsPerCall(calls / 4, [&](long i) {
    DISPID id;
    dispatches[i % n]->GetIDsOfNames(IID_NULL, name, 1, LOCALE_USER_DEFAULT, &id);
    VariantInit(&result);
    dispatches[i % n]->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none, &result, nullptr, nullptr);
  });
  Row("TaxCalc late bound by name (GetIDsOfNames each call)", byName);
  const double create = NsPerCall(calls, [&](long) {
    IZorvan* o = nullptr;
    factory->CreateInstance(nullptr, IID_IZorvan, reinterpret_cast<void**>(&o));
    o->Release();
  });
  Row("object creation and release (class object)", create);

  const double amounts[] = {952.38095238095238, 1000, 47.619047619048, 1296.225, 0.35, 987654321.12};
  const double platform = NsPerCall(calls, [&](long i) {
    BSTR text = nullptr;
    VarBstrFromR8(amounts[i % 6], LOCALE_SYSTEM_DEFAULT, LOCALE_NOUSEROVERRIDE, &text);
    char ansi[64];
    WideCharToMultiByte(CP_ACP, 0, text, -1, ansi, sizeof ansi, nullptr, nullptr);
    SysFreeString(text);
    sink = sink + std::atof(ansi);
  });
  Row("decimal text and back: VarBstrFromR8 + atof", platform);
  const double ours = NsPerCall(calls, [&](long i) { sink = sink + zorvan::PlainDecimalValue(amounts[i % 6]); });
  std::snprintf(ratio, sizeof ratio, "%.3f x the platform's route", ours / platform);
  Row("decimal text and back: the component's 15-digit route", ours, ratio);

  // Memory per live object.
  const int live = 100000;
  std::vector<IZorvan*> many(live);
  const SIZE_T before = PrivateBytes();
  for (int i = 0; i < live; ++i) factory->CreateInstance(nullptr, IID_IZorvan, reinterpret_cast<void**>(&many[i]));
  const SIZE_T after = PrivateBytes();
  for (IZorvan* o : many) o->Release();
  std::printf("\nmemory per live object: %.1f bytes (%d objects, private bytes)\n",
              static_cast<double>(after - before) / live, live);

  typeInfo->Release();
  for (std::size_t i = 0; i < n; ++i) {
    dispatches[i]->Release();
    objects[i]->Release();
  }
  factory->Release();
  CoUninitialize();
  return 0;
}
