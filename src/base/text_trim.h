// Cutting white space off the ends of a text. White space is what the C
// locale's isspace() calls so: space, tab, line feed, vertical tab, form
// feed and carriage return; any other byte, 0x80 and above included, is text.
#pragma once

#include <string>
#include <string_view>

namespace base {

inline constexpr std::string_view kWhiteSpace = " \t\n\v\f\r";

// The text without white space at its end.
inline std::string TrimmedEnd(std::string_view text) {
  const std::size_t last = text.find_last_not_of(kWhiteSpace);
  return last == std::string_view::npos ? std::string() : std::string(text.substr(0, last + 1));
}

// The text without white space at either end.
inline std::string Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(kWhiteSpace);
  if (first == std::string_view::npos) return {};
  return TrimmedEnd(text.substr(first));
}

}  // namespace base
