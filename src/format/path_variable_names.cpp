#include "format/path_variable_names.h"

namespace format {

std::optional<PathVariable> PathVariableNamed(std::string_view piece) {
  for (std::size_t i = 0; i < kPathVariableCount; ++i) {
    const std::string_view name = kPathVariableNames[i];
    if (name.substr(1, name.size() - 2) == piece) return static_cast<PathVariable>(i);
  }
  return std::nullopt;
}

}  // namespace format
