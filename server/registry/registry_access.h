// The registry operations that the registry-script interpreter needs, and
// nothing more. The DLL implements them on the Win32 registry (ANSI
// functions); tests use an in-memory registry that can fail any operation.
#pragma once
#include <cstddef>
#include <cstdint>

namespace zorvan {

// Win32 status codes as the registry returns them (0 is success).
using RegStatus = long;
inline constexpr RegStatus kRegOk = 0;
inline constexpr RegStatus kRegFileNotFound = 2;    // ERROR_FILE_NOT_FOUND
inline constexpr RegStatus kRegAccessDenied = 5;    // ERROR_ACCESS_DENIED
inline constexpr RegStatus kRegInvalidHandle = 6;   // ERROR_INVALID_HANDLE
inline constexpr RegStatus kRegMoreData = 234;      // ERROR_MORE_DATA
inline constexpr RegStatus kRegNoMoreItems = 259;   // ERROR_NO_MORE_ITEMS
inline constexpr RegStatus kRegKeyDeleted = 1018;   // ERROR_KEY_DELETED

// An open key, or one of the predefined roots. Opaque to the interpreter.
using RegKey = std::uintptr_t;

enum class RegRoot { ClassesRoot, CurrentUser, LocalMachine, Users, PerformanceData, DynData, CurrentConfig };

enum class RegAccess { Full, Read };

// Names are ANSI, NUL-terminated. A null value name is the key's default value.
class RegistryAccess {
 public:
  virtual ~RegistryAccess() = default;

  virtual RegKey Root(RegRoot root) = 0;
  virtual RegStatus OpenKey(RegKey parent, const char* name, RegAccess access, RegKey* key) = 0;
  // Non-volatile, no class, full access, default security.
  virtual RegStatus CreateKey(RegKey parent, const char* name, RegKey* key) = 0;
  virtual RegStatus SetString(RegKey key, const char* valueName, const char* data) = 0;
  virtual RegStatus SetDword(RegKey key, const char* valueName, std::uint32_t data) = 0;
  // Fails when the key has subkeys.
  virtual RegStatus DeleteKey(RegKey parent, const char* name) = 0;
  virtual RegStatus DeleteValue(RegKey key, const char* valueName) = 0;
  // The name of subkey number 0 into a buffer of `size` bytes.
  virtual RegStatus FirstSubkeyName(RegKey key, char* name, std::size_t size) = 0;
  virtual RegStatus CountSubkeysAndValues(RegKey key, std::uint32_t* subkeys, std::uint32_t* values) = 0;
  // Fails when the key has no default value.
  virtual RegStatus DefaultValueSize(RegKey key, std::uint32_t* size) = 0;
  virtual RegStatus CloseKey(RegKey key) = 0;
};

}  // namespace zorvan
