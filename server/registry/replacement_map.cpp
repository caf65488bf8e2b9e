#include "replacement_map.h"

#include "ansi_text.h"

namespace zorvan {

const std::string* ReplacementMap::Find(std::string_view name) const {
  for (const auto& pair : pairs_)
    if (EqualsIgnoringCase(pair.first, name)) return &pair.second;
  return nullptr;
}

}  // namespace zorvan
