#include "install/shared_folders.h"

#include <cctype>

#include "script/path_variables.h"

namespace install {

namespace {

std::string Normalised(std::string path) {
  while (!path.empty() && (path.back() == '\\' || path.back() == '/')) path.pop_back();
  for (char& c : path) {
    c = c == '/' ? '\\' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return path;
}

bool IsDriveRoot(const std::string& path) {
  if (path.size() == 2 && path[1] == ':') return true;
  // "\\server\share": a third backslash would start a folder on the share.
  if (path.rfind("\\\\", 0) == 0) {
    const std::size_t share = path.find('\\', 2);
    return share == std::string::npos || path.find('\\', share + 1) == std::string::npos;
  }
  return false;
}

}  // namespace

bool IsSharedFolder(platform::Platform& host, const std::string& folder) {
  const std::string path = Normalised(folder);
  if (path.empty() || IsDriveRoot(path)) return true;
  const std::string shared[] = {
      host.machine.WindowsFolder(),
      host.machine.SystemFolder(),
      script::ReadProgramFilesPath(host.registry, host.machine),
      host.machine.FolderPath(platform::kCsidlProgramFiles),
      host.machine.FolderPath(platform::kCsidlProgramFilesX86),
      host.machine.FolderPath(platform::kCsidlProfile),
  };
  for (const std::string& known : shared) {
    if (!known.empty() && Normalised(known) == path) return true;
  }
  return false;
}

}  // namespace install
