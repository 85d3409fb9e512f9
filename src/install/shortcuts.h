// Shortcuts: one shell link per "[shrt]" line, on the desktop, in the Start
// menu, in Quick Launch or in the product's program group.
#pragma once

#include <optional>
#include <string>

#include "install/uninstall_log.h"
#include "platform/platform.h"
#include "script/path_variables.h"

namespace install {

// The shell folder number of a shortcut location as the script and the
// uninstall log name it ("Desktop", "Program Group", ...); nothing for any
// other text.
std::optional<int> ShortcutFolderNumber(const std::string& location);

// The all-users folder that stands for a location's folder (the Desktop,
// Programs menu, Start menu and Startup); the number itself for Quick
// Launch, which has none.
int AllUsersFolderNumber(int folderNumber);

// The folder of a link the uninstall log records: a location of the table,
// or one behind format::log::kAllUsersPrefix for its all-users folder.
std::optional<int> RecordedFolderNumber(const std::string& location);

// The Programs menu, the user's or all users': links go into the program
// group below it.
bool IsProgramsMenu(int folderNumber);

// The folder that holds the links of a location: for the Programs menu, the
// program group below it. Empty when the shell knows no such folder.
std::string LinkFolder(platform::Machine& machine, const std::string& programGroup,
                       int folderNumber);

// The program group's folder below the Programs menu; the Programs menu
// itself for an empty group.
std::string ProgramGroupFolder(const std::string& programsMenu, const std::string& programGroup);

// Makes the link "Name.lnk" pointing at target in the folder that the shell
// folder number names (for the Programs menu, below the program group).
// An empty name or target shows its message and makes no link; a folder the
// shell does not know makes no link and no message.
void CreateShortcut(platform::Platform& host, const std::string& programGroup, int folderNumber,
                    const std::string& name, const std::string& target);

// The program group and every shortcut line of the script. Each line with a
// known location is recorded in the log before its link is made; forAllUsers
// puts the links into the all-users folders where the location has one.
void RunShortcutPass(platform::Platform& host, script::PathExpander& expander, UninstallLog& log,
                     std::string& programGroup, bool forAllUsers = false);

}  // namespace install
