// The DLL's entry point and its four exports.
#include <windows.h>
#include <oleauto.h>

#include "class_factory.h"
#include "raii.h"
#include "registration.h"
#include "server_module.h"
#include "zorvan_h.h"
#include "zorvan_object.h"

namespace zorvan {
namespace {

struct ClassObjectEntry {
  const CLSID* clsid;  // null ends the table
  HRESULT (*updateRegistry)(BOOL doRegister);
  HRESULT (*createClassObject)(CreateInstanceFunction createInstance, REFIID iid, void** object);
  CreateInstanceFunction createInstance;
  IUnknown* cachedClassObject;
  const char* (*description)();
};

const char* GetZorvanDescription() { return nullptr; }

ClassObjectEntry g_classObjects[] = {
    {&CLSID_tvZorvan, UpdateZorvanRegistry, CreateClassFactory, CreateZorvanInstance, nullptr,
     GetZorvanDescription},
    {nullptr, nullptr, nullptr, nullptr, nullptr, nullptr},
};

}  // namespace
}  // namespace zorvan

using namespace zorvan;

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    InitModule(instance);
    DisableThreadLibraryCalls(instance);
  } else if (reason == DLL_PROCESS_DETACH) {
    for (ClassObjectEntry* entry = g_classObjects; entry->clsid; ++entry) {
      if (entry->cachedClassObject) {
        entry->cachedClassObject->Release();
        entry->cachedClassObject = nullptr;
      }
    }
    TermModule();
  }
  return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, LPVOID* object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  HRESULT hr = S_OK;
  for (ClassObjectEntry* entry = g_classObjects; entry->clsid; ++entry) {
    if (!IsEqualCLSID(clsid, *entry->clsid)) continue;
    if (entry->cachedClassObject == nullptr) {
      CriticalSectionLock lock(g_serverModule.classObjectLock);
      if (entry->cachedClassObject == nullptr)
        hr = entry->createClassObject(entry->createInstance, IID_IUnknown,
                                      reinterpret_cast<void**>(&entry->cachedClassObject));
    }
    if (entry->cachedClassObject != nullptr) hr = entry->cachedClassObject->QueryInterface(iid, object);
    break;
  }
  if (*object == nullptr && hr == S_OK) hr = CLASS_E_CLASSNOTAVAILABLE;
  return hr;
}

STDAPI DllCanUnloadNow() { return LockCount() == 0 ? S_OK : S_FALSE; }

STDAPI DllRegisterServer() {
  for (ClassObjectEntry* entry = g_classObjects; entry->clsid; ++entry) {
    if (entry->description() != nullptr) continue;
    const HRESULT hr = entry->updateRegistry(TRUE);
    if (FAILED(hr)) return hr;
  }
  return RegisterModuleTypeLib();
}

STDAPI DllUnregisterServer() {
  for (ClassObjectEntry* entry = g_classObjects; entry->clsid; ++entry) {
    if (entry->description() == nullptr) entry->updateRegistry(FALSE);
  }
  UnRegisterTypeLib(LIBID_tvZorvan6Lib, 1, 0, 0, SYS_WIN32);
  return S_OK;
}
