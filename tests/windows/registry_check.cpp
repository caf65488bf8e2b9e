// Checks what registration left in the registry, as a registration tool's
// user would look at it:
//   registry_check plant-stale           stale entries under our keys
//   registry_check registered <dll>      exactly our entries, nothing else
//   registry_check unregistered          none of our entries; HKCR\CLSID stays
//   registry_check typelib <file> <dir>  the type library's registered file and help folder
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

const char* const kClass = "{2C9E4A17-B35D-4E08-8F61-7D0A3B95C2E4}";
const char* const kInterface = "{2C9E4A16-B35D-4E08-8F61-7D0A3B95C2E4}";
const char* const kLibrary = "{A7D3561B-0E94-42C8-B1F7-68E2C40D9A35}";
int failures = 0;

void Fail(const std::string& what) {
  std::printf("FAIL %s\n", what.c_str());
  ++failures;
}

// Lists a key's subtree: "path" lines for keys and "path : name = data"
// lines for values, sorted as the registry enumerates them.
void Dump(HKEY parent, const std::string& name, const std::string& path, std::vector<std::string>& out) {
  HKEY key;
  if (RegOpenKeyExA(parent, name.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
  out.push_back(path);
  for (DWORD i = 0;; ++i) {
    char valueName[256];
    DWORD nameLength = sizeof valueName, type = 0;
    BYTE data[1024];
    DWORD dataLength = sizeof data;
    if (RegEnumValueA(key, i, valueName, &nameLength, nullptr, &type, data, &dataLength) != ERROR_SUCCESS) break;
    std::string text = type == REG_SZ ? std::string(reinterpret_cast<char*>(data)) : "<type " + std::to_string(type) + ">";
    out.push_back(path + " : " + (nameLength ? valueName : "(default)") + " = " + text);
  }
  for (DWORD i = 0;; ++i) {
    char sub[256];
    DWORD length = sizeof sub;
    if (RegEnumKeyExA(key, i, sub, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    Dump(key, sub, path + "\\" + sub, out);
  }
  RegCloseKey(key);
}

void ExpectTree(const std::string& name, const std::vector<std::string>& expected) {
  std::vector<std::string> actual;
  Dump(HKEY_CLASSES_ROOT, name, name, actual);
  if (actual == expected) return;
  std::string text = "HKCR\\" + name + " holds:\n";
  for (const auto& line : actual) text += "    " + line + "\n";
  text += "  expected:\n";
  for (const auto& line : expected) text += "    " + line + "\n";
  Fail(text);
}

bool Exists(const std::string& name) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CLASSES_ROOT, name.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

std::string DefaultValue(const std::string& name) {
  char data[1024] = "";
  LONG size = sizeof data;
  if (RegQueryValueA(HKEY_CLASSES_ROOT, name.c_str(), data, &size) != ERROR_SUCCESS) return "<none>";
  return data;
}

void Plant(const std::string& name, const char* valueName, const char* data) {
  HKEY key;
  RegCreateKeyExA(HKEY_CLASSES_ROOT, name.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
  RegSetValueExA(key, valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(data), lstrlenA(data) + 1);
  RegCloseKey(key);
}

void CheckRegistered(const std::string& dll) {
  const std::string object = "KEL Zorvan Object 6.0";
  ExpectTree("Kel.Zorvan6.6", {"Kel.Zorvan6.6", "Kel.Zorvan6.6 : (default) = " + object,
                               "Kel.Zorvan6.6\\CLSID", "Kel.Zorvan6.6\\CLSID : (default) = " + std::string(kClass)});
  ExpectTree("Kel.Zorvan6", {"Kel.Zorvan6", "Kel.Zorvan6 : (default) = " + object, "Kel.Zorvan6\\CLSID",
                             "Kel.Zorvan6\\CLSID : (default) = " + std::string(kClass), "Kel.Zorvan6\\CurVer",
                             "Kel.Zorvan6\\CurVer : (default) = Kel.Zorvan6.6"});
  const std::string c = std::string("CLSID\\") + kClass;
  ExpectTree(c, {c, c + " : (default) = " + object, c + "\\InprocServer32",
                 c + "\\InprocServer32 : (default) = " + dll, c + "\\InprocServer32 : ThreadingModel = Apartment",
                 c + "\\ProgID", c + "\\ProgID : (default) = Kel.Zorvan6.6", c + "\\Programmable",
                 c + "\\VersionIndependentProgID", c + "\\VersionIndependentProgID : (default) = Kel.Zorvan6"});
  // The type library's own registration.
  const std::string lib = std::string("TypeLib\\") + kLibrary + "\\1.0";
  if (DefaultValue(lib + "\\0\\win32") != dll) Fail(lib + "\\0\\win32 is " + DefaultValue(lib + "\\0\\win32"));
  const std::string folder = dll.substr(0, dll.find_last_of('\\') + 1);
  if (DefaultValue(lib + "\\HELPDIR") != folder) Fail(lib + "\\HELPDIR is " + DefaultValue(lib + "\\HELPDIR"));
  if (DefaultValue(lib) != object) Fail(lib + " is " + DefaultValue(lib));
  const std::string iface = std::string("Interface\\") + kInterface;
  if (DefaultValue(iface) != "IZorvan") Fail(iface + " is " + DefaultValue(iface));
  if (DefaultValue(iface + "\\TypeLib") != kLibrary) Fail(iface + "\\TypeLib is " + DefaultValue(iface + "\\TypeLib"));
}

void CheckTypeLibrary(const std::string& file, const std::string& helpDirectory) {
  const std::string lib = std::string("TypeLib\\") + kLibrary + "\\1.0";
  if (DefaultValue(lib + "\\0\\win32") != file) Fail(lib + "\\0\\win32 is " + DefaultValue(lib + "\\0\\win32"));
  if (DefaultValue(lib + "\\HELPDIR") != helpDirectory) Fail(lib + "\\HELPDIR is " + DefaultValue(lib + "\\HELPDIR"));
}

void CheckUnregistered() {
  for (const std::string& name : {std::string("Kel.Zorvan6.6"), std::string("Kel.Zorvan6"),
                                   std::string("CLSID\\") + kClass, std::string("TypeLib\\") + kLibrary,
                                   std::string("Interface\\") + kInterface}) {
    if (Exists(name)) Fail("HKCR\\" + name + " is still there");
  }
  if (!Exists("CLSID")) Fail("HKCR\\CLSID is gone");
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "plant-stale") {
    Plant("Kel.Zorvan6.6\\Stale\\Deeper", nullptr, "old");
    Plant("Kel.Zorvan6.6", "Extra", "old");
    Plant("Kel.Zorvan6\\CurVer", nullptr, "Kel.Zorvan6.5");
    Plant(std::string("CLSID\\") + kClass + "\\Implemented Categories", nullptr, "old");
    Plant(std::string("CLSID\\") + kClass + "\\InprocServer32", "Extra", "old");
    return 0;
  }
  if (mode == "registered" && argc > 2) CheckRegistered(argv[2]);
  else if (mode == "typelib" && argc > 3) CheckTypeLibrary(argv[2], argv[3]);
  else if (mode == "unregistered") CheckUnregistered();
  else {
    std::printf("usage: registry_check plant-stale | registered <dll> | unregistered | typelib <file> <dir>\n");
    return 2;
  }
  std::printf("%s: %s\n", mode.c_str(), failures ? "FAILED" : "ok");
  return failures ? 1 : 0;
}
