// A client of the server as automation hosts are: early bound through the
// vtable, late bound through IDispatch, aggregating it, and watching the
// module's lifetime through its exports.
#include <cmath>
#include <cstring>

#include "server_fixture.h"

namespace zorvan::test {
namespace {

constexpr HRESULT kInvalidPropertyValue = static_cast<HRESULT>(0x800A017C);

template <typename T>
struct Ref {
  T* p = nullptr;
  ~Ref() {
    if (p) p->Release();
  }
  T* operator->() const { return p; }
  void** Out() { return reinterpret_cast<void**>(&p); }
  void Reset() {
    if (p) p->Release();
    p = nullptr;
  }
};

ULONG CountOf(IUnknown* unknown) {
  unknown->AddRef();
  return unknown->Release();
}

HRESULT NewClassObject(Ref<IClassFactory>& factory) {
  return Server().getClassObject(CLSID_tvZorvan, IID_IClassFactory, factory.Out());
}

HRESULT NewObject(Ref<IZorvan>& object) {
  return CoCreateInstance(CLSID_tvZorvan, nullptr, CLSCTX_INPROC_SERVER, IID_IZorvan, object.Out());
}

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST(Identity, IUnknownIDispatchAndIZorvanAreOnePointer) {
  Ref<IZorvan> object;
  ASSERT_EQ(S_OK, NewObject(object));
  Ref<IUnknown> unknown;
  Ref<IDispatch> dispatch;
  Ref<ISupportErrorInfo> errorInfo;
  ASSERT_EQ(S_OK, object->QueryInterface(IID_IUnknown, unknown.Out()));
  ASSERT_EQ(S_OK, object->QueryInterface(IID_IDispatch, dispatch.Out()));
  ASSERT_EQ(S_OK, object->QueryInterface(IID_ISupportErrorInfo, errorInfo.Out()));
  EXPECT_EQ(static_cast<void*>(object.p), static_cast<void*>(unknown.p));
  EXPECT_EQ(static_cast<void*>(object.p), static_cast<void*>(dispatch.p));
  EXPECT_NE(static_cast<void*>(object.p), static_cast<void*>(errorInfo.p));
  Ref<IUnknown> again;
  ASSERT_EQ(S_OK, errorInfo->QueryInterface(IID_IUnknown, again.Out()));
  EXPECT_EQ(static_cast<void*>(object.p), static_cast<void*>(again.p));

  Ref<IClassFactory> wrong;
  const ULONG before = CountOf(object.p);
  EXPECT_EQ(E_NOINTERFACE, object->QueryInterface(IID_IClassFactory, wrong.Out()));
  EXPECT_EQ(nullptr, wrong.p);
  EXPECT_EQ(before, CountOf(object.p));
  EXPECT_EQ(E_POINTER, object->QueryInterface(IID_IUnknown, nullptr));
}

TEST(Lifetime, CountsStartAtOneAndObjectsDieAtZero) {
  Ref<IClassFactory> factory;
  ASSERT_EQ(S_OK, NewClassObject(factory));
  IZorvan* object = nullptr;
  ASSERT_EQ(S_OK, factory->CreateInstance(nullptr, IID_IZorvan, reinterpret_cast<void**>(&object)));
  EXPECT_EQ(2u, object->AddRef());
  EXPECT_EQ(1u, object->Release());
  EXPECT_EQ(0u, object->Release());
}

TEST(Lifetime, ClassObjectIsMadeOnceAndCountsTheModulesReference) {
  Ref<IClassFactory> first, second;
  ASSERT_EQ(S_OK, NewClassObject(first));
  ASSERT_EQ(S_OK, NewClassObject(second));
  EXPECT_EQ(first.p, second.p);
  // The module's reference and our two.
  EXPECT_EQ(4u, first->AddRef());
  EXPECT_EQ(3u, first->Release());

  Ref<IUnknown> none;
  none.p = reinterpret_cast<IUnknown*>(1);
  EXPECT_EQ(CLASS_E_CLASSNOTAVAILABLE, Server().getClassObject(IID_IZorvan, IID_IUnknown, none.Out()));
  EXPECT_EQ(nullptr, none.p);
  EXPECT_EQ(E_POINTER, Server().getClassObject(CLSID_tvZorvan, IID_IClassFactory, nullptr));
  Ref<IZorvan> notFactory;
  EXPECT_EQ(E_NOINTERFACE, Server().getClassObject(CLSID_tvZorvan, IID_IZorvan, notFactory.Out()));
}

TEST(Lifetime, DllCanUnloadNowFollowsEveryLock) {
  ASSERT_EQ(S_OK, Server().canUnloadNow());
  {
    Ref<IClassFactory> factory;
    ASSERT_EQ(S_OK, NewClassObject(factory));
    EXPECT_EQ(S_FALSE, Server().canUnloadNow()) << "a client reference on the class object";
    factory->AddRef();
    factory->Release();
    EXPECT_EQ(S_FALSE, Server().canUnloadNow());
    {
      Ref<IZorvan> object;
      ASSERT_EQ(S_OK, factory->CreateInstance(nullptr, IID_IZorvan, object.Out()));
      EXPECT_EQ(S_FALSE, Server().canUnloadNow());
    }
    EXPECT_EQ(S_OK, factory->LockServer(TRUE));
  }
  EXPECT_EQ(S_FALSE, Server().canUnloadNow()) << "LockServer(TRUE)";
  {
    Ref<IClassFactory> factory;
    ASSERT_EQ(S_OK, NewClassObject(factory));
    EXPECT_EQ(S_OK, factory->LockServer(FALSE));
    // A refused interface creates and destroys an object: no lock is left.
    Ref<IClassFactory> wrong;
    EXPECT_EQ(E_NOINTERFACE, factory->CreateInstance(nullptr, IID_IClassFactory, wrong.Out()));
    EXPECT_EQ(nullptr, wrong.p);
  }
  EXPECT_EQ(S_OK, Server().canUnloadNow());
}

// An outer object that aggregates a tax object and counts what reaches it.
class Outer : public IUnknown {
 public:
  STDMETHODIMP QueryInterface(REFIID iid, void** object) override {
    ++queries;
    if (IsEqualIID(iid, IID_IUnknown)) {
      *object = static_cast<IUnknown*>(this);
      AddRef();
      return S_OK;
    }
    return inner->QueryInterface(iid, object);
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++count; }
  STDMETHODIMP_(ULONG) Release() override { return --count; }
  ULONG count = 1;
  int queries = 0;
  IUnknown* inner = nullptr;
};

TEST(Aggregation, InnerUnknownAndDelegatingInterfaces) {
  Ref<IClassFactory> factory;
  ASSERT_EQ(S_OK, NewClassObject(factory));
  Outer outer;
  void* refused = reinterpret_cast<void*>(1);
  EXPECT_EQ(CLASS_E_NOAGGREGATION, factory->CreateInstance(&outer, IID_IZorvan, &refused));
  EXPECT_EQ(nullptr, refused);

  ASSERT_EQ(S_OK, factory->CreateInstance(&outer, IID_IUnknown, reinterpret_cast<void**>(&outer.inner)));
  EXPECT_EQ(S_FALSE, Server().canUnloadNow());
  IZorvan* zorvan = nullptr;
  ASSERT_EQ(S_OK, outer.inner->QueryInterface(IID_IZorvan, reinterpret_cast<void**>(&zorvan)));
  EXPECT_EQ(2u, outer.count) << "the AddRef of the handed-out pointer reaches the outer object";
  EXPECT_EQ(3u, zorvan->AddRef());
  EXPECT_EQ(2u, zorvan->Release());
  IUnknown* identity = nullptr;
  const int queries = outer.queries;
  ASSERT_EQ(S_OK, zorvan->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity)));
  EXPECT_EQ(static_cast<IUnknown*>(&outer), identity);
  EXPECT_EQ(queries + 1, outer.queries);
  identity->Release();
  // The aggregated object still computes.
  VARIANT_BOOL done = VARIANT_FALSE;
  EXPECT_EQ(S_OK, zorvan->put_Value(1050));
  EXPECT_EQ(S_OK, zorvan->put_TaxRate(5));
  EXPECT_EQ(S_OK, zorvan->put_TaxType(tvPreTax));
  EXPECT_EQ(S_OK, zorvan->TaxCalc(&done));
  double price = 0;
  EXPECT_EQ(S_OK, zorvan->get_Price(&price));
  EXPECT_EQ(1000.0, price);
  zorvan->Release();
  EXPECT_EQ(1u, outer.count);
  EXPECT_EQ(0u, outer.inner->Release());
  outer.inner = nullptr;
}

TEST(EarlyBinding, PropertiesRangesAndTaxCalc) {
  Ref<IZorvan> o;
  ASSERT_EQ(S_OK, NewObject(o));
  double d = -1;
  tvRateTypeConst rate;
  tvTaxTypeConst tax;
  tvRoundTypeConst round;
  short digit = -1;
  EXPECT_EQ(S_OK, o->get_Value(&d));
  EXPECT_EQ(0.0, d);
  EXPECT_EQ(S_OK, o->get_RateType(&rate));
  EXPECT_EQ(tvRatePercentage, rate);
  EXPECT_EQ(S_OK, o->get_TaxType(&tax));
  EXPECT_EQ(tvAfterTax, tax);
  EXPECT_EQ(S_OK, o->get_RoundType(&round));
  EXPECT_EQ(tvRoundNone, round);
  EXPECT_EQ(S_OK, o->get_RoundDigit(&digit));
  EXPECT_EQ(0, digit);

  EXPECT_EQ(kInvalidPropertyValue, o->put_Value(1000000000000000.1));
  EXPECT_EQ(kInvalidPropertyValue, o->put_TaxRate(-1));
  EXPECT_EQ(kInvalidPropertyValue, o->put_RateType(static_cast<tvRateTypeConst>(2)));
  EXPECT_EQ(kInvalidPropertyValue, o->put_TaxType(static_cast<tvTaxTypeConst>(-1)));
  EXPECT_EQ(kInvalidPropertyValue, o->put_RoundType(static_cast<tvRoundTypeConst>(4)));
  EXPECT_EQ(kInvalidPropertyValue, o->put_RoundDigit(16));
  EXPECT_EQ(S_OK, o->get_Value(&d));
  EXPECT_EQ(0.0, d);

  EXPECT_EQ(S_OK, o->put_Value(1000));
  EXPECT_EQ(S_OK, o->put_TaxRate(5));
  EXPECT_EQ(S_OK, o->put_TaxType(tvPreTax));
  VARIANT_BOOL done = VARIANT_FALSE;
  EXPECT_EQ(S_OK, o->TaxCalc(&done));
  EXPECT_EQ(VARIANT_TRUE, done);
  double price, taxAmount, total;
  o->get_Price(&price);
  o->get_Tax(&taxAmount);
  o->get_Total(&total);
  EXPECT_TRUE(SameBits(952.3809523809523, price));
  EXPECT_TRUE(SameBits(47.61904761904805, taxAmount));
  EXPECT_TRUE(SameBits(1000.0, total));

  EXPECT_EQ(E_POINTER, o->TaxCalc(nullptr));
  EXPECT_EQ(E_POINTER, o->get_Price(nullptr));
}

TEST(EarlyBinding, VersionIsAFreshStringEachCall) {
  Ref<IZorvan> o;
  ASSERT_EQ(S_OK, NewObject(o));
  BSTR first = nullptr, second = nullptr;
  ASSERT_EQ(S_OK, o->get_Version(&first));
  ASSERT_EQ(S_OK, o->get_Version(&second));
  ASSERT_NE(nullptr, first);
  ASSERT_NE(first, second);
  EXPECT_STREQ(L"6.0.2.3", first);
  SysFreeString(first);
  EXPECT_STREQ(L"6.0.2.3", second);
  SysFreeString(second);
}

DISPID IdOf(IDispatch* dispatch, const wchar_t* name) {
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  DISPID id = -999;
  EXPECT_EQ(S_OK, dispatch->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id)) << name;
  return id;
}

HRESULT Put(IDispatch* dispatch, DISPID id, VARIANT value, EXCEPINFO* exception = nullptr) {
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS params = {&value, &named, 1, 1};
  return dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params, nullptr,
                          exception, nullptr);
}

HRESULT Get(IDispatch* dispatch, DISPID id, VARIANT* result, WORD flags = DISPATCH_PROPERTYGET) {
  DISPPARAMS none = {nullptr, nullptr, 0, 0};
  VariantInit(result);
  return dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &none, result, nullptr, nullptr);
}

VARIANT Double(double d) {
  VARIANT v;
  VariantInit(&v);
  V_VT(&v) = VT_R8;
  V_R8(&v) = d;
  return v;
}

TEST(LateBinding, NamesMapToTheirDispatchIdentifiers) {
  Ref<IDispatch> d;
  ASSERT_EQ(S_OK, CoCreateInstance(CLSID_tvZorvan, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, d.Out()));
  const struct {
    const wchar_t* name;
    DISPID id;
  } expected[] = {{L"Value", 0}, {L"Price", 1},  {L"RateType", 2}, {L"RoundDigit", 3}, {L"RoundType", 4},
                  {L"Tax", 5},   {L"TaxRate", 6}, {L"TaxType", 7}, {L"Total", 8},      {L"Version", 10},
                  {L"TaxCalc", 11}, {L"AboutBox", 12}, {L"taxcalc", 11}};
  for (const auto& e : expected) EXPECT_EQ(e.id, IdOf(d.p, e.name)) << e.name;
  LPOLESTR unknown[] = {const_cast<LPOLESTR>(L"Discount")};
  DISPID id = 0;
  EXPECT_EQ(DISP_E_UNKNOWNNAME, d->GetIDsOfNames(IID_NULL, unknown, 1, LOCALE_USER_DEFAULT, &id));
  UINT count = 0;
  EXPECT_EQ(S_OK, d->GetTypeInfoCount(&count));
  EXPECT_EQ(1u, count);
}

TEST(LateBinding, DefaultPropertyTaxCalcAndErrors) {
  Ref<IDispatch> d;
  ASSERT_EQ(S_OK, CoCreateInstance(CLSID_tvZorvan, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, d.Out()));
  EXPECT_EQ(S_OK, Put(d.p, DISPID_VALUE, Double(1000)));
  VARIANT v;
  ASSERT_EQ(S_OK, Get(d.p, DISPID_VALUE, &v));
  EXPECT_EQ(VT_R8, V_VT(&v));
  EXPECT_EQ(1000.0, V_R8(&v));
  EXPECT_EQ(S_OK, Put(d.p, 6, Double(5)));

  ASSERT_EQ(S_OK, Get(d.p, 11, &v, DISPATCH_METHOD));
  EXPECT_EQ(VT_BOOL, V_VT(&v));
  EXPECT_EQ(VARIANT_TRUE, V_BOOL(&v));
  ASSERT_EQ(S_OK, Get(d.p, 8, &v));
  EXPECT_EQ(1050.0, V_R8(&v));

  // A rejected write: the object's code, or the same code as the
  // exception's status, as the type information reports it.
  EXCEPINFO exception = {};
  const HRESULT hr = Put(d.p, 0, Double(2e15), &exception);
  EXPECT_TRUE(hr == kInvalidPropertyValue || (hr == DISP_E_EXCEPTION && exception.scode == kInvalidPropertyValue))
      << std::hex << hr;
  SysFreeString(exception.bstrSource);
  SysFreeString(exception.bstrDescription);
  SysFreeString(exception.bstrHelpFile);
  ASSERT_EQ(S_OK, Get(d.p, 0, &v));
  EXPECT_EQ(1000.0, V_R8(&v));

  EXPECT_EQ(DISP_E_MEMBERNOTFOUND, Get(d.p, 9, &v));
}

TEST(LateBinding, TypeInfoIgnoresTheIndex) {
  Ref<IDispatch> d;
  ASSERT_EQ(S_OK, CoCreateInstance(CLSID_tvZorvan, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, d.Out()));
  Ref<ITypeInfo> zero, five;
  ASSERT_EQ(S_OK, d->GetTypeInfo(0, LOCALE_USER_DEFAULT, &zero.p));
  ASSERT_EQ(S_OK, d->GetTypeInfo(5, LOCALE_USER_DEFAULT, &five.p));
  EXPECT_EQ(zero.p, five.p);
  TYPEATTR* attr = nullptr;
  ASSERT_EQ(S_OK, zero->GetTypeAttr(&attr));
  EXPECT_TRUE(IsEqualGUID(IID_IZorvan, attr->guid));
  zero->ReleaseTypeAttr(attr);
  EXPECT_EQ(E_POINTER, d->GetTypeInfo(0, LOCALE_USER_DEFAULT, nullptr));
}

TEST(LateBinding, ErrorObjectIsClearedByEveryInvoke) {
  Ref<IDispatch> d;
  ASSERT_EQ(S_OK, CoCreateInstance(CLSID_tvZorvan, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, d.Out()));
  Ref<ISupportErrorInfo> support;
  ASSERT_EQ(S_OK, d->QueryInterface(IID_ISupportErrorInfo, support.Out()));
  EXPECT_EQ(S_OK, support->InterfaceSupportsErrorInfo(IID_IZorvan));
  EXPECT_EQ(S_FALSE, support->InterfaceSupportsErrorInfo(IID_IDispatch));
  EXPECT_EQ(S_FALSE, support->InterfaceSupportsErrorInfo(IID_IUnknown));
  EXPECT_EQ(S_FALSE, support->InterfaceSupportsErrorInfo(IID_ISupportErrorInfo));

  for (double value : {100.0, 5e15}) {  // a call that succeeds and one that fails
    Ref<ICreateErrorInfo> create;
    ASSERT_EQ(S_OK, CreateErrorInfo(&create.p));
    Ref<IErrorInfo> error;
    ASSERT_EQ(S_OK, create->QueryInterface(IID_IErrorInfo, error.Out()));
    ASSERT_EQ(S_OK, SetErrorInfo(0, error.p));
    Put(d.p, 0, Double(value));
    Ref<IErrorInfo> left;
    EXPECT_EQ(S_FALSE, GetErrorInfo(0, &left.p)) << value;
    EXPECT_EQ(nullptr, left.p);
  }
}

// The type information is cached while objects live and dropped with the
// last one; without the registered type library only late binding fails.
TEST(LateBinding, TypeInfoFollowsTheLastObjectAndTheRegistration) {
  Ref<IDispatch> first;
  ASSERT_EQ(S_OK, CoCreateInstance(CLSID_tvZorvan, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, first.Out()));
  EXPECT_EQ(0, IdOf(first.p, L"Value"));  // loads the type information
  ASSERT_EQ(S_OK, UnRegisterTypeLib(LIBID_tvZorvan6Lib, 1, 0, 0, SYS_WIN32));
  {
    Ref<IDispatch> second;
    ASSERT_EQ(S_OK, CoCreateInstance(CLSID_tvZorvan, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, second.Out()));
    EXPECT_EQ(11, IdOf(second.p, L"TaxCalc")) << "cached while an object lives";
  }
  first.Reset();

  Ref<IZorvan> third;
  ASSERT_EQ(S_OK, NewObject(third));
  LPOLESTR names[] = {const_cast<LPOLESTR>(L"Value")};
  DISPID id = 0;
  const HRESULT lateBound = third->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  VARIANT v;
  const HRESULT invoke = Get(third.p, 0, &v);
  Ref<ITypeInfo> none;
  const HRESULT typeInfo = third->GetTypeInfo(0, LOCALE_USER_DEFAULT, &none.p);
  EXPECT_EQ(S_OK, third->put_Value(5)) << "the vtable does not need the type library";
  // Put the registration back before judging, so later tests see it.
  ASSERT_EQ(S_OK, Server().registerServer());
  EXPECT_EQ(TYPE_E_LIBNOTREGISTERED, lateBound);
  EXPECT_EQ(TYPE_E_LIBNOTREGISTERED, invoke);
  EXPECT_EQ(TYPE_E_LIBNOTREGISTERED, typeInfo);
  EXPECT_EQ(nullptr, none.p);
  // Registered again: the next call loads it.
  EXPECT_EQ(S_OK, third->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id));
  EXPECT_EQ(0, id);
}

}  // namespace
}  // namespace zorvan::test
