#include "install/created_keys.h"

#include "format/joined_text.h"
#include "format/uninstall_log_format.h"
#include "install/registry_values.h"

namespace install {

std::vector<CreatedKey> KeysMissingAlong(platform::Registry& registry, platform::RegistryRoot root,
                                         const std::string& key) {
  const std::size_t first = key.find_first_not_of('\\');
  const std::size_t last = key.find_last_not_of('\\');
  if (first == std::string::npos) return {};  // the root itself is always there
  const std::string path = key.substr(first, last - first + 1);
  std::vector<CreatedKey> missing;
  for (std::size_t end = path.find('\\');; end = path.find('\\', end + 1)) {
    const std::string level = path.substr(0, end);
    // A doubled "\" names no level of its own.
    if (level.back() != '\\' && (!missing.empty() || !registry.KeyExists(root, level))) {
      missing.push_back({root, level});
    }
    if (end == std::string::npos) break;
  }
  return missing;
}

std::string CreatedKeyRecord(const CreatedKey& created) {
  if (created.key.find(format::log::kFieldSeparator) != std::string::npos) return {};
  return format::Joined({RegistryRootName(created.root), "\\", created.key, "\\"});
}

}  // namespace install
