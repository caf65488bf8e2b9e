// The record that an outer object holds when it aggregates a tax object:
// the non-delegating inner unknown with the tax object built in place.
#pragma once
#include <windows.h>
#include <unknwn.h>

#include "zorvan_object.h"

namespace zorvan {

class ZorvanAggregate final : public IUnknown {
 public:
  explicit ZorvanAggregate(IUnknown* outer) : contained_(outer) {}

  // IID_IUnknown is this inner unknown; every other interface is the
  // contained object's, whose IUnknown reaches the outer object.
  STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;

 private:
  ULONG count_ = 0;
  ZorvanObject contained_;
};

}  // namespace zorvan
