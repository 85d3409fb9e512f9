// Making the staging folder safe to unpack into before the first entry is
// written. The folder sits in the temporary folder: an elevated setup
// program's own private one, or else the user's, where any program of the
// user can put a link or junction in its place while the setup program
// copies what it finds there into Program Files.
#pragma once

#include <string>

#include "platform/platform.h"

namespace package {

enum class StagingStatus {
  Ready,
  NoTemporaryFolder,  // the temporary folder is unknown or its path too long
  IsLink,             // the name is taken by a link, junction or file
  CannotMake,         // the folder could not be created or held
};

struct StagingResult {
  StagingStatus status = StagingStatus::Ready;
  std::string message;  // what to tell the user when not Ready
};

// Reuses the folder or creates it, then holds it (platform::FileSystem::
// HoldFolder) until the process ends. folder is the staging folder with its
// trailing backslash; empty means the temporary folder could not be used.
StagingResult PrepareStagingFolder(platform::FileSystem& files, const std::string& folder);

}  // namespace package
