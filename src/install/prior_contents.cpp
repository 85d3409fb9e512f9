#include "install/prior_contents.h"

#include <algorithm>

#include "format/uninstall_log_format.h"
#include "format/windows_path.h"
#include "install/folder_walk.h"
#include "install/shared_folders.h"
#include "script/script_reader.h"
#include "script/script_rules.h"

namespace install {

PriorContents::PriorContents(platform::Platform& host, const std::string& folder) {
  bool listed = false;
  script::ReadUninstallSource(host.files, script::ScriptPath(host.files),
                              [&](const std::string& path) {
                                listed = listed || path == format::log::kWholeInstallFolder;
                              });
  if (!listed || IsSharedFolder(host, folder)) return;
  WalkFolder(host.files, folder,
             [&](const std::string& path, bool) { paths_.push_back(format::CanonicalPath(path)); });
  std::sort(paths_.begin(), paths_.end());
}

void PriorContents::Replaced(const std::vector<std::string>& paths) {
  for (const std::string& path : paths) {
    const std::string canonical = format::CanonicalPath(path);
    const auto at = std::lower_bound(paths_.begin(), paths_.end(), canonical);
    if (at != paths_.end() && *at == canonical) paths_.erase(at);
  }
}

bool PriorContents::Held(const std::string& path) const {
  return std::binary_search(paths_.begin(), paths_.end(), format::CanonicalPath(path));
}

}  // namespace install
