#include "format/windows_path.h"
#include "install/installing_step.h"

namespace install {

namespace {

// The platform's path limit: 260 bytes with the terminating zero. A longer
// text can name no folder, and the bound keeps the recursion shallow.
constexpr std::size_t kLongestPath = 259;

std::vector<std::string> g_createdFolders;

}  // namespace

const std::vector<std::string>& CreatedFolders() { return g_createdFolders; }

void NoteCreatedFolder(const std::string& folder) { g_createdFolders.push_back(folder); }

void ForgetCreatedFolders() { g_createdFolders.clear(); }

void CreateFolderPath(platform::FileSystem& files, const std::string& path) {
  const std::string folder = format::WithoutTrailingSeparators(path);
  if (folder.empty() || folder.size() > kLongestPath || files.Exists(folder)) return;
  // A text without "\" is a drive ("C:") or a bare name: there is nothing
  // above it to create first, and a bare name would land in whatever folder
  // happens to be current, so the walk up ends here without creating it.
  const std::size_t slash = folder.rfind('\\');
  if (slash == std::string::npos) return;
  CreateFolderPath(files, folder.substr(0, slash));
  // A failure shows later, when the folder is used.
  if (files.MakeFolder(folder)) NoteCreatedFolder(folder);
}

}  // namespace install
