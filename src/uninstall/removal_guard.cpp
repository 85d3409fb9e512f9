#include "uninstall/removal_guard.h"

#include <algorithm>

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
};

// Folders a 32-bit program does not see through the shell's numbers.
constexpr const char* kSystemFolderVariables[] = {
    "%ProgramW6432%", "%ProgramFiles(x86)%", "%ProgramFiles%", "%SystemRoot%", "%USERPROFILE%",
    "%PUBLIC%",       "%ALLUSERSPROFILE%",
};

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// The length of the root part: "c:" or "\\server\share"; 0 when the path
// is neither (relative, or "\" on the current drive).
std::size_t RootLength(const std::string& comparable) {
  if (comparable.size() >= 2 && IsLetter(comparable[0]) && comparable[1] == ':') {
    return comparable.size() == 2 || comparable[2] == '\\' ? 2 : 0;
  }
  if (comparable.rfind("\\\\", 0) != 0) return 0;
  const std::size_t server = comparable.find('\\', 2);
  if (server == std::string::npos || server == 2) return 0;
  const std::size_t share = comparable.find('\\', server + 1);
  if (share == server + 1) return 0;
  return share == std::string::npos ? comparable.size() : share;
}

bool HasDotStep(const std::string& comparable) {
  std::size_t start = 0;
  while (start <= comparable.size()) {
    std::size_t end = comparable.find('\\', start);
    if (end == std::string::npos) end = comparable.size();
    const std::string step = comparable.substr(start, end - start);
    if (step == "." || step == "..") return true;
    start = end + 1;
  }
  return false;
}

}  // namespace

std::string ComparablePath(const std::string& path) {
  std::string comparable;
  for (std::size_t i = 0; i < path.size(); ++i) {
    char c = path[i] == '/' ? '\\' : path[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    // Keep the two backslashes that open a network path.
    if (c == '\\' && !comparable.empty() && comparable.back() == '\\' && i > 1) continue;
    comparable += c;
  }
  while (comparable.size() > 1 && comparable.back() == '\\' &&
         !(comparable.size() == 2 && comparable[0] == '\\')) {
    comparable.pop_back();
  }
  return comparable;
}

bool IsDriveRoot(const std::string& path) {
  const std::string comparable = ComparablePath(path);
  const std::size_t root = RootLength(comparable);
  return root != 0 && root == comparable.size();
}

RemovalGuard::RemovalGuard(platform::FileSystem& files, platform::Machine& machine)
    : files_(files) {
  std::vector<std::string> folders = {machine.WindowsFolder(), machine.SystemFolder(),
                                      files.TempFolder()};
  for (const int number : kSystemFolderNumbers) folders.push_back(machine.FolderPath(number));
  for (const char* variable : kSystemFolderVariables) {
    folders.push_back(machine.ExpandEnvironment(variable));
  }
  // The folder that holds the profiles ("C:\Users").
  const std::string profile = machine.FolderPath(platform::kCsidlProfile);
  const std::size_t slash = ComparablePath(profile).rfind('\\');
  if (slash != std::string::npos) folders.push_back(profile.substr(0, slash));
  for (const std::string& folder : folders) {
    // An unexpanded variable or a failed call names no folder.
    if (folder.empty() || folder.find('%') != std::string::npos) continue;
    systemFolders_.push_back(ComparablePath(folder));
  }
}

bool RemovalGuard::IsSystemFolder(const std::string& path) const {
  const std::string comparable = ComparablePath(path);
  return std::find(systemFolders_.begin(), systemFolders_.end(), comparable) !=
         systemFolders_.end();
}

std::string RemovalGuard::RefusalReason(const std::string& path) const {
  const std::string comparable = ComparablePath(path);
  const std::size_t root = RootLength(comparable);
  if (root == 0) return "not a full path";
  if (root == comparable.size()) return "a drive root";
  if (HasDotStep(comparable)) return "a path with \".\" or \"..\" steps";
  if (IsSystemFolder(path)) return "a folder of the system or the user's profile";
  // The path itself and every folder on its way below the root, with the
  // path's own spelling, since the file system takes that.
  std::string step = path;
  while (step.size() > 1 && (step.back() == '\\' || step.back() == '/')) step.pop_back();
  while (ComparablePath(step).size() > root) {
    if (files_.IsReparsePoint(step)) return "reached through a link or junction, or one itself";
    const std::size_t slash = step.find_last_of("\\/");
    if (slash == std::string::npos) break;
    step.erase(slash);
    while (step.size() > 1 && (step.back() == '\\' || step.back() == '/')) step.pop_back();
  }
  return {};
}

}  // namespace uninstall
