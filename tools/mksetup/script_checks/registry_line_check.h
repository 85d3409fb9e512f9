// The checks of the registry lines: "[regi]" lines (ROOT|KEY|NAME|TYPE|DATA|),
// which the setup program writes, and "[uninst_reg]" lines (ROOT|KEY|NAME|),
// which it records for the uninstaller; each split as the setup program's
// pass splits it.
#pragma once

#include "mksetup/script_checks/diagnostics.h"
#include "mksetup/script_checks/script_text.h"

namespace mksetup {

void CheckRegistryLines(const ScriptText& script, Diagnostics& out);
void CheckRemovalRegistryLines(const ScriptText& script, Diagnostics& out);

}  // namespace mksetup
