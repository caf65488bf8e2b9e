#include "type_info_cache.h"

#include "raii.h"
#include "server_module.h"
#include "zorvan_h.h"

namespace zorvan {
namespace {

struct CacheRecord {
  const IID& interfaceId;
  const GUID& libraryId;
  WORD majorVersion;
  WORD minorVersion;
  ITypeInfo* typeInfo;  // owns one reference
  LONG users;
};

CacheRecord g_cache = {IID_IZorvan, LIBID_tvZorvan6Lib, 1, 0, nullptr, 0};

}  // namespace

void TypeInfoCache::AddUser() {
  CriticalSectionLock lock(g_serverModule.typeInfoLock);
  ++g_cache.users;
}

void TypeInfoCache::ReleaseUser() {
  CriticalSectionLock lock(g_serverModule.typeInfoLock);
  if (--g_cache.users == 0 && g_cache.typeInfo != nullptr) {
    g_cache.typeInfo->Release();
    g_cache.typeInfo = nullptr;
  }
}

HRESULT TypeInfoCache::Fetch(LCID locale, ITypeInfo** typeInfo) {
  *typeInfo = nullptr;
  CriticalSectionLock lock(g_serverModule.typeInfoLock);
  HRESULT hr = E_FAIL;
  if (g_cache.typeInfo == nullptr) {
    ComPtr<ITypeLib> library;
    hr = LoadRegTypeLib(g_cache.libraryId, g_cache.majorVersion, g_cache.minorVersion, locale,
                        library.Receive());
    if (SUCCEEDED(hr)) hr = library->GetTypeInfoOfGuid(g_cache.interfaceId, &g_cache.typeInfo);
  }
  *typeInfo = g_cache.typeInfo;
  if (g_cache.typeInfo != nullptr) {
    g_cache.typeInfo->AddRef();
    hr = S_OK;
  }
  return hr;
}

}  // namespace zorvan
