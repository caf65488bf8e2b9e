// The module's own registry script, read from the resource file, and the
// registry it is expected to produce.
#pragma once
#include <fstream>
#include <sstream>
#include <string>

namespace zorvan::test {

inline std::string ModuleScript() {
  std::ifstream file(ZORVAN_SOURCE_DIR "/resources/zorvan.rgs", std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

inline constexpr const char* kClassKey = "HKCR\\CLSID\\{2C9E4A17-B35D-4E08-8F61-7D0A3B95C2E4}";

}  // namespace zorvan::test
