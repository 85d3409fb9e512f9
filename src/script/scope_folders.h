// What the program files variables stand for in each scope: the machine's
// program files folder, or, for a program that installs for one user, the
// user's own (%LocalAppData%\Programs, where Windows keeps per-user
// programs), which needs no administrator rights.
#pragma once

#include <string>

#include "format/payload_contract.h"
#include "platform/platform.h"

namespace script {

// %ProgramFiles%.
std::string ProgramFilesFolder(format::InstallScope scope, platform::Registry& registry,
                               platform::Machine& machine);
// %CommonFiles%: "Common Files" in the machine's folder, "Common" in the
// user's, as Windows names them.
std::string CommonFilesFolder(format::InstallScope scope, platform::Registry& registry,
                              platform::Machine& machine);

}  // namespace script
