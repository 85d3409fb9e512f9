#include "uninstall/own_files.h"

#include <algorithm>

#include "format/windows_path.h"
#include "format/uninstall_log_format.h"
#include "uninstall/uninstall_texts.h"

namespace uninstall {

namespace {

constexpr const char* kOwnNames[] = {format::log::kUninstallerName, format::log::kRemoverName,
                                     format::log::kFileName};

// About five seconds in all.
constexpr int kDeleteTries = 50;
constexpr unsigned kDeletePauseMilliseconds = 100;

}  // namespace

std::string OwnFilePath(const std::string& folder, const std::string& name) {
  return format::JoinPath(folder, name);
}

std::vector<std::string> OwnFilePaths(const std::string& folder) {
  std::vector<std::string> paths;
  for (const char* name : kOwnNames) paths.push_back(OwnFilePath(folder, name));
  return paths;
}

std::vector<std::string> OwnFilesToKeep(const std::string& folder) {
  std::vector<std::string> keep;
  for (const std::string& path : OwnFilePaths(folder)) keep.push_back(format::CanonicalPath(path));
  return keep;
}

bool HoldsMoreThanOwnFiles(platform::FileSystem& files, const std::string& folder) {
  for (const platform::FolderEntry& entry : files.ListFolder(folder)) {
    const bool own = std::any_of(
        std::begin(kOwnNames), std::end(kOwnNames),
        [&](const char* ownName) { return format::SameIgnoringAsciiCase(ownName, entry.name); });
    if (!own) return true;
  }
  return false;
}

std::vector<Leftover> RemoveOwnFiles(platform::FileSystem& files, platform::Removal& removal,
                                     platform::Shell& shell, const RemovalGuard& guard,
                                     const std::string& folder) {
  std::vector<Leftover> leftovers;
  const std::string refusal = guard.RefusalReason(folder);
  if (!refusal.empty()) {
    leftovers.push_back({folder, refusal});
    return leftovers;
  }
  for (const std::string& path : OwnFilePaths(folder)) {
    if (!files.Exists(path)) continue;
    bool removed = files.RemoveFile(path);
    for (int tries = 1; !removed && tries < kDeleteTries; ++tries) {
      shell.Sleep(kDeletePauseMilliseconds);
      removed = files.RemoveFile(path) || !files.Exists(path);
    }
    if (!removed) leftovers.push_back({path, texts::kNotRemoved});
  }
  RemoveFolderWhenEmpty(files, removal, guard, folder, leftovers);
  return leftovers;
}

}  // namespace uninstall
