#include "zorvan_object.h"

#include <new>

#include <string>

#include "about_dialog.h"
#include "about_ids.h"
#include "interface_table.h"
#include "raii.h"
#include "server_module.h"
#include "type_info_cache.h"
#include "version_text.h"

namespace zorvan {

ZorvanObject::ZorvanObject(IUnknown* outer) : outer_(outer) {
  TypeInfoCache::AddUser();
  LockModule();
}

ZorvanObject::~ZorvanObject() {
  UnlockModule();
  TypeInfoCache::ReleaseUser();
}

HRESULT ZorvanObject::QueryOwnInterface(REFIID iid, void** object) {
  const InterfaceEntry table[] = {
      {&IID_IZorvan, static_cast<IZorvan*>(this)},
      {&IID_IDispatch, static_cast<IZorvan*>(this)},
      {&IID_ISupportErrorInfo, static_cast<ISupportErrorInfo*>(this)},
  };
  return QueryInterfaceTable(table, sizeof table / sizeof table[0], iid, object);
}

STDMETHODIMP ZorvanObject::QueryInterface(REFIID iid, void** object) {
  if (outer_) return outer_->QueryInterface(iid, object);
  return QueryOwnInterface(iid, object);
}

STDMETHODIMP_(ULONG) ZorvanObject::AddRef() {
  if (outer_) return outer_->AddRef();
  return ++refCount_;
}

STDMETHODIMP_(ULONG) ZorvanObject::Release() {
  if (outer_) return outer_->Release();
  const ULONG count = --refCount_;
  if (count == 0) delete this;
  return count;
}

STDMETHODIMP ZorvanObject::InterfaceSupportsErrorInfo(REFIID iid) {
  static const IID* const supported[] = {&IID_IZorvan};
  for (const IID* entry : supported)
    if (IsEqualIID(iid, *entry)) return S_OK;
  return S_FALSE;
}

STDMETHODIMP ZorvanObject::GetTypeInfoCount(UINT* count) {
  if (count == nullptr) return E_POINTER;
  *count = 1;
  return S_OK;
}

STDMETHODIMP ZorvanObject::GetTypeInfo(UINT, LCID locale, ITypeInfo** typeInfo) {
  if (typeInfo == nullptr) return E_POINTER;
  return TypeInfoCache::Fetch(locale, typeInfo);
}

STDMETHODIMP ZorvanObject::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID locale,
                                         DISPID* dispIds) {
  ComPtr<ITypeInfo> typeInfo;
  const HRESULT hr = TypeInfoCache::Fetch(locale, typeInfo.Receive());
  if (!typeInfo) return hr;
  return typeInfo->GetIDsOfNames(names, count, dispIds);
}

STDMETHODIMP ZorvanObject::Invoke(DISPID dispId, REFIID, LCID locale, WORD flags,
                                  DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                  UINT* argumentError) {
  // This object never reports through error objects: none may linger from
  // an earlier call on this thread.
  SetErrorInfo(0, nullptr);
  ComPtr<ITypeInfo> typeInfo;
  const HRESULT hr = TypeInfoCache::Fetch(locale, typeInfo.Receive());
  if (!typeInfo) return hr;
  return typeInfo->Invoke(static_cast<IZorvan*>(this), dispId, flags, params, result, exception,
                          argumentError);
}

// Property reads. Automation always passes a result pointer; a null one
// gets E_POINTER rather than a crash.
#define ZORVAN_GETTER(Name, Type, Expression)     \
  STDMETHODIMP ZorvanObject::get_##Name(Type* pVal) { \
    if (pVal == nullptr) return E_POINTER;        \
    *pVal = Expression;                           \
    return S_OK;                                  \
  }

ZORVAN_GETTER(Price, double, state_.GetPrice())
ZORVAN_GETTER(RateType, tvRateTypeConst, static_cast<tvRateTypeConst>(state_.GetRateType()))
ZORVAN_GETTER(RoundDigit, short, state_.GetRoundDigit())
ZORVAN_GETTER(RoundType, tvRoundTypeConst, static_cast<tvRoundTypeConst>(state_.GetRoundType()))
ZORVAN_GETTER(Tax, double, state_.GetTax())
ZORVAN_GETTER(TaxRate, double, state_.GetTaxRate())
ZORVAN_GETTER(TaxType, tvTaxTypeConst, static_cast<tvTaxTypeConst>(state_.GetTaxType()))
ZORVAN_GETTER(Total, double, state_.GetTotal())
ZORVAN_GETTER(Value, double, state_.GetValue())
#undef ZORVAN_GETTER

STDMETHODIMP ZorvanObject::put_RateType(tvRateTypeConst newVal) { return state_.PutRateType(newVal); }
STDMETHODIMP ZorvanObject::put_RoundDigit(short newVal) { return state_.PutRoundDigit(newVal); }
STDMETHODIMP ZorvanObject::put_RoundType(tvRoundTypeConst newVal) { return state_.PutRoundType(newVal); }
STDMETHODIMP ZorvanObject::put_TaxRate(double newVal) { return state_.PutTaxRate(newVal); }
STDMETHODIMP ZorvanObject::put_TaxType(tvTaxTypeConst newVal) { return state_.PutTaxType(newVal); }
STDMETHODIMP ZorvanObject::put_Value(double newVal) { return state_.PutValue(newVal); }

STDMETHODIMP ZorvanObject::get_Version(BSTR* pVal) {
  if (pVal == nullptr) return E_POINTER;
  char text[kVersionTextSize] = {};
  GetModuleVersionText(g_serverModule.instance, text);
  WCHAR wide[kVersionTextSize] = {};
  MultiByteToWideChar(CP_ACP, 0, text, -1, wide, kVersionTextSize);
  *pVal = SysAllocString(wide);
  return S_OK;
}

STDMETHODIMP ZorvanObject::AboutBox() {
  AboutDialog dialog(IDD_ABOUT);
  // The build line shows the text of this object's own Version.
  Bstr version;
  static_cast<IZorvan*>(this)->get_Version(version.Receive());
  std::string versionText;
  if (version.get() != nullptr) {
    try {
      versionText.resize(2 * SysStringLen(version.get()) + 2);
      WideCharToMultiByte(CP_ACP, 0, version.get(), -1, &versionText[0],
                          static_cast<int>(versionText.size()), nullptr, nullptr);
      dialog.SetVersionText(versionText.c_str());
    } catch (const std::bad_alloc&) {
      // No room for the text: the build line shows no version.
    }
  }
  dialog.ShowModal(GetActiveWindow());
  return S_OK;
}

STDMETHODIMP ZorvanObject::TaxCalc(VARIANT_BOOL* pVal) {
  if (pVal == nullptr) return E_POINTER;
  state_.TaxCalc();
  *pVal = VARIANT_TRUE;
  return S_OK;
}

HRESULT CreatePlainInstance(REFIID iid, void** object) {
  ZorvanObject* created = new (std::nothrow) ZorvanObject(nullptr);
  if (created == nullptr) return E_OUTOFMEMORY;
  const HRESULT hr = created->QueryOwnInterface(iid, object);
  if (hr != S_OK) delete created;
  return hr;
}

HRESULT CreateZorvanInstance(IUnknown* outer, REFIID iid, void** object) {
  return outer == nullptr ? CreatePlainInstance(iid, object)
                          : CreateAggregatedInstance(outer, iid, object);
}

}  // namespace zorvan
