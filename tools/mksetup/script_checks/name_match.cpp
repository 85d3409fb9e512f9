#include "mksetup/script_checks/name_match.h"

#include <algorithm>

#include "base/text_trim.h"
#include "format/windows_path.h"

namespace mksetup {

bool EqualIgnoringCase(const std::string& a, const std::string& b) {
  return ::format::SameIgnoringAsciiCase(a, b);
}

bool IsOneOf(const std::string& text, std::span<const char* const> names) {
  return std::any_of(names.begin(), names.end(), [&](const char* name) { return text == name; });
}

std::optional<std::string> NearName(const std::string& text, std::span<const char* const> names) {
  const std::string trimmed = base::Trimmed(text);
  for (const char* name : names) {
    if (text == name) return std::nullopt;
    if (EqualIgnoringCase(trimmed, name)) return name;
  }
  return std::nullopt;
}

std::string NameList(std::span<const char* const> names) {
  std::string list;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (i > 0) list += i + 1 == names.size() ? " and " : ", ";
    list += std::string("\"") + names[i] + "\"";
  }
  return list;
}

}  // namespace mksetup
