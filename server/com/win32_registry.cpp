#include "win32_registry.h"

#include <windows.h>

#include <cstring>

namespace zorvan {
namespace {

HKEY Handle(RegKey key) { return reinterpret_cast<HKEY>(key); }
RegKey Key(HKEY key) { return reinterpret_cast<RegKey>(key); }

}  // namespace

RegKey Win32Registry::Root(RegRoot root) {
  switch (root) {
    case RegRoot::ClassesRoot: return Key(HKEY_CLASSES_ROOT);
    case RegRoot::CurrentUser: return Key(HKEY_CURRENT_USER);
    case RegRoot::LocalMachine: return Key(HKEY_LOCAL_MACHINE);
    case RegRoot::Users: return Key(HKEY_USERS);
    case RegRoot::PerformanceData: return Key(HKEY_PERFORMANCE_DATA);
    case RegRoot::DynData: return Key(HKEY_DYN_DATA);
    case RegRoot::CurrentConfig: return Key(HKEY_CURRENT_CONFIG);
  }
  return 0;
}

RegStatus Win32Registry::OpenKey(RegKey parent, const char* name, RegAccess access, RegKey* key) {
  HKEY opened = nullptr;
  const LONG status = RegOpenKeyExA(Handle(parent), name, 0,
                                    access == RegAccess::Full ? KEY_ALL_ACCESS : KEY_READ, &opened);
  if (status == ERROR_SUCCESS) *key = Key(opened);
  return status;
}

RegStatus Win32Registry::CreateKey(RegKey parent, const char* name, RegKey* key) {
  HKEY created = nullptr;
  const LONG status = RegCreateKeyExA(Handle(parent), name, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                      KEY_ALL_ACCESS, nullptr, &created, nullptr);
  if (status == ERROR_SUCCESS) *key = Key(created);
  return status;
}

RegStatus Win32Registry::SetString(RegKey key, const char* valueName, const char* data) {
  return RegSetValueExA(Handle(key), valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(data),
                        static_cast<DWORD>(std::strlen(data) + 1));
}

RegStatus Win32Registry::SetDword(RegKey key, const char* valueName, std::uint32_t data) {
  const DWORD value = data;
  return RegSetValueExA(Handle(key), valueName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                        sizeof value);
}

RegStatus Win32Registry::DeleteKey(RegKey parent, const char* name) {
  return RegDeleteKeyA(Handle(parent), name);
}

RegStatus Win32Registry::DeleteValue(RegKey key, const char* valueName) {
  return RegDeleteValueA(Handle(key), valueName);
}

RegStatus Win32Registry::FirstSubkeyName(RegKey key, char* name, std::size_t size) {
  DWORD length = static_cast<DWORD>(size);
  return RegEnumKeyExA(Handle(key), 0, name, &length, nullptr, nullptr, nullptr, nullptr);
}

RegStatus Win32Registry::CountSubkeysAndValues(RegKey key, std::uint32_t* subkeys,
                                               std::uint32_t* values) {
  DWORD keyCount = 0, valueCount = 0;
  const LONG status = RegQueryInfoKeyA(Handle(key), nullptr, nullptr, nullptr, &keyCount, nullptr,
                                       nullptr, &valueCount, nullptr, nullptr, nullptr, nullptr);
  if (status == ERROR_SUCCESS) {
    *subkeys = keyCount;
    *values = valueCount;
  }
  return status;
}

RegStatus Win32Registry::DefaultValueSize(RegKey key, std::uint32_t* size) {
  DWORD bytes = 0;
  const LONG status = RegQueryValueExA(Handle(key), nullptr, nullptr, nullptr, nullptr, &bytes);
  if (status == ERROR_SUCCESS) *size = bytes;
  return status;
}

RegStatus Win32Registry::CloseKey(RegKey key) { return RegCloseKey(Handle(key)); }

}  // namespace zorvan
