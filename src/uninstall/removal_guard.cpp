#include "uninstall/removal_guard.h"

#include <algorithm>

#include "format/windows_path.h"

namespace uninstall {

namespace {

constexpr int kSystemFolderNumbers[] = {
    platform::kCsidlDesktop,
    platform::kCsidlDesktopDirectory,
    platform::kCsidlPrograms,
    platform::kCsidlPersonal,
    platform::kCsidlFavorites,
    platform::kCsidlStartup,
    platform::kCsidlStartMenu,
    platform::kCsidlTemplates,
    platform::kCsidlAppData,
    platform::kCsidlLocalAppData,
    platform::kCsidlCommonAppData,
    platform::kCsidlProgramFiles,
    platform::kCsidlProfile,
    platform::kCsidlProgramFilesX86,
    platform::kCsidlProgramFilesCommon,
    platform::kCsidlCommonPrograms,
    platform::kCsidlCommonStartMenu,
    platform::kCsidlCommonDesktop,
    platform::kCsidlCommonStartup,
};

// Folders a 32-bit program does not see through the shell's numbers (the
// user's profile is kCsidlProfile above).
constexpr const char* kSystemFolderVariables[] = {
    "%ProgramW6432%", "%ProgramFiles(x86)%", "%ProgramFiles%", "%SystemRoot%",
    "%PUBLIC%",       "%ALLUSERSPROFILE%",
};

// Nothing below these is ever the product's, wherever it was installed.
constexpr const char* kSealedFolderVariables[] = {"%SystemRoot%", "%windir%"};
// Nothing below these is the product's outside its own folder.
constexpr int kSharedFolderNumbers[] = {
    platform::kCsidlProgramFiles,
    platform::kCsidlProgramFilesX86,
    platform::kCsidlProgramFilesCommon,
    platform::kCsidlCommonAppData,
};
constexpr const char* kSharedFolderVariables[] = {
    "%ProgramW6432%", "%ProgramFiles(x86)%", "%ProgramFiles%", "%ALLUSERSPROFILE%", "%ProgramData%",
};

// An unexpanded variable or a failed call names no folder.
void AddFolder(std::vector<std::string>& folders, const std::string& folder) {
  if (folder.empty() || folder.find('%') != std::string::npos) return;
  folders.push_back(format::CanonicalPath(folder));
}

bool IsBelowAny(const std::vector<std::string>& folders, const std::string& canonical) {
  return std::any_of(folders.begin(), folders.end(), [&](const std::string& folder) {
    return format::IsAtOrBelow(canonical, folder);
  });
}

// "\\?\", "\\.\" and "\??\" hand the rest to the object manager unchanged.
bool HasDevicePrefix(const std::string& path) {
  std::string start = path.substr(0, 4);
  for (char& c : start) c = c == '/' ? '\\' : c;
  return start == "\\\\?\\" || start == "\\\\.\\" || start == "\\??\\";
}

// A short name ("PROGRA~1") may stand for any folder of its drive.
bool HasShortNameStep(const std::string& canonical) {
  for (std::size_t tilde = canonical.find('~'); tilde != std::string::npos;
       tilde = canonical.find('~', tilde + 1)) {
    if (tilde + 1 < canonical.size() && canonical[tilde + 1] >= '0' && canonical[tilde + 1] <= '9')
      return true;
  }
  return false;
}

}  // namespace

RemovalGuard::RemovalGuard(platform::FileSystem& files, platform::Machine& machine,
                           const std::string& installFolder)
    : files_(files) {
  std::vector<std::string> folders = {machine.WindowsFolder(), machine.SystemFolder(),
                                      files.TempFolder()};
  for (const int number : kSystemFolderNumbers) folders.push_back(machine.FolderPath(number));
  for (const char* variable : kSystemFolderVariables) {
    folders.push_back(machine.ExpandMachineVariables(variable));
  }
  // The folder that holds the profiles ("C:\Users").
  const std::string profile = format::CanonicalPath(machine.FolderPath(platform::kCsidlProfile));
  const std::size_t slash = profile.rfind('\\');
  if (slash != std::string::npos) folders.push_back(profile.substr(0, slash));
  for (const std::string& folder : folders) AddFolder(systemFolders_, folder);

  AddFolder(sealedFolders_, machine.WindowsFolder());
  AddFolder(sealedFolders_, machine.SystemFolder());
  for (const char* variable : kSealedFolderVariables) {
    AddFolder(sealedFolders_, machine.ExpandMachineVariables(variable));
  }
  for (const int number : kSharedFolderNumbers)
    AddFolder(sharedFolders_, machine.FolderPath(number));
  for (const char* variable : kSharedFolderVariables) {
    AddFolder(sharedFolders_, machine.ExpandMachineVariables(variable));
  }
  const std::string startMenu = machine.FolderPath(platform::kCsidlCommonStartMenu);
  if (!startMenu.empty()) allUsersStartMenu_ = format::CanonicalPath(startMenu);
  // The product's folder exempts what lies below it only when it is a
  // folder of its own: not a root, not a system folder, not in Windows.
  const std::string own = format::CanonicalPath(installFolder);
  const std::size_t root = format::RootLength(own);
  if (root != 0 && root < own.size() && !format::HasDotStep(installFolder) &&
      !IsSystemFolder(own) && !IsBelowAny(sealedFolders_, own)) {
    installFolder_ = own;
  }
}

bool RemovalGuard::IsSystemFolder(const std::string& path) const {
  const std::string canonical = format::CanonicalPath(path);
  return std::find(systemFolders_.begin(), systemFolders_.end(), canonical) != systemFolders_.end();
}

bool RemovalGuard::InInstallFolder(const std::string& canonical) const {
  return !installFolder_.empty() && format::IsAtOrBelow(canonical, installFolder_);
}

std::string RemovalGuard::SpellingRefusal(const std::string& path,
                                          const std::string& canonical) const {
  if (HasDevicePrefix(path)) return "a path in the device namespace (\"\\\\?\\\" or \"\\\\.\\\")";
  const std::size_t root = format::RootLength(canonical);
  if (root == 0) return "not a full path";
  if (root == canonical.size()) return "a drive root";
  if (format::HasDotStep(path)) return "a path with \".\" or \"..\" steps";
  // The drive's own colon is the second character; any other names a stream.
  if (path.find(':', path.size() > 1 && path[1] == ':' ? 2 : 0) != std::string::npos)
    return "a path that names a stream (\":\")";
  if (canonical[0] == '\\' && canonical[root - 1] == '$')
    return "a path on an administrative share";
  if (HasShortNameStep(canonical) && !InInstallFolder(canonical))
    return "a path with a short (8.3) name, which may stand for any folder";
  return {};
}

std::string RemovalGuard::RefusalReason(const std::string& path) const {
  return Refusal(path, false);
}

std::string RemovalGuard::CreatedFolderRefusal(const std::string& path) const {
  return Refusal(path, true);
}

std::string RemovalGuard::Refusal(const std::string& path, bool mayHoldOwnFolder) const {
  const std::string canonical = format::CanonicalPath(path);
  if (std::string spelling = SpellingRefusal(path, canonical); !spelling.empty()) return spelling;
  if (IsSystemFolder(canonical)) return "a folder of the system or the user's profile";
  if (IsBelowAny(sealedFolders_, canonical)) return "inside the Windows folder";
  const bool holdsOwnFolder =
      mayHoldOwnFolder && !installFolder_.empty() && format::IsAtOrBelow(installFolder_, canonical);
  if (IsBelowAny(sharedFolders_, canonical) && !InInstallFolder(canonical) && !holdsOwnFolder &&
      (allUsersStartMenu_.empty() || !format::IsAtOrBelow(canonical, allUsersStartMenu_)))
    return "inside a program files or common data folder, outside the product's own folder";
  // The path itself and every folder on its way below the root, with the
  // path's own spelling, since the file system takes that.
  const std::size_t root = format::RootLength(canonical);
  std::string step = format::WithoutTrailingSeparators(path);
  while (format::CanonicalPath(step).size() > root) {
    if (files_.IsReparsePoint(step)) return "reached through a link or junction, or one itself";
    const std::size_t slash = step.find_last_of("\\/");
    if (slash == std::string::npos) break;
    step = format::WithoutTrailingSeparators(step.substr(0, slash));
  }
  return {};
}

std::string RegistryRefusalReason(platform::RegistryRoot root, const std::string& key) {
  constexpr const char* kRefusal = "a key the system starts services or programs from";
  // HKEY_CURRENT_CONFIG is a view into HKEY_LOCAL_MACHINE\SYSTEM.
  if (root == platform::RegistryRoot::CurrentConfig) return kRefusal;
  if (root != platform::RegistryRoot::LocalMachine) return {};
  const std::string comparable = "\\" + format::ComparableKeyPath(key) + "\\";
  // Services, drivers and boot settings; debuggers started in place of any
  // program (in both registry views).
  if (comparable.starts_with("\\system\\") ||
      comparable.find("\\windows nt\\currentversion\\image file execution options\\") !=
          std::string::npos) {
    return kRefusal;
  }
  return {};
}

}  // namespace uninstall
