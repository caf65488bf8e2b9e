#include "number_text.h"

#include <charconv>
#include <cmath>

namespace zorvan::cli {

bool ParseDouble(std::string_view text, double& out) {
  if (text.empty()) return false;
  const char* first = text.data();
  const char* last = first + text.size();
  if (*first == '+') ++first;  // from_chars takes no plus sign
  auto [ptr, ec] = std::from_chars(first, last, out);
  return ec == std::errc() && ptr == last;
}

bool ParseInteger(std::string_view text, std::int64_t& out) {
  if (text.empty()) return false;
  const char* first = text.data();
  const char* last = first + text.size();
  if (*first == '+') ++first;
  auto [ptr, ec] = std::from_chars(first, last, out);
  return ec == std::errc() && ptr == last;
}

void AppendShortest(std::string& out, double value) {
  if (std::isnan(value)) {
    out += "nan";
    return;
  }
  char buffer[32];
  auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
  (void)ec;  // 32 bytes hold every shortest double text
  out.append(buffer, ptr);
}

}  // namespace zorvan::cli
