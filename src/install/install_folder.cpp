#include "install/installing_step.h"

namespace install {

namespace {

char Lowercase(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool IsAtOrBelow(const std::string& path, const std::string& folder) {
  std::size_t size = folder.size();
  while (size > 0 && folder[size - 1] == '\\') --size;
  // An unexpanded variable or a failed call names no folder.
  if (size == 0 || folder.find('%') != std::string::npos || path.size() < size) return false;
  for (std::size_t i = 0; i < size; ++i) {
    if (Lowercase(path[i]) != Lowercase(folder[i])) return false;
  }
  return path.size() == size || path[size] == '\\';
}

// The program files folders of both kinds: a 32-bit program's shell names
// only its own, the 64-bit one is in %ProgramW6432%.
bool IsInProgramFiles(platform::Machine& machine, const std::string& path) {
  return IsAtOrBelow(path, machine.FolderPath(platform::kCsidlProgramFiles)) ||
         IsAtOrBelow(path, machine.FolderPath(platform::kCsidlProgramFilesX86)) ||
         IsAtOrBelow(path, machine.ExpandMachineVariables("%ProgramW6432%"));
}

}  // namespace

void CreateInstallFolder(platform::Platform& host, const std::string& path, bool protect) {
  std::string folder = path;
  if (!folder.empty() && folder.back() == '\\') folder.pop_back();
  const std::size_t slash = folder.rfind('\\');
  if (!protect || slash == std::string::npos || host.files.Exists(folder) ||
      IsInProgramFiles(host.machine, folder)) {
    CreateFolderPath(host.files, path);
    return;
  }
  CreateFolderPath(host.files, folder.substr(0, slash));
  // A failure shows later, when the folder is used.
  if (host.files.MakeProtectedFolder(folder)) NoteCreatedFolder(folder);
}

}  // namespace install
