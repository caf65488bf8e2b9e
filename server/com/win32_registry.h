// The registry operations of the script interpreter on the Win32
// registry, through its ANSI functions.
#pragma once
#include "registry_access.h"

namespace zorvan {

class Win32Registry : public RegistryAccess {
 public:
  RegKey Root(RegRoot root) override;
  RegStatus OpenKey(RegKey parent, const char* name, RegAccess access, RegKey* key) override;
  RegStatus CreateKey(RegKey parent, const char* name, RegKey* key) override;
  RegStatus SetString(RegKey key, const char* valueName, const char* data) override;
  RegStatus SetDword(RegKey key, const char* valueName, std::uint32_t data) override;
  RegStatus DeleteKey(RegKey parent, const char* name) override;
  RegStatus DeleteValue(RegKey key, const char* valueName) override;
  RegStatus FirstSubkeyName(RegKey key, char* name, std::size_t size) override;
  RegStatus CountSubkeysAndValues(RegKey key, std::uint32_t* subkeys, std::uint32_t* values) override;
  RegStatus DefaultValueSize(RegKey key, std::uint32_t* size) override;
  RegStatus CloseKey(RegKey key) override;
};

}  // namespace zorvan
