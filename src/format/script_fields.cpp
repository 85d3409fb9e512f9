#include "format/script_fields.h"

namespace format {

std::string TakeField(std::string& rest) {
  const std::size_t bar = rest.find(kFieldSeparator);
  if (bar == std::string::npos) return {};
  std::string field = rest.substr(0, bar);
  rest.erase(0, bar + 1);
  return field;
}

std::string FitField(const std::string& text) {
  return text.size() <= kFieldCharacters ? text : text.substr(0, kFieldCharacters);
}

}  // namespace format
