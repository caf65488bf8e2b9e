// Helpers for ANSI text in the system code page: case-insensitive
// comparison of the ASCII letters, and stepping by characters so that a
// double-byte character is never split.
#pragma once
#include <cstddef>
#include <string_view>

namespace zorvan {

// Whether a byte begins a double-byte character in the code page in use.
using LeadBytePredicate = bool (*)(unsigned char byte);

inline bool NoLeadBytes(unsigned char) { return false; }

inline char FoldCase(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

inline bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (FoldCase(a[i]) != FoldCase(b[i])) return false;
  return true;
}

// Length in bytes of the character at text[pos]: 2 for a lead byte that is
// followed by another byte, else 1.
inline std::size_t CharLength(std::string_view text, std::size_t pos, LeadBytePredicate isLead) {
  return (isLead(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size()) ? 2 : 1;
}

}  // namespace zorvan
