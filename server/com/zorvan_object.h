// The tax object: the dual interface IZorvan over the calculation state,
// IDispatch through the cached type information, and ISupportErrorInfo.
// Stand-alone it counts its own references; inside an aggregate it
// forwards IUnknown to the outer object.
#pragma once
#include <windows.h>
#include <oaidl.h>

#include "tax_state.h"
#include "zorvan_h.h"

namespace zorvan {

class ZorvanObject final : public ISupportErrorInfo, public IZorvan {
 public:
  // Joins the type-information cache and locks the module; the destructor
  // undoes both.
  explicit ZorvanObject(IUnknown* outer);
  ~ZorvanObject();
  ZorvanObject(const ZorvanObject&) = delete;
  ZorvanObject& operator=(const ZorvanObject&) = delete;

  // The object's own interfaces, without forwarding to an outer object.
  HRESULT QueryOwnInterface(REFIID iid, void** object);

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;

  // ISupportErrorInfo
  STDMETHODIMP InterfaceSupportsErrorInfo(REFIID iid) override;

  // IDispatch
  STDMETHODIMP GetTypeInfoCount(UINT* count) override;
  STDMETHODIMP GetTypeInfo(UINT index, LCID locale, ITypeInfo** typeInfo) override;
  STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                             DISPID* dispIds) override;
  STDMETHODIMP Invoke(DISPID dispId, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params,
                      VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override;

  // IZorvan
  STDMETHODIMP get_Price(double* pVal) override;
  STDMETHODIMP get_RateType(tvRateTypeConst* pVal) override;
  STDMETHODIMP put_RateType(tvRateTypeConst newVal) override;
  STDMETHODIMP get_RoundDigit(short* pVal) override;
  STDMETHODIMP put_RoundDigit(short newVal) override;
  STDMETHODIMP get_RoundType(tvRoundTypeConst* pVal) override;
  STDMETHODIMP put_RoundType(tvRoundTypeConst newVal) override;
  STDMETHODIMP get_Tax(double* pVal) override;
  STDMETHODIMP get_TaxRate(double* pVal) override;
  STDMETHODIMP put_TaxRate(double newVal) override;
  STDMETHODIMP get_TaxType(tvTaxTypeConst* pVal) override;
  STDMETHODIMP put_TaxType(tvTaxTypeConst newVal) override;
  STDMETHODIMP get_Total(double* pVal) override;
  STDMETHODIMP get_Value(double* pVal) override;
  STDMETHODIMP put_Value(double newVal) override;
  STDMETHODIMP get_Version(BSTR* pVal) override;
  STDMETHODIMP AboutBox() override;
  STDMETHODIMP TaxCalc(VARIANT_BOOL* pVal) override;

 private:
  ULONG refCount_ = 0;  // stand-alone only
  IUnknown* outer_;     // inside an aggregate: not counted
  TaxState state_;
};

// Creates a stand-alone tax object (outer null) or an aggregate's inner
// unknown (outer given), as the class object asks.
HRESULT CreateZorvanInstance(IUnknown* outer, REFIID iid, void** object);
HRESULT CreatePlainInstance(REFIID iid, void** object);
HRESULT CreateAggregatedInstance(IUnknown* outer, REFIID iid, void** object);

}  // namespace zorvan
