// How a staged file gets to its installed place: moved, so that its bytes
// are written once, unless the staging folder still needs it; then copied.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"

namespace install {

// The staged files that "[fls]" installs, with how many entries install
// each, so that an entry can tell whether it is the last to need its file.
class StagedFileUses {
 public:
  // One more entry installs the staged file at source.
  void Add(const std::string& source);
  // Counts off the entry that installs source now. True when the file may
  // leave the staging folder: no later entry installs it again and it is not
  // the setup script, which the rest of the run reads.
  bool MayMove(const std::string& source, const std::string& scriptPath);

 private:
  std::vector<std::string> uses_;  // one canonical path (format::CanonicalPath) per entry
};

// Puts the staged file source at destination: moved where allowed and
// possible (one volume), otherwise copied. True when it is in place.
bool PlaceStagedFile(platform::FileSystem& files, const std::string& source,
                     const std::string& destination, bool mayMove);

}  // namespace install
