#include "install/shared_folders.h"

#include "format/windows_path.h"
#include "script/path_variables.h"

namespace install {

bool IsSharedFolder(platform::Platform& host, const std::string& folder) {
  const std::string path = format::CanonicalPath(folder);
  // A drive root, or not a full path, which nothing tells apart from one.
  const std::size_t root = format::RootLength(path);
  if (root == 0 || root == path.size()) return true;
  const std::string shared[] = {
      host.machine.WindowsFolder(),
      host.machine.SystemFolder(),
      script::ReadProgramFilesPath(host.registry, host.machine),
      host.machine.FolderPath(platform::kCsidlProgramFiles),
      host.machine.FolderPath(platform::kCsidlProgramFilesX86),
      host.machine.FolderPath(platform::kCsidlProfile),
  };
  for (const std::string& known : shared) {
    if (!known.empty() && format::CanonicalPath(known) == path) return true;
  }
  return false;
}

}  // namespace install
