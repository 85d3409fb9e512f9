// The check of the uninstall log's removal list against what "[fls]"
// installs: the uninstaller removes only what the list names.
#pragma once

#include "mksetup/script_checks/diagnostics.h"
#include "mksetup/script_checks/script_text.h"

namespace mksetup {

void CheckRemovalList(const ScriptText& script, Diagnostics& out);

}  // namespace mksetup
