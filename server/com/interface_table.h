// Table-driven QueryInterface: an ordered list of (interface identifier,
// pointer); the first entry also answers IID_IUnknown.
#pragma once
#include <windows.h>
#include <unknwn.h>

#include <cstddef>

namespace zorvan {

struct InterfaceEntry {
  const IID* iid;
  IUnknown* pointer;
};

HRESULT QueryInterfaceTable(const InterfaceEntry* table, std::size_t count, REFIID iid, void** object);

}  // namespace zorvan
