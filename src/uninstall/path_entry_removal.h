// Taking back the folders the installing step appended to a PATH: exactly
// the recorded entry, once, and nothing else of the value.
#pragma once

#include <vector>

#include "platform/platform.h"
#include "uninstall/removal.h"
#include "uninstall/uninstall_log_reader.h"

namespace uninstall {

// Removes each recorded entry from its PATH (the last entry that names the
// folder, which is where the installing step put it); tells running programs
// when a PATH changed. An entry that is gone already is passed over.
void RemovePathEntries(platform::Platform& host, const std::vector<PathEntryRecord>& entries,
                       std::vector<Leftover>& leftovers);

}  // namespace uninstall
