// What the installation folder held before the installing step wrote into
// it: the user's own files (an installation into "C:\Users\me\Documents"),
// another product's, or an installed version's. None of them is this setup's
// to claim, so the uninstall log's listing of the folder ("%InstallPath%")
// leaves them out and the uninstaller never removes them; a file that the
// step installs in place of one is the product's from then on. An installed
// version's own files still go: the new log carries over the records of its
// log, where the digest vouches for it.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"

namespace install {

class PriorContents {
 public:
  // Walks folder as the listing does (WalkFolder), but only where the
  // listing walks it too: the setup script has a "%InstallPath%" line and
  // folder is no shared one (IsSharedFolder). A drive is never walked.
  PriorContents(platform::Platform& host, const std::string& folder);

  // The step installed a file at each of these paths.
  void Replaced(const std::vector<std::string>& paths);

  // Whether path was there before and the step installed nothing in its
  // place.
  bool Held(const std::string& path) const;

 private:
  std::vector<std::string> paths_;  // format::CanonicalPath, sorted
};

}  // namespace install
