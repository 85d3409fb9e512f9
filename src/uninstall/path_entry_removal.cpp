#include "uninstall/path_entry_removal.h"

#include "format/joined_text.h"
#include "format/registry_data.h"
#include "format/uninstall_log_format.h"
#include "format/windows_path.h"
#include "install/path_entries.h"
#include "uninstall/uninstall_texts.h"

namespace uninstall {

namespace {

// The entry as the installing step wrote it: its own text, in any letter
// case; never an entry that only expands to the folder, which someone else
// wrote.
bool IsTheEntry(const std::string& entry, const std::string& folder) {
  return !entry.empty() && entry.find('%') == std::string::npos && format::SamePath(entry, folder);
}

bool RemoveOne(platform::Registry& registry, platform::RegistryRoot root,
               const std::string& folder) {
  format::RegistryData value;
  if (!registry.QueryValue(root, install::PathKeyOf(root), install::kPathValueName, value) ||
      (value.type != format::kRegSz && value.type != format::kRegExpandSz)) {
    return true;  // nothing of ours is left in it
  }
  std::vector<std::string> entries = install::PathEntries(install::StringOf(value.bytes));
  std::size_t found = entries.size();
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (IsTheEntry(entries[i], folder)) found = i;
  }
  if (found == entries.size()) return true;
  entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(found));
  std::string text;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (i > 0) text += format::log::kPathEntrySeparator;
    text += entries[i];
  }
  std::vector<std::uint8_t> bytes(text.begin(), text.end());
  bytes.push_back(0);
  return registry.SetValue(root, install::PathKeyOf(root), install::kPathValueName, value.type,
                           bytes);
}

}  // namespace

void RemovePathEntries(platform::Platform& host, const std::vector<PathEntryRecord>& entries,
                       std::vector<Leftover>& leftovers) {
  bool changed = false;
  for (const PathEntryRecord& record : entries) {
    const std::optional<platform::RegistryRoot> root = install::PathRootNamed(record.root);
    if (!root) continue;
    if (RemoveOne(host.registry, *root, record.folder)) {
      changed = true;
    } else {
      leftovers.push_back({format::Joined({record.root, "\\", install::PathKeyOf(*root), "\\",
                                           install::kPathValueName, ": ", record.folder}),
                           texts::kNotRemoved});
    }
  }
  if (changed) host.shell.NotifyEnvironmentChanged();
}

}  // namespace uninstall
