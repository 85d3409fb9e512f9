#include "uninstall/created_folders.h"

#include <algorithm>

#include "format/windows_path.h"
#include "uninstall/uninstall_texts.h"

namespace uninstall {

namespace {

bool IsFolderRecord(const std::string& path) { return !path.empty() && path.back() == '\\'; }

std::size_t Depth(const std::string& path) {
  const std::string canonical = format::CanonicalPath(path);
  return static_cast<std::size_t>(std::count(canonical.begin(), canonical.end(), '\\'));
}

// A folder below another has the longer canonical path, so this order
// empties every folder before its parent is reached, whatever order the
// log gave.
std::vector<std::string> DeepestFirst(std::vector<std::string> folders) {
  std::stable_sort(folders.begin(), folders.end(),
                   [](const std::string& a, const std::string& b) { return Depth(a) > Depth(b); });
  return folders;
}

bool HoldsFolder(const std::string& folder, const std::string& inner) {
  return format::IsAtOrBelow(format::CanonicalPath(inner), format::CanonicalPath(folder));
}

bool IsCreated(const UninstallRecords& log, const std::string& folder) {
  return std::any_of(log.createdFolders.begin(), log.createdFolders.end(),
                     [&](const std::string& created) { return format::SamePath(created, folder); });
}

bool HoldsCreated(const UninstallRecords& log, const std::string& folder) {
  return std::any_of(log.createdFolders.begin(), log.createdFolders.end(),
                     [&](const std::string& created) { return HoldsFolder(folder, created); });
}

// Removes one created folder when it is empty; true when it is gone. One
// that holds anything stays without a word: what is in it is either named
// as a leftover in its own right or was never the product's. RemoveFolder
// removes an empty folder only, and a link or junction itself, never what
// it leads to; the guard refuses a folder reached through one.
bool RemoveCreatedFolder(platform::FileSystem& files, platform::Removal& removal,
                         const RemovalGuard& guard, const std::string& folder,
                         std::vector<Leftover>& leftovers) {
  if (!files.Exists(folder) && !files.IsReparsePoint(folder)) return true;
  if (const std::string refusal = guard.CreatedFolderRefusal(folder); !refusal.empty()) {
    // A folder of the system that setup had to make (a user's Programs
    // menu) is the system's from then on. The program group may be named
    // already, by the shortcuts' pass.
    const bool unnamed =
        guard.IsSystemFolder(folder) ||
        std::any_of(leftovers.begin(), leftovers.end(), [&](const Leftover& leftover) {
          return format::SamePath(leftover.item, folder);
        });
    if (!unnamed) leftovers.push_back({folder, refusal});
    return false;
  }
  if (removal.RemoveFolder(folder)) return true;
  if (files.ListFolder(folder).empty()) leftovers.push_back({folder, texts::kNotRemoved});
  return false;
}

}  // namespace

std::vector<std::string> ListedFoldersLeftForLater(const UninstallRecords& log) {
  std::vector<std::string> later;
  for (const std::string& path : log.files) {
    if (IsFolderRecord(path) && HoldsCreated(log, path))
      later.push_back(format::CanonicalPath(path));
  }
  return later;
}

void RemoveCreatedFolders(platform::FileSystem& files, platform::Removal& removal,
                          const RemovalGuard& guard, const UninstallRecords& log,
                          const std::string& ownFolder, std::vector<Leftover>& leftovers) {
  for (const std::string& folder : DeepestFirst(log.createdFolders)) {
    if (!HoldsFolder(folder, ownFolder))
      RemoveCreatedFolder(files, removal, guard, folder, leftovers);
  }
  std::vector<std::string> listed;
  for (const std::string& path : log.files) {
    if (IsFolderRecord(path) && HoldsCreated(log, path) && !IsCreated(log, path))
      listed.push_back(path);
  }
  for (const std::string& folder : DeepestFirst(listed))
    RemoveFolderWhenEmpty(files, removal, guard, folder, leftovers);
}

unsigned CreatedFoldersAbove(const UninstallRecords& log, const std::string& ownFolder) {
  unsigned levels = 0;
  std::string folder = format::WithoutTrailingSeparators(ownFolder);
  for (std::size_t slash = folder.rfind('\\'); slash != std::string::npos;
       slash = folder.rfind('\\')) {
    folder.resize(slash);
    if (!IsCreated(log, folder)) break;
    ++levels;
  }
  return levels;
}

void RemoveCreatedFoldersAbove(platform::FileSystem& files, platform::Removal& removal,
                               const RemovalGuard& guard, const std::string& folder,
                               unsigned levels, std::vector<Leftover>& leftovers) {
  std::string parent = format::WithoutTrailingSeparators(folder);
  for (unsigned level = 0; level < levels; ++level) {
    const std::size_t slash = parent.rfind('\\');
    if (slash == std::string::npos) return;
    parent.resize(slash);
    if (!RemoveCreatedFolder(files, removal, guard, parent, leftovers)) return;
  }
}

}  // namespace uninstall
