// Shortcuts: one shell link per "[shrt]" line, on the desktop, in the Start
// menu, in Quick Launch or in the product's program group.
#pragma once

#include <string>

#include "install/uninstall_log.h"
#include "platform/platform.h"
#include "script/path_variables.h"

namespace install {

// Makes the link "Name.lnk" pointing at target in the folder that the shell
// folder number names (for the Programs menu, below the program group).
// An empty name or target shows its message and makes no link; a folder the
// shell does not know makes no link and no message.
void CreateShortcut(platform::Platform& machine, const std::string& programGroup,
                    int folderNumber, const std::string& name,
                    const std::string& target);

// The program group and every shortcut line of the script. Each line with a
// known location is recorded in the log before its link is made.
void RunShortcutPass(platform::Platform& machine, script::PathExpander& expander,
                     UninstallLog& log, std::string& programGroup);

}  // namespace install
