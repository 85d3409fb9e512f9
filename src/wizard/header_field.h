// The wizard's fixed 260-byte text fields: every copy in is cut to 259
// characters and terminated, every read stops at the field's end.
#pragma once

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

#include "base/text_trim.h"

namespace wizard {

// Size of a fixed field, the terminating zero included.
inline constexpr std::size_t kFieldSize = 260;

inline std::size_t FieldLength(const char (&field)[kFieldSize]) {
  std::size_t length = 0;
  while (length < kFieldSize - 1 && field[length] != '\0') ++length;
  return length;
}

inline std::string FieldText(const char (&field)[kFieldSize]) {
  return std::string(field, FieldLength(field));
}

inline void CopyField(char (&field)[kFieldSize], const std::string& text) {
  const std::size_t length = text.size() < kFieldSize - 1 ? text.size() : kFieldSize - 1;
  std::memcpy(field, text.data(), length);
  field[length] = '\0';
}

// Drops trailing white space from the field itself and returns the rest.
inline std::string TrimFieldEnd(char (&field)[kFieldSize]) {
  std::string trimmed = base::TrimmedEnd(std::string_view(field, FieldLength(field)));
  field[trimmed.size()] = '\0';
  return trimmed;
}

}  // namespace wizard
