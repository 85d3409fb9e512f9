// A text as a message can show it: each control byte (below 0x20) and DEL
// (0x7F) as \xNN with upper-case hex digits, every other byte as it is. A
// name with a line break or an escape sequence in it then cannot break or
// colour the line it is shown on.
#pragma once

#include <string>
#include <string_view>

namespace base {

inline std::string HexEscaped(std::string_view text) {
  static constexpr char kHexDigits[] = "0123456789ABCDEF";
  std::string shown;
  shown.reserve(text.size());
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) {
      shown += "\\x";
      shown += kHexDigits[byte >> 4];
      shown += kHexDigits[byte & 0xF];
    } else {
      shown += c;
    }
  }
  return shown;
}

}  // namespace base
