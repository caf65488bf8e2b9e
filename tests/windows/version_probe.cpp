// Loads one build of the server by its path and prints what Version
// returns through the vtable: "S_OK <length> [<text>]", or the failure.
//   version_probe <dll>
#include <windows.h>
#include <ole2.h>

#include <cstdio>

#include "zorvan_h.h"

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  HMODULE module = LoadLibraryA(argv[1]);
  if (module == nullptr) return 3;
  auto getClassObject = reinterpret_cast<HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**)>(
      reinterpret_cast<void*>(GetProcAddress(module, "DllGetClassObject")));
  IClassFactory* factory = nullptr;
  IZorvan* object = nullptr;
  if (getClassObject == nullptr ||
      FAILED(getClassObject(CLSID_tvZorvan, IID_IClassFactory, reinterpret_cast<void**>(&factory))) ||
      FAILED(factory->CreateInstance(nullptr, IID_IZorvan, reinterpret_cast<void**>(&object)))) {
    return 4;
  }
  BSTR version = nullptr;
  const HRESULT hr = object->get_Version(&version);
  if (hr != S_OK) std::printf("0x%08lX\n", static_cast<unsigned long>(hr));
  else if (version == nullptr) std::printf("S_OK null\n");
  else std::printf("S_OK %u [%ls]\n", SysStringLen(version), version);
  SysFreeString(version);
  object->Release();
  factory->Release();
  CoUninitialize();
  return 0;
}
