#include "interface_table.h"

namespace zorvan {

HRESULT QueryInterfaceTable(const InterfaceEntry* table, std::size_t count, REFIID iid, void** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  IUnknown* chosen = nullptr;
  if (IsEqualIID(iid, IID_IUnknown)) {
    chosen = table[0].pointer;
  } else {
    for (std::size_t i = 0; i < count && chosen == nullptr; ++i)
      if (IsEqualIID(iid, *table[i].iid)) chosen = table[i].pointer;
  }
  if (chosen == nullptr) return E_NOINTERFACE;
  chosen->AddRef();
  *object = chosen;
  return S_OK;
}

}  // namespace zorvan
