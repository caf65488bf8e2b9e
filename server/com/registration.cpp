#include "registration.h"

#include <oleauto.h>

#include <new>
#include <string>

#include "raii.h"
#include "registry_script.h"
#include "server_module.h"
#include "win32_registry.h"

namespace zorvan {
namespace {

constexpr UINT kRegistryScriptId = 101;

bool IsLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }

// The module's path in the ANSI code page; false when it does not fit, so
// that a cut path is never registered.
bool ModulePath(HMODULE module, char* path) {
  const DWORD length = GetModuleFileNameA(module, path, MAX_PATH);
  return length > 0 && length < MAX_PATH;
}

HRESULT LastErrorOr(HRESULT fallback) {
  const DWORD error = GetLastError();
  return error != 0 ? HResultFromWin32(error) : fallback;
}

// A wide copy of an ANSI text (CP_ACP); empty on failure.
std::wstring Widen(const char* text) {
  const int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  if (length <= 0) return std::wstring();
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text, -1, &wide[0], length);
  wide.resize(static_cast<std::size_t>(length - 1));
  return wide;
}

}  // namespace

HRESULT RunRegistryResource(UINT resourceId, bool doRegister) {
  char path[MAX_PATH];
  if (!ModulePath(g_serverModule.instance, path)) return HResultFromWin32(ERROR_INSUFFICIENT_BUFFER);

  try {
    ReplacementMap replacements;
    replacements.Add("Module", path);

    LoadedModule file(LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE));
    if (file.get() == nullptr) return LastErrorOr(E_FAIL);
    // A missing or unloadable script is a failed registration, never S_OK.
    HRSRC found = FindResourceA(file.get(), MAKEINTRESOURCEA(resourceId), "REGISTRY");
    if (found == nullptr) return LastErrorOr(E_FAIL);
    HGLOBAL loaded = LoadResource(file.get(), found);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (bytes == nullptr) return LastErrorOr(E_FAIL);
    const std::string script(static_cast<const char*>(bytes), SizeofResource(file.get(), found));

    Win32Registry registry;
    return RunRegistryScript(script.c_str(), doRegister, replacements,
                             ScriptEnvironment{registry, IsLeadByte});
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

HRESULT UpdateZorvanRegistry(BOOL doRegister) {
  return RunRegistryResource(kRegistryScriptId, doRegister != FALSE);
}

HRESULT RegisterModuleTypeLib() {
  char path[MAX_PATH + 4];  // room to append ".tlb"
  if (!ModulePath(g_serverModule.typeLibInstance, path))
    return HResultFromWin32(ERROR_INSUFFICIENT_BUFFER);

  ComPtr<ITypeLib> library;
  HRESULT hr = LoadTypeLib(Widen(path).c_str(), library.Receive());
  if (FAILED(hr)) {
    // The type library may lie beside the module as a ".tlb" file.
    char* dot = nullptr;
    for (char* p = path; *p; p = CharNextA(p))
      if (*p == '.') dot = p;
    if (dot == nullptr) dot = path + lstrlenA(path);
    lstrcpyA(dot, ".tlb");
    hr = LoadTypeLib(Widen(path).c_str(), library.Receive());
    if (FAILED(hr)) return hr;
  }

  // The help directory is the loaded file's folder, with its separator.
  std::string helpDirectory(path);
  std::size_t cut = 0;
  for (const char* p = path; *p; p = CharNextA(p))
    if (*p == '\\' || *p == '/' || *p == ':') cut = static_cast<std::size_t>(p - path) + 1;
  helpDirectory.resize(cut);

  std::wstring widePath = Widen(path);
  std::wstring wideHelp = Widen(helpDirectory.c_str());
  return RegisterTypeLib(library.get(), &widePath[0], &wideHelp[0]);
}

}  // namespace zorvan
