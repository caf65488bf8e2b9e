// The server under load and over time: many threads at once, a million
// late-bound calculations, and a hundred thousand live objects. Bounded in
// count, so bounded in time.
#include <atomic>
#include <thread>
#include <vector>

#include "server_fixture.h"

#include <psapi.h>

namespace zorvan::test {
namespace {

template <typename T>
void ReleaseAll(std::vector<T*>& objects) {
  for (T* o : objects) o->Release();
  objects.clear();
}

IClassFactory* Factory() {
  IClassFactory* factory = nullptr;
  EXPECT_EQ(S_OK, Server().getClassObject(CLSID_tvZorvan, IID_IClassFactory, reinterpret_cast<void**>(&factory)));
  return factory;
}

TEST(Load, EightThreadsShareOneClassObjectAndLeaveNoLock) {
  ASSERT_EQ(S_OK, Server().canUnloadNow());
  constexpr int kThreads = 8, kRounds = 2000;
  std::vector<void*> classObjects(kThreads, nullptr);
  std::atomic<int> failures{0};
  std::atomic<bool> go{false};
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
      while (!go) std::this_thread::yield();
      for (int round = 0; round < kRounds; ++round) {
        IClassFactory* factory = nullptr;
        if (Server().getClassObject(CLSID_tvZorvan, IID_IClassFactory, reinterpret_cast<void**>(&factory)) != S_OK) {
          ++failures;
          continue;
        }
        if (round == 0) classObjects[t] = factory;
        else if (classObjects[t] != factory) ++failures;
        factory->LockServer(TRUE);
        IZorvan* object = nullptr;
        if (factory->CreateInstance(nullptr, IID_IZorvan, reinterpret_cast<void**>(&object)) == S_OK) {
          VARIANT_BOOL done = VARIANT_FALSE;
          double total = 0;
          object->put_Value(1000 + round);
          object->put_TaxRate(t);
          object->TaxCalc(&done);
          object->get_Total(&total);
          if (done != VARIANT_TRUE || total != (1000 + round) * (t * 0.01 + 1.0)) ++failures;
          object->Release();
        } else {
          ++failures;
        }
        factory->LockServer(FALSE);
        factory->Release();
      }
      CoUninitialize();
    });
  }
  go = true;
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(0, failures.load());
  for (void* p : classObjects) EXPECT_EQ(classObjects[0], p) << "more than one class object";
  EXPECT_EQ(S_OK, Server().canUnloadNow()) << "a lock was left";
}

SIZE_T PrivateBytes() {
  PROCESS_MEMORY_COUNTERS_EX counters = {};
  GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters);
  // The commit charge: the process's private bytes (PrivateUsage is not
  // filled in by every platform; this is the same figure).
  return counters.PagefileUsage;
}

DWORD Handles() {
  DWORD count = 0;
  GetProcessHandleCount(GetCurrentProcess(), &count);
  return count;
}

HRESULT Call(IDispatch* d, DISPID id, WORD flags, VARIANT* argument, VARIANT* result) {
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS params = {argument, flags == DISPATCH_PROPERTYPUT ? &named : nullptr, argument ? 1u : 0u,
                       flags == DISPATCH_PROPERTYPUT ? 1u : 0u};
  return d->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result, nullptr, nullptr);
}

// Create, compute late bound, read, release, count times; the private
// bytes and the handles of the process may not grow after the warm-up.
void LateBoundCycles(IClassFactory* factory, int count, int warmUp) {
  SIZE_T bytesAfterWarmUp = 0;
  DWORD handlesAfterWarmUp = 0;
  int wrong = 0;
  for (int i = 0; i < count; ++i) {
    IDispatch* d = nullptr;
    ASSERT_EQ(S_OK, factory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(&d)));
    VARIANT value, result;
    V_VT(&value) = VT_R8;
    V_R8(&value) = 1000.0 + (i % 1000);
    VariantInit(&result);
    Call(d, 0, DISPATCH_PROPERTYPUT, &value, nullptr);
    Call(d, 11, DISPATCH_METHOD, nullptr, &result);
    Call(d, 8, DISPATCH_PROPERTYGET, nullptr, &result);
    if (V_VT(&result) != VT_R8 || V_R8(&result) != V_R8(&value)) ++wrong;
    d->Release();
    if (i + 1 == warmUp) {
      bytesAfterWarmUp = PrivateBytes();
      handlesAfterWarmUp = Handles();
    }
  }
  EXPECT_EQ(0, wrong);
  ASSERT_GT(bytesAfterWarmUp, 0u) << "no measure of the private bytes";
  EXPECT_LE(PrivateBytes(), bytesAfterWarmUp + 256 * 1024) << "private bytes grew";
  EXPECT_LE(Handles(), handlesAfterWarmUp) << "handles grew";
}

// A million cycles while another object keeps the type information cached,
// as a script host that holds one object does.
TEST(Load, AMillionLateBoundCyclesLeakNothing) {
  IClassFactory* factory = Factory();
  ASSERT_NE(nullptr, factory);
  IZorvan* anchor = nullptr;
  ASSERT_EQ(S_OK, factory->CreateInstance(nullptr, IID_IZorvan, reinterpret_cast<void**>(&anchor)));
  LateBoundCycles(factory, 1000000, 50000);
  anchor->Release();
  factory->Release();
}

// Without another object, each cycle drops the type information with its
// object and loads it again from the registry: that path leaks nothing either.
TEST(Load, CyclesThatReloadTheTypeInformationLeakNothing) {
  IClassFactory* factory = Factory();
  ASSERT_NE(nullptr, factory);
  LateBoundCycles(factory, 6000, 2000);
  factory->Release();
}

// The cached type information is released with the last object: its own
// count drops back by the cache's reference.
TEST(Load, TypeInformationIsReleasedWithTheLastObject) {
  IClassFactory* factory = Factory();
  ASSERT_NE(nullptr, factory);
  IDispatch* d = nullptr;
  ASSERT_EQ(S_OK, factory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(&d)));
  ITypeInfo* info = nullptr;
  ASSERT_EQ(S_OK, d->GetTypeInfo(0, LOCALE_USER_DEFAULT, &info));
  info->AddRef();
  const ULONG whileCached = info->Release();
  d->Release();
  info->AddRef();
  const ULONG afterLastObject = info->Release();
  EXPECT_EQ(whileCached - 1, afterLastObject);
  info->Release();
  factory->Release();
}

TEST(Load, AHundredThousandLiveObjectsKeepTheirOwnState) {
  IClassFactory* factory = Factory();
  ASSERT_NE(nullptr, factory);
  constexpr int kObjects = 100000;
  std::vector<IZorvan*> objects;
  objects.reserve(kObjects);
  for (int i = 0; i < kObjects; ++i) {
    IZorvan* o = nullptr;
    ASSERT_EQ(S_OK, factory->CreateInstance(nullptr, IID_IZorvan, reinterpret_cast<void**>(&o)));
    o->put_Value(i);
    o->put_TaxRate(i % 20);
    o->put_RoundDigit(static_cast<short>(i % 16));
    objects.push_back(o);
  }
  int wrong = 0;
  for (int i = 0; i < kObjects; ++i) {
    VARIANT_BOOL done;
    objects[i]->TaxCalc(&done);
  }
  for (int i = 0; i < kObjects; ++i) {
    double value = -1, price = -1, rate = -1;
    short digit = -1;
    objects[i]->get_Value(&value);
    objects[i]->get_Price(&price);
    objects[i]->get_TaxRate(&rate);
    objects[i]->get_RoundDigit(&digit);
    if (value != i || price != i || rate != i % 20 || digit != i % 16) ++wrong;
  }
  EXPECT_EQ(0, wrong);
  EXPECT_EQ(S_FALSE, Server().canUnloadNow());
  ReleaseAll(objects);
  factory->Release();
  EXPECT_EQ(S_OK, Server().canUnloadNow());
}

}  // namespace
}  // namespace zorvan::test
