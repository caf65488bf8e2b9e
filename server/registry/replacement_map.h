// Named replacements for a registry script: "%Module%" and the like.
// Names are looked up without regard to case; the first match wins.
#pragma once
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zorvan {

class ReplacementMap {
 public:
  ReplacementMap() { pairs_.reserve(10); }

  // Names and values are ANSI text; both are copied.
  void Add(std::string_view name, std::string_view value) { pairs_.emplace_back(name, value); }
  // The value for name, or null when there is none.
  const std::string* Find(std::string_view name) const;
  void Clear() { pairs_.clear(); }

 private:
  std::vector<std::pair<std::string, std::string>> pairs_;
};

}  // namespace zorvan
