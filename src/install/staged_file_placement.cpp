#include "install/staged_file_placement.h"

#include "format/windows_path.h"

namespace install {

StagedFileUses::Use* StagedFileUses::Find(const std::string& canonical) {
  for (Use& use : uses_) {
    if (use.source == canonical) return &use;
  }
  return nullptr;
}

void StagedFileUses::Add(const std::string& source) {
  std::string canonical = format::CanonicalPath(source);
  if (Use* use = Find(canonical)) {
    ++use->count;
  } else {
    uses_.push_back({std::move(canonical), 1});
  }
}

bool StagedFileUses::MayMove(const std::string& source, const std::string& scriptPath) {
  const std::string canonical = format::CanonicalPath(source);
  Use* use = Find(canonical);
  return use != nullptr && use->count > 0 && --use->count == 0 &&
         canonical != format::CanonicalPath(scriptPath);
}

bool PlaceStagedFile(platform::FileSystem& files, const std::string& source,
                     const std::string& destination, bool mayMove) {
  // A move that cannot be done leaves the file staged for the copy.
  return (mayMove && files.MoveStagedFile(source, destination)) ||
         files.CopyOver(source, destination);
}

}  // namespace install
