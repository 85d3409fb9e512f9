#include "uninstall/removal.h"

#include <algorithm>
#include <initializer_list>
#include <utility>

#include "install/registry_values.h"
#include "install/shortcuts.h"
#include "format/windows_path.h"
#include "uninstall/uninstall_texts.h"
#include "format/uninstall_key.h"
#include "format/shortcut_links.h"

namespace uninstall {

namespace {

bool IsFolderRecord(const std::string& path) { return !path.empty() && path.back() == '\\'; }

bool Kept(const std::vector<std::string>& keep, const std::string& path) {
  return std::find(keep.begin(), keep.end(), format::CanonicalPath(path)) != keep.end();
}

void RemoveOneFile(platform::FileSystem& files, const RemovalGuard& guard, const std::string& path,
                   std::vector<Leftover>& leftovers) {
  if (!files.Exists(path) && !files.IsReparsePoint(path)) return;
  const std::string refusal = guard.RefusalReason(path);
  if (!refusal.empty()) {
    leftovers.push_back({path, refusal});
  } else if (!files.RemoveFile(path)) {
    leftovers.push_back({path, texts::kNotRemoved});
  }
}

std::string RegistryItem(const RegistryRecord& record) {
  return record.root + "\\" + record.key + (record.name.empty() ? "" : "\\" + record.name);
}

bool IsUninstallRegistration(platform::RegistryRoot root, const std::string& key) {
  const std::string prefix = format::ComparableKeyPath(format::kUninstallKeyPrefix);
  const std::string comparable = format::ComparableKeyPath(key);
  // A product of one user has its entry under HKEY_CURRENT_USER.
  const bool listRoot =
      root == platform::RegistryRoot::LocalMachine || root == platform::RegistryRoot::CurrentUser;
  return listRoot && comparable.size() > prefix.size() + 1 &&
         comparable.rfind(prefix + "\\", 0) == 0;
}

}  // namespace

void RemoveListedFiles(platform::FileSystem& files, platform::Removal& removal,
                       const RemovalGuard& guard, const std::vector<std::string>& paths,
                       const std::vector<std::string>& keep, std::vector<Leftover>& leftovers) {
  for (const std::string& path : paths) {
    if (path.empty() || IsFolderRecord(path) || Kept(keep, path)) continue;
    RemoveOneFile(files, guard, path, leftovers);
  }
  for (const std::string& path : paths) {
    if (!IsFolderRecord(path) || Kept(keep, path)) continue;
    RemoveFolderWhenEmpty(files, removal, guard, path, leftovers);
  }
}

void RemoveCreatedKeys(platform::Removal& removal, const std::vector<RegistryRecord>& keys,
                       std::vector<Leftover>& leftovers) {
  // A key below another has the longer path: this order empties each key
  // before its parent, whatever order an upgrade's merged log gave.
  std::vector<RegistryRecord> deepestFirst = keys;
  const auto depth = [](const RegistryRecord& record) {
    const std::string path = format::ComparableKeyPath(record.key);
    return std::count(path.begin(), path.end(), '\\');
  };
  std::stable_sort(
      deepestFirst.begin(), deepestFirst.end(),
      [&](const RegistryRecord& a, const RegistryRecord& b) { return depth(a) > depth(b); });
  for (const RegistryRecord& record : deepestFirst) {
    const std::optional<platform::RegistryRoot> root = install::RegistryRootNamed(record.root);
    if (!root || format::IsRootKeyPath(record.key)) continue;
    if (const std::string refusal = RegistryRefusalReason(*root, record.key); !refusal.empty()) {
      leftovers.push_back({RegistryItem(record), refusal});
      continue;
    }
    if (removal.ContentOf(*root, record.key) == platform::Removal::KeyContent::Empty &&
        !removal.DeleteKey(*root, record.key)) {
      leftovers.push_back({RegistryItem(record), texts::kNotRemoved});
    }
  }
}

bool NamesAssociations(const UninstallRecords& log) {
  const auto classes = [](const RegistryRecord& record) {
    const std::optional<platform::RegistryRoot> root = install::RegistryRootNamed(record.root);
    return root && install::IsClassesKey(*root, record.key);
  };
  return std::any_of(log.registry.begin(), log.registry.end(), classes) ||
         std::any_of(log.createdKeys.begin(), log.createdKeys.end(), classes);
}

void RemoveFolderWhenEmpty(platform::FileSystem& files, platform::Removal& removal,
                           const RemovalGuard& guard, const std::string& folder,
                           std::vector<Leftover>& leftovers) {
  if (!files.Exists(folder) && !files.IsReparsePoint(folder)) return;
  const std::string refusal = guard.RefusalReason(folder);
  if (!refusal.empty()) {
    // A folder of the system was never the product's to remove: no leftover.
    if (!guard.IsSystemFolder(folder) && !format::IsDriveRoot(folder))
      leftovers.push_back({folder, refusal});
    return;
  }
  if (removal.RemoveFolder(folder)) return;
  leftovers.push_back(
      {folder, files.ListFolder(folder).empty() ? texts::kNotRemoved : texts::kNotEmpty});
}

void RemoveShortcuts(platform::UninstallerPlatform& host, const RemovalGuard& guard,
                     const std::vector<ShortcutRecord>& shortcuts, const std::string& programGroup,
                     std::vector<Leftover>& leftovers) {
  // The program group below the user's Programs menu, all users' or both.
  bool userGroupUsed = false;
  bool allUsersGroupUsed = false;
  for (const ShortcutRecord& shortcut : shortcuts) {
    const std::optional<int> folderNumber = install::RecordedFolderNumber(shortcut.location);
    if (!folderNumber || shortcut.name.empty()) continue;
    userGroupUsed = userGroupUsed || *folderNumber == platform::kCsidlPrograms;
    allUsersGroupUsed = allUsersGroupUsed || *folderNumber == platform::kCsidlCommonPrograms;
    const std::string folder = install::LinkFolder(host.machine, programGroup, *folderNumber);
    if (folder.empty()) continue;
    RemoveOneFile(host.files, guard, folder + "\\" + shortcut.name + format::kLinkExtension,
                  leftovers);
  }
  for (const auto& [used, menu] : {std::pair(userGroupUsed, platform::kCsidlPrograms),
                                   std::pair(allUsersGroupUsed, platform::kCsidlCommonPrograms)}) {
    if (!used) continue;
    const std::string programs = host.machine.SpecialFolderLocation(menu);
    if (programs.empty()) continue;
    RemoveFolderWhenEmpty(host.files, host.removal, guard,
                          install::ProgramGroupFolder(programs, programGroup), leftovers);
  }
}

void RemoveRegistryValues(platform::Removal& removal, const std::vector<RegistryRecord>& records,
                          std::vector<Leftover>& leftovers) {
  for (const RegistryRecord& record : records) {
    const std::optional<platform::RegistryRoot> root = install::RegistryRootNamed(record.root);
    if (!root) {
      leftovers.push_back({RegistryItem(record), texts::kUnknownRoot});
      continue;
    }
    // No key path would name the root itself.
    if (format::IsRootKeyPath(record.key)) continue;
    if (const std::string refusal = RegistryRefusalReason(*root, record.key); !refusal.empty()) {
      leftovers.push_back({RegistryItem(record), refusal});
      continue;
    }
    std::vector<std::string> names = {record.name};
    if (record.name.empty() && IsUninstallRegistration(*root, record.key)) {
      names.insert(names.end(), std::begin(format::kRegistrationValueNames),
                   std::end(format::kRegistrationValueNames));
    }
    for (const std::string& name : names) {
      if (!removal.DeleteValue(*root, record.key, name)) {
        leftovers.push_back({record.root + "\\" + record.key + "\\" + name, texts::kNotRemoved});
      }
    }
    switch (removal.ContentOf(*root, record.key)) {
      case platform::Removal::KeyContent::Missing:
        break;
      case platform::Removal::KeyContent::Empty:
        if (!removal.DeleteKey(*root, record.key)) {
          leftovers.push_back({record.root + "\\" + record.key, texts::kNotRemoved});
        }
        break;
      case platform::Removal::KeyContent::NotEmpty:
        // Values and keys the log does not name keep their key.
        if (record.name.empty())
          leftovers.push_back({record.root + "\\" + record.key, texts::kNotEmpty});
        break;
    }
  }
}

}  // namespace uninstall
