// Which archive entries the setup program decodes after writing them. The
// archive carries no flag for it: the program decides from the setup script
// and from each entry's path, and the builder must decide the same way.
//
// The program tests its markers ("log_file.txt", "UnInstaller.exe", ".lic",
// "Remove Uninstaller.exe") on the entry's full path in the staging folder
// (the user's temporary folder, "$ddinstall\" and the name). The builder
// cannot know that folder, so it tests the staging folder's own part and the
// name: a temporary folder whose path itself holds a marker would make the
// program leave compressed entries undecoded.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace mksetup {

// The part of the staging path the builder knows: "$ddinstall\" + name.
std::string StagingPathOf(const std::string& name);

// Applies the rule to entries in archive order: a switch that is on at the
// start; an entry is decoded when the switch is on and its path holds no
// marker; after the setup script (the entry whose path holds
// "log_file.txt") the switch is set to scriptFlag(index of that entry).
std::vector<bool> ReaderDecodes(const std::vector<std::string>& names,
                                const std::function<bool(std::size_t)>& scriptFlag);

}  // namespace mksetup
