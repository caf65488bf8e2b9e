// The class object of tvZorvan. The module holds one reference from its
// creation to process detach; client references beyond it lock the module.
#pragma once
#include <windows.h>
#include <unknwn.h>

namespace zorvan {

using CreateInstanceFunction = HRESULT (*)(IUnknown* outer, REFIID iid, void** object);

HRESULT CreateClassFactory(CreateInstanceFunction createInstance, REFIID iid, void** object);

}  // namespace zorvan
