// The check of the path variables in the lines whose variables the setup
// program expands: a name it does not know stays in the path as text.
#pragma once

#include "mksetup/script_checks/diagnostics.h"
#include "mksetup/script_checks/script_text.h"

namespace mksetup {

void CheckPathVariables(const ScriptText& script, Diagnostics& out);

}  // namespace mksetup
