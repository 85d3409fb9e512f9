// The checks of a script for a setup program that installs for one user
// (--scope user): it runs without administrator rights, so whatever needs
// them would fail on every user's machine.
#pragma once

#include "mksetup/script_checks/diagnostics.h"
#include "mksetup/script_checks/script_text.h"

namespace mksetup {

// Registry values under the machine's roots, and an installation folder or
// file destination below the Windows or system folder.
void CheckUserScopeScript(const ScriptText& script, Diagnostics& out);

}  // namespace mksetup
