// The IZorvan type information, loaded once from the registered type
// library and shared by every tax object of the process while any lives.
#pragma once
#include <windows.h>
#include <oaidl.h>

namespace zorvan {

class TypeInfoCache {
 public:
  static void AddUser();
  // The last user gone releases the cached type information.
  static void ReleaseUser();
  // The cached type information with a reference for the caller, loading
  // it first when needed; null and the load failure when it cannot be had.
  static HRESULT Fetch(LCID locale, ITypeInfo** typeInfo);
};

}  // namespace zorvan
