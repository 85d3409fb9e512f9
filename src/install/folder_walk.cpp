#include "install/folder_walk.h"

#include "format/windows_path.h"

namespace install {

namespace {

// A folder path of 260 bytes cannot hold more levels than this, so a deeper
// walk can only be a junction that leads back into itself.
constexpr int kDeepestFolder = 130;

void WalkLevel(platform::FileSystem& files, const std::string& folder, int depth,
               base::FunctionRef<void(const std::string& path, bool isFolder)> visit) {
  if (depth > kDeepestFolder) return;
  const std::string base = format::WithTrailingSeparator(folder);
  for (const platform::FolderEntry& entry : files.ListFolder(base)) {
    const std::string path = base + entry.name;
    // A link or junction may lead anywhere: the uninstaller removes the link
    // itself, never what it names.
    if (entry.isFolder && !entry.isReparsePoint) WalkLevel(files, path, depth + 1, visit);
    visit(path, entry.isFolder);
  }
}

}  // namespace

void WalkFolder(platform::FileSystem& files, const std::string& folder,
                base::FunctionRef<void(const std::string& path, bool isFolder)> visit) {
  WalkLevel(files, folder, 0, visit);
}

}  // namespace install
