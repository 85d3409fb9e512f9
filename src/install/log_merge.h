// Carrying an installed version's uninstall log over into the new one, so
// that uninstalling removes what both versions left, and nothing else.
#pragma once

#include <string>

#include "base/function_ref.h"

namespace install {

// The new log's text with, before each section's closing marker, the records
// of the same section of the previous log that the new section lacks
// (compared byte for byte) and that stillThere accepts; section is the
// section's opening marker, such as "[files]". Whatever a section holds is
// carried the same way. The head records, the program group and the order of
// the sections are the new log's; a section that only the previous log has
// is left out. Records are separated by CR LF.
std::string MergeUninstallLogs(
    const std::string& fresh, const std::string& previous,
    base::FunctionRef<bool(const std::string& section, const std::string& record)> stillThere);

}  // namespace install
