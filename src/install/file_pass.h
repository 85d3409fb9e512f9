// The "[fls]" file pass: folders to make and files to copy from the staging
// folder to their destinations.
#pragma once

#include <string>

#include "platform/platform.h"
#include "script/path_variables.h"

namespace install {

// Copies one staged file to its destination, making the destination folder
// first; with mayMove, moves it there where it can (PlaceStagedFile).
// Refused drives, a folder that cannot be made and a failed copy each show
// their message; nothing stops the caller.
void InstallFile(platform::Platform& host, const std::string& source,
                 const std::string& destination, bool mayMove = false);

// Runs every entry of the "[fls]" section in file order.
void RunFilePass(platform::Platform& host, script::PathExpander& expander);

}  // namespace install
