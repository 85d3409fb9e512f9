#include "format/joined_text.h"

namespace format {

std::string Joined(std::initializer_list<std::string_view> parts) {
  std::string text;
  for (const std::string_view part : parts) text.append(part.data(), part.size());
  return text;
}

}  // namespace format
