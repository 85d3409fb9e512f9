// What the uninstaller may remove, whatever its log says: never a drive
// root, a folder the system or the user's profile is built on, anything in
// the Windows folder, anything in a program files folder or the common
// application data outside the product's own folder, or anything reached
// through a link or junction. Paths are compared in the one spelling
// Windows reduces them to (format::CanonicalPath), so no other spelling of a
// protected folder gets through.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"

namespace uninstall {

class RemovalGuard {
 public:
  // Collects the system's folders from the machine: Windows, system, program
  // files, profiles, the shell's special folders and the temporary folder.
  // installFolder is the product's own folder (the uninstaller's): what lies
  // below it may be removed even inside a program files folder.
  RemovalGuard(platform::FileSystem& files, platform::Machine& machine,
               const std::string& installFolder);

  // Empty when path may be removed; otherwise why not. A path must be
  // absolute, in plain spelling (no "\\?\" or "\\.\" prefix, no stream, no
  // "." or ".." steps, no administrative share), must not be a drive root or
  // a system folder itself, nor lie in one of the folders above; neither it
  // nor a folder on its way may be a link or junction.
  std::string RefusalReason(const std::string& path) const;

  // RefusalReason for a folder the installing step created: one above the
  // product's own folder (such as the company folder it was made in) may
  // also lie in a program files or common data folder.
  std::string CreatedFolderRefusal(const std::string& path) const;

  bool IsSystemFolder(const std::string& path) const;

 private:
  std::string Refusal(const std::string& path, bool mayHoldOwnFolder) const;
  std::string SpellingRefusal(const std::string& path, const std::string& canonical) const;
  bool InInstallFolder(const std::string& canonical) const;

  platform::FileSystem& files_;
  std::vector<std::string> systemFolders_;  // canonical, each of them
  std::vector<std::string> sealedFolders_;  // canonical: nothing below is removed
  std::vector<std::string> sharedFolders_;  // canonical: only the product's folder below
  std::string installFolder_;               // canonical; empty when it exempts nothing
  // Canonical: the all-users Start menu, below the common data folder, whose
  // links and program groups are the products' (/ALLUSERS, a run as SYSTEM).
  std::string allUsersStartMenu_;
};

// Empty when the uninstaller may remove values of key under root; otherwise
// why not: the keys the system starts services and programs from.
std::string RegistryRefusalReason(platform::RegistryRoot root, const std::string& key);

}  // namespace uninstall
