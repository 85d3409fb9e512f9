// The checks that need nothing but the setup script: its header, its markers
// and the sections the setup program reads by position. Each finding names
// the line where the setup program would go wrong.
#pragma once

#include "mksetup/script_checks/diagnostics.h"
#include "mksetup/script_checks/script_text.h"

namespace mksetup {

// The setup program copies each header line and the installation folder
// template into a 260-byte field with its terminating zero.
constexpr std::size_t kMaxFieldLength = format::kFieldCharacters;

void CheckScript(const ScriptText& script, Diagnostics& out);

}  // namespace mksetup
