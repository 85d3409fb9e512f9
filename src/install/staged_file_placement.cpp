#include "install/staged_file_placement.h"

#include <algorithm>

#include "format/windows_path.h"

namespace install {

void StagedFileUses::Add(const std::string& source) {
  uses_.push_back(format::CanonicalPath(source));
}

bool StagedFileUses::MayMove(const std::string& source, const std::string& scriptPath) {
  const std::string canonical = format::CanonicalPath(source);
  const auto use = std::find(uses_.begin(), uses_.end(), canonical);
  if (use == uses_.end()) return false;
  *use = std::move(uses_.back());
  uses_.pop_back();
  return std::find(uses_.begin(), uses_.end(), canonical) == uses_.end() &&
         canonical != format::CanonicalPath(scriptPath);
}

bool PlaceStagedFile(platform::FileSystem& files, const std::string& source,
                     const std::string& destination, bool mayMove) {
  // A move that cannot be done leaves the file staged for the copy.
  return (mayMove && files.MoveStagedFile(source, destination)) ||
         files.CopyOver(source, destination);
}

}  // namespace install
