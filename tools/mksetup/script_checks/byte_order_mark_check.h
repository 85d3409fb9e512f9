// The check of the script's first bytes: editors that save "UTF-8 with BOM"
// or "Unicode" put a byte-order mark there, which the setup program, reading
// bytes in the machine's code page, takes for text.
#pragma once

#include "mksetup/script_checks/diagnostics.h"
#include "mksetup/script_checks/script_text.h"

namespace mksetup {

// False when the script is UTF-16: every line is then unreadable to the
// setup program, and the other checks would only repeat it.
bool CheckByteOrderMark(const ScriptText& script, Diagnostics& out);

}  // namespace mksetup
