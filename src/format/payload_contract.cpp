#include "format/payload_contract.h"

namespace format {

bool EntryStaysPlain(std::string_view name) {
  for (const char* marker : kPlainMarkers) {
    if (name.find(marker) != std::string_view::npos) return true;
  }
  return false;
}

bool ParseScopeName(std::string_view text, InstallScope& scope) {
  for (int i = 0; i < 3; ++i) {
    if (text == kScopeNames[i]) {
      scope = static_cast<InstallScope>(i);
      return true;
    }
  }
  return false;
}

bool IsSetupScript(std::string_view name) {
  return name.find(kScriptEntryName) != std::string_view::npos;
}

std::vector<bool> CompressedEntries(std::span<const std::string> names,
                                    base::FunctionRef<bool(std::size_t index)> scriptFlag) {
  std::vector<bool> compressed;
  compressed.reserve(names.size());
  CompressionSwitch compression;
  for (std::size_t i = 0; i < names.size(); ++i) {
    compressed.push_back(compression.Compresses(names[i]));
    compression.AfterEntry(names[i], [&] { return scriptFlag(i); });
  }
  return compressed;
}

}  // namespace format
