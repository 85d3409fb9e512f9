// The "[fls]" file pass: folders to make and files to copy from the staging
// folder to their destinations.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"
#include "script/path_variables.h"

namespace install {

// Runs every entry of the "[fls]" section in file order: makes each folder
// and copies each staged file to its destination, making its folder first,
// or moves it there where it can (PlaceStagedFile). Refused drives, a folder
// that cannot be made and a failed copy each show their message; nothing
// stops the pass. Returns the destinations of the files it installed (or
// left to the next restart), in the script's spelling.
std::vector<std::string> RunFilePass(platform::Platform& host, script::PathExpander& expander);

}  // namespace install
