// The first lines of the setup script a payload carries, read from the
// archive before anything is staged: the setup program names its product by
// them before it writes anything, and mksetup describes a built setup
// program by them.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "format/payload_archive.h"

namespace package {

// Up to count lines of the script entry ("log_file.txt"; the last of that
// name, as each one staged replaces the one before), read as the setup
// program reads the staged script. Fewer when the script is shorter, none
// without a script.
std::vector<std::string> ScriptHeadLines(const std::vector<ArchiveEntry>& entries,
                                         std::size_t count);

}  // namespace package
