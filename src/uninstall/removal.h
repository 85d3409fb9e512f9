// The removal passes: each removes what one section of the uninstall log
// names and adds what stays to the leftovers.
#pragma once

#include <string>
#include <vector>

#include "platform/removal.h"
#include "uninstall/removal_guard.h"
#include "uninstall/uninstall_log_reader.h"

namespace uninstall {

struct Leftover {
  std::string item;  // a path, or "ROOT\key" or "ROOT\key\value name"
  std::string reason;
};

// The files of the list that exist, then its folders (paths ending in "\")
// when empty, in log order. keep are the paths the pass leaves alone
// (compared as format::CanonicalPath), such as the uninstaller's own files.
void RemoveListedFiles(platform::FileSystem& files, platform::Removal& removal,
                       const RemovalGuard& guard, const std::vector<std::string>& paths,
                       const std::vector<std::string>& keep, std::vector<Leftover>& leftovers);

// Each link from the folder its location names, then the program group's
// folder when it is empty.
void RemoveShortcuts(platform::UninstallerPlatform& host, const RemovalGuard& guard,
                     const std::vector<ShortcutRecord>& shortcuts, const std::string& programGroup,
                     std::vector<Leftover>& leftovers);

// Each named value, and its key when nothing is left in it. A record without
// a value name stands for the key: its default value goes, and for an
// uninstall registration the values the installer wrote there too, then the
// key when nothing else is in it.
void RemoveRegistryValues(platform::Removal& removal, const std::vector<RegistryRecord>& records,
                          std::vector<Leftover>& leftovers);

// Each key the installing step created, deepest first, when it is empty; one
// that holds anything stays without a word, as a created folder does.
void RemoveCreatedKeys(platform::Removal& removal, const std::vector<RegistryRecord>& keys,
                       std::vector<Leftover>& leftovers);

// Whether the log's registry records name a file type or association.
bool NamesAssociations(const UninstallRecords& log);

// Removes an empty folder; a folder that stays is a leftover. A folder that
// is not there, or that the guard refuses, is left without a word.
void RemoveFolderWhenEmpty(platform::FileSystem& files, platform::Removal& removal,
                           const RemovalGuard& guard, const std::string& folder,
                           std::vector<Leftover>& leftovers);

}  // namespace uninstall
