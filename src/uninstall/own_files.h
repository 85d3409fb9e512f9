// The uninstaller's own files in the installation folder: UnInstaller.exe,
// the remover and the log. A running program cannot delete itself, so the
// uninstaller leaves them to a copy of the remover, which runs after it.
#pragma once

#include <string>
#include <vector>

#include "platform/removal.h"
#include "uninstall/removal.h"

namespace uninstall {

std::string OwnFilePath(const std::string& folder, const std::string& name);

// The three paths in folder, in the order the remover deletes them.
std::vector<std::string> OwnFilePaths(const std::string& folder);

// The same paths as format::CanonicalPath spells them, for the list the file pass
// leaves alone.
std::vector<std::string> OwnFilesToKeep(const std::string& folder);

// Whether folder holds anything but the three.
bool HoldsMoreThanOwnFiles(platform::FileSystem& files, const std::string& folder);

// The remover's work, once the uninstaller has ended: deletes the three
// files, trying again for a while as a program that has just ended may
// still hold its file, then removes the folder when it is empty. Returns
// what stays.
std::vector<Leftover> RemoveOwnFiles(platform::FileSystem& files, platform::Removal& removal,
                                     platform::Shell& shell, const RemovalGuard& guard,
                                     const std::string& folder);

}  // namespace uninstall
