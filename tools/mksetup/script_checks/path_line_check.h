// The checks of "[path]" lines, ROOT|FOLDER: a root the setup program has a
// PATH for, and a folder that can be one entry of it.
#pragma once

#include "mksetup/script_checks/diagnostics.h"
#include "mksetup/script_checks/script_text.h"

namespace mksetup {

void CheckPathLines(const ScriptText& script, Diagnostics& out);

}  // namespace mksetup
