#include "version_text.h"

#include <new>

namespace zorvan {

void GetModuleVersionText(HMODULE module, char (&buffer)[kVersionTextSize]) {
  char fileName[256];
  const DWORD length = GetModuleFileNameA(module, fileName, sizeof fileName);
  if (length == 0 || length >= sizeof fileName) return;  // a cut path names another file
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeA(fileName, &handle);
  if (size == 0) return;
  char* block = new (std::nothrow) char[size];
  if (block == nullptr) return;
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT fixedSize = 0;
  if (GetFileVersionInfoA(fileName, 0, size, block) &&
      VerQueryValueA(block, "\\", reinterpret_cast<void**>(&fixed), &fixedSize) && fixed != nullptr &&
      fixedSize >= sizeof(VS_FIXEDFILEINFO)) {
    wsprintfA(buffer, "%d.%d.%d.%d", HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
              HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS));
  }
  delete[] block;
}

}  // namespace zorvan
