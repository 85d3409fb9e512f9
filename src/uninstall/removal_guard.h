// What the uninstaller may remove, whatever its log says: never a drive
// root, a folder the system or the user's profile is built on, or anything
// reached through a link or junction.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"

namespace uninstall {

// A path as compared: "/" read as "\", doubled "\" folded, no "\" at the end,
// ASCII letters in lower case (as the file system compares them).
std::string ComparablePath(const std::string& path);

// "C:", "C:\", "\\server\share", "\\server\share\".
bool IsDriveRoot(const std::string& path);

class RemovalGuard {
 public:
  // Collects the system's folders from the machine: Windows, system, program
  // files, profiles, the shell's special folders and the temporary folder.
  RemovalGuard(platform::FileSystem& files, platform::Machine& machine);

  // Empty when path may be removed; otherwise why not. A path must be
  // absolute and without "." or ".." steps, must not be a drive root or a
  // system folder itself, and neither it nor a folder on its way may be a
  // link or junction.
  std::string RefusalReason(const std::string& path) const;

  bool IsSystemFolder(const std::string& path) const;

 private:
  platform::FileSystem& files_;
  std::vector<std::string> systemFolders_;  // comparable form
};

}  // namespace uninstall
