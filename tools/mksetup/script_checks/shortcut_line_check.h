// The checks of the "[shrt]" lines: each line the setup program's shortcut
// pass takes, split into Location|Target|Name as that pass splits it.
#pragma once

#include "mksetup/script_checks/diagnostics.h"
#include "mksetup/script_checks/script_text.h"

namespace mksetup {

void CheckShortcutLines(const ScriptText& script, Diagnostics& out);

}  // namespace mksetup
