#include "install/installing_step.h"

namespace install {

namespace {

std::string Comparable(std::string path) {
  for (char& c : path) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c == '/') c = '\\';
  }
  while (!path.empty() && path.back() == '\\') path.pop_back();
  return path;
}

bool IsAtOrBelow(const std::string& path, const std::string& folder) {
  const std::string comparable = Comparable(path);
  const std::string top = Comparable(folder);
  if (top.empty() || comparable.compare(0, top.size(), top) != 0) return false;
  return comparable.size() == top.size() || comparable[top.size()] == '\\';
}

// The program files folders of both kinds, as the shell and the environment
// name them: a 32-bit program sees only some of them through each.
bool IsInProgramFiles(platform::Machine& machine, const std::string& path) {
  for (const int number : {platform::kCsidlProgramFiles, platform::kCsidlProgramFilesX86}) {
    if (IsAtOrBelow(path, machine.FolderPath(number))) return true;
  }
  for (const char* variable : {"%ProgramW6432%", "%ProgramFiles(x86)%", "%ProgramFiles%"}) {
    const std::string folder = machine.ExpandEnvironment(variable);
    if (folder.find('%') == std::string::npos && IsAtOrBelow(path, folder)) return true;
  }
  return false;
}

}  // namespace

void CreateInstallFolder(platform::Platform& host, const std::string& path) {
  std::string folder = path;
  if (!folder.empty() && folder.back() == '\\') folder.pop_back();
  const std::size_t slash = folder.rfind('\\');
  if (slash == std::string::npos || host.files.Exists(folder) ||
      IsInProgramFiles(host.machine, folder)) {
    CreateFolderPath(host.files, path);
    return;
  }
  CreateFolderPath(host.files, folder.substr(0, slash));
  host.files.MakeProtectedFolder(folder);  // a failure shows later, when the folder is used
}

}  // namespace install
