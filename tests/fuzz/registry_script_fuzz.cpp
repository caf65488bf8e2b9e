// Drives the registry-script interpreter with arbitrary scripts, in both
// modes, over an in-memory registry that already holds other entries and
// fails one chosen operation. Crashes, hangs, leaks and sanitizer reports
// are findings; so is a handle left open.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "memory_registry.h"
#include "registry_script.h"

namespace {

bool ShiftJisLead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  // Byte 0: bit 0 the mode, bit 1 the code page; byte 1: the operation to fail.
  const bool doRegister = (data[0] & 1) != 0;
  const bool doubleByte = (data[0] & 2) != 0;
  const long failAt = data[1];
  const std::string script(reinterpret_cast<const char*>(data + 2), size - 2);

  zorvan::test::MemoryRegistry registry;
  registry.SetStringAt("HKCR\\CLSID\\{00000000-1111-2222-3333-444444444444}", "", "Other");
  registry.SetStringAt("HKCR\\Kel.Zorvan6.6\\CLSID", "", "stale");
  registry.SetStringAt("HKCU\\Software\\Kel", "Setting", "1");
  registry.FailOperation(failAt);

  zorvan::ReplacementMap map;
  map.Add("Module", "C:\\Program Files\\Kel\\ZORVAN60.DLL");
  zorvan::ScriptEnvironment environment{registry, doubleByte ? ShiftJisLead : zorvan::NoLeadBytes};
  // The script ends at its first NUL, as a resource text does.
  zorvan::RunRegistryScript(script.c_str(), doRegister, map, environment);
  if (registry.OpenHandles() != 0) std::abort();
  return 0;
}
