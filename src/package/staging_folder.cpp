#include "package/staging_folder.h"

#include "format/windows_path.h"

namespace package {

namespace {

StagingResult Refusal(StagingStatus status, std::string message) {
  return {status, std::move(message)};
}

}  // namespace

StagingResult PrepareStagingFolder(platform::FileSystem& files, const std::string& folder) {
  if (folder.empty()) {
    return Refusal(
        StagingStatus::NoTemporaryFolder,
        "Setup cannot use the temporary folder: it is not set or its path is too long. "
        "Point the TEMP variable to an existing folder with a short path and run setup again.");
  }
  const std::string bare = format::WithoutTrailingSeparators(folder);
  if (files.IsReparsePoint(bare) || (files.Exists(bare) && !files.IsFolder(bare))) {
    return Refusal(
        StagingStatus::IsLink,
        "Setup does not unpack into " + bare +
            ": it is a link, a junction or a file rather than a folder. Remove it and run "
            "setup again.");
  }
  if (!files.IsFolder(bare)) files.MakeFolder(bare);
  // Held even when just made: a link could have taken the name since.
  if (!files.HoldFolder(bare)) {
    return Refusal(StagingStatus::CannotMake, "Setup cannot create or lock the folder " + bare +
                                                  " to unpack the installation files into.");
  }
  return {};
}

}  // namespace package
