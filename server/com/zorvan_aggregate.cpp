#include "zorvan_aggregate.h"

#include <new>

namespace zorvan {

STDMETHODIMP ZorvanAggregate::QueryInterface(REFIID iid, void** object) {
  if (object == nullptr) return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown)) {
    *object = static_cast<IUnknown*>(this);
    AddRef();
    return S_OK;
  }
  return contained_.QueryOwnInterface(iid, object);
}

STDMETHODIMP_(ULONG) ZorvanAggregate::AddRef() { return ++count_; }

STDMETHODIMP_(ULONG) ZorvanAggregate::Release() {
  const ULONG count = --count_;
  if (count == 0) delete this;
  return count;
}

HRESULT CreateAggregatedInstance(IUnknown* outer, REFIID iid, void** object) {
  ZorvanAggregate* created = new (std::nothrow) ZorvanAggregate(outer);
  if (created == nullptr) return E_OUTOFMEMORY;
  const HRESULT hr = created->QueryInterface(iid, object);
  if (hr != S_OK) delete created;
  return hr;
}

}  // namespace zorvan
