// Destinations that other programs hold open. Before anything is copied the
// programs are named, and the user retries, has them closed or cancels (a
// quiet run answers for itself); a destination still held when its turn
// comes is replaced at the next restart.
#pragma once

#include <string>

#include "platform/platform.h"
#include "script/path_variables.h"

namespace install {

// Asks about the "[fls]" destinations in use until none is, or the answer
// is to go on. False when the user cancels: nothing has been changed then.
bool FreeFilesInUse(platform::Platform& host, script::PathExpander& expander);

// A destination in use gets the source's bytes at the next restart. False,
// with nothing set aside, when that cannot be arranged, or when an account
// other than the administrators could re-point a folder on the way to it
// before then: the file fails as an unwritable one does.
bool ReplaceBusyFile(platform::Platform& host, const std::string& source,
                     const std::string& destination);

}  // namespace install
