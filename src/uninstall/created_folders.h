// The folders the installing step created (UninstallRecords::createdFolders):
// each goes once it is empty, deepest first, after everything the log names
// in them. A folder that was there before the installation is not among
// them, and one that still holds anything stays: removing a folder never
// removes what is in it. The product's own folder and the created folders
// right above it hold the uninstaller while it runs, so the remover takes
// them after its files.
#pragma once

#include <string>
#include <vector>

#include "platform/removal.h"
#include "uninstall/removal.h"
#include "uninstall/removal_guard.h"
#include "uninstall/uninstall_log_reader.h"

namespace uninstall {

// The folder records of the file list that RemoveListedFiles leaves to
// RemoveCreatedFolders, as format::CanonicalPath spells them: the created
// folders and the folders that hold one.
std::vector<std::string> ListedFoldersLeftForLater(const UninstallRecords& log);

// Every created folder but ownFolder and the folders above it, deepest
// first; then the listed folders that held created ones, as
// RemoveListedFiles would have removed them.
void RemoveCreatedFolders(platform::FileSystem& files, platform::Removal& removal,
                          const RemovalGuard& guard, const UninstallRecords& log,
                          const std::string& ownFolder, std::vector<Leftover>& leftovers);

// How many folders right above ownFolder, one after the other, the
// installing step created.
unsigned CreatedFoldersAbove(const UninstallRecords& log, const std::string& ownFolder);

// The remover's share: up to levels folders above folder, nearest first,
// each once it is empty; the walk ends at the first one that stays.
void RemoveCreatedFoldersAbove(platform::FileSystem& files, platform::Removal& removal,
                               const RemovalGuard& guard, const std::string& folder,
                               unsigned levels, std::vector<Leftover>& leftovers);

}  // namespace uninstall
