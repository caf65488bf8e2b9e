// Shared set-up for tests that use ZORVAN60.DLL: COM in a single-threaded
// apartment, the DLL loaded by its path (from ZORVAN_DLL) and its exports.
#pragma once
#include <windows.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "zorvan_h.h"

namespace zorvan::test {

struct ServerExports {
  HMODULE module = nullptr;
  HRESULT(STDAPICALLTYPE* getClassObject)(REFCLSID, REFIID, void**) = nullptr;
  HRESULT(STDAPICALLTYPE* canUnloadNow)() = nullptr;
  HRESULT(STDAPICALLTYPE* registerServer)() = nullptr;
  HRESULT(STDAPICALLTYPE* unregisterServer)() = nullptr;
};

inline std::string DllPath() {
  const char* path = std::getenv("ZORVAN_DLL");
  return path ? path : "ZORVAN60.DLL";
}

// Loaded once for the test process and kept: COM loads the same module.
template <typename F>
F Export(HMODULE module, const char* name) {
  return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

inline const ServerExports& Server() {
  static ServerExports exports = [] {
    ServerExports e;
    e.module = LoadLibraryA(DllPath().c_str());
    if (e.module) {
      e.getClassObject = Export<decltype(e.getClassObject)>(e.module, "DllGetClassObject");
      e.canUnloadNow = Export<decltype(e.canUnloadNow)>(e.module, "DllCanUnloadNow");
      e.registerServer = Export<decltype(e.registerServer)>(e.module, "DllRegisterServer");
      e.unregisterServer = Export<decltype(e.unregisterServer)>(e.module, "DllUnregisterServer");
    }
    return e;
  }();
  return exports;
}

class ComEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    ASSERT_HRESULT_SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    ASSERT_NE(nullptr, Server().module) << "cannot load " << DllPath();
    ASSERT_NE(nullptr, Server().getClassObject);
  }
  void TearDown() override { CoUninitialize(); }
};

}  // namespace zorvan::test
