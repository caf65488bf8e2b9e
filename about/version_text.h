// The module's file version as text, "major.minor.build.revision", read
// from the fixed part of the module file's own version resource.
#pragma once
#include <windows.h>

namespace zorvan {

inline constexpr int kVersionTextSize = 128;

// Writes the version text into buffer, or leaves the buffer as it was when
// the file has no readable version resource.
void GetModuleVersionText(HMODULE module, char (&buffer)[kVersionTextSize]);

}  // namespace zorvan
