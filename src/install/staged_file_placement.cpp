#include "install/staged_file_placement.h"

#include "format/windows_path.h"

namespace install {

void StagedFileUses::Add(const std::string& source) {
  // Copied in rather than moved: the copying insertion is the one the
  // runtime has already.
  const std::string canonical = format::CanonicalPath(source);
  uses_.push_back(canonical);
}

bool StagedFileUses::MayMove(const std::string& source, const std::string& scriptPath) {
  const std::string canonical = format::CanonicalPath(source);
  // A plain loop: std::find's unrolled one is several times its size.
  std::size_t use = 0;
  std::size_t count = 0;
  for (std::size_t i = 0; i < uses_.size(); ++i) {
    if (uses_[i] == canonical && count++ == 0) use = i;
  }
  if (count == 0) return false;
  uses_[use] = std::move(uses_.back());
  uses_.pop_back();
  return count == 1 && canonical != format::CanonicalPath(scriptPath);
}

bool PlaceStagedFile(platform::FileSystem& files, const std::string& source,
                     const std::string& destination, bool mayMove) {
  // A move that cannot be done leaves the file staged for the copy.
  return (mayMove && files.MoveStagedFile(source, destination)) ||
         files.CopyOver(source, destination);
}

}  // namespace install
