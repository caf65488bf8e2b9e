#include "class_factory.h"

#include <new>

#include "interface_table.h"
#include "raii.h"
#include "server_module.h"

namespace zorvan {
namespace {

class ZorvanClassFactory final : public IClassFactory {
 public:
  explicit ZorvanClassFactory(CreateInstanceFunction createInstance) : createInstance_(createInstance) {
    InitializeCriticalSection(&countLock_);
  }
  ~ZorvanClassFactory() { DeleteCriticalSection(&countLock_); }
  ZorvanClassFactory(const ZorvanClassFactory&) = delete;
  ZorvanClassFactory& operator=(const ZorvanClassFactory&) = delete;

  STDMETHODIMP QueryInterface(REFIID iid, void** object) override {
    const InterfaceEntry table[] = {{&IID_IClassFactory, static_cast<IClassFactory*>(this)}};
    return QueryInterfaceTable(table, 1, iid, object);
  }

  // The first reference beyond the module's own locks the module.
  STDMETHODIMP_(ULONG) AddRef() override {
    CriticalSectionLock lock(countLock_);
    const LONG count = InterlockedIncrement(&refCount_);
    if (count == 2) LockModule();
    return static_cast<ULONG>(count);
  }

  STDMETHODIMP_(ULONG) Release() override {
    LONG count;
    {
      CriticalSectionLock lock(countLock_);
      count = InterlockedDecrement(&refCount_);
    }
    if (count == 0) delete this;
    else if (count == 1) UnlockModule();
    return static_cast<ULONG>(count);
  }

  STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (outer != nullptr && !IsEqualIID(iid, IID_IUnknown)) return CLASS_E_NOAGGREGATION;
    return createInstance_(outer, iid, object);
  }

  STDMETHODIMP LockServer(BOOL lock) override {
    if (lock) LockModule();
    else UnlockModule();
    return S_OK;
  }

 private:
  volatile LONG refCount_ = 0;
  CreateInstanceFunction createInstance_;
  CRITICAL_SECTION countLock_;
};

}  // namespace

HRESULT CreateClassFactory(CreateInstanceFunction createInstance, REFIID iid, void** object) {
  ZorvanClassFactory* factory = new (std::nothrow) ZorvanClassFactory(createInstance);
  if (factory == nullptr) return E_OUTOFMEMORY;
  const HRESULT hr = factory->QueryInterface(iid, object);
  if (hr != S_OK) delete factory;
  return hr;
}

}  // namespace zorvan
