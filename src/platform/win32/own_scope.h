// The scope this program was built for (format/payload_contract.h), read
// from its own resources: the setup program's, and its uninstaller's.
#pragma once

#include "format/payload_contract.h"

namespace win32 {

// Machine when the program has no scope resource. False when the resource
// holds no scope's name, which only damage or another tool can cause.
bool ReadOwnScope(format::InstallScope& scope);

}  // namespace win32
