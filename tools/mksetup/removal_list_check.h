// The check of the uninstall log's removal list against what "[fls]"
// installs: the uninstaller removes only what the list names.
#pragma once

#include "mksetup/diagnostics.h"
#include "mksetup/script_text.h"

namespace mksetup {

void CheckRemovalList(const ScriptText& script, Diagnostics& out);

}  // namespace mksetup
