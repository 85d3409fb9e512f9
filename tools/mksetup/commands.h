// The builder's three commands. Each writes its results to the console's
// output, its messages to the console's error stream, and returns an exit
// status (kExitOk, kExitFailure).
#pragma once

#include <string>

#include "mksetup/console.h"

namespace mksetup {

// The setup runtime that build uses without --stub: this file in the folder
// of the mksetup executable.
inline constexpr const char* kRuntimeFileName = "setup-runtime.exe";
std::string DefaultRuntimePath();

struct BuildOptions {
  std::string script;  // the setup script, stored as "log_file.txt"
  std::string files;   // the folder of the product's files
  std::string stub;    // the setup runtime; empty for DefaultRuntimePath()
  std::string output;  // the setup program to write
  unsigned jobs = 0;   // threads that encode entries; 0 for one per processor
};

// Checks the script against the folder, and when no error is found writes a
// copy of the runtime that carries the payload archive.
int RunBuild(const BuildOptions& options, Console& console);

// One line per entry: stored size, whether the setup program decodes it,
// decoded size, name.
int RunList(const std::string& setup, Console& console);

// Writes the entries into folder as the setup program leaves them in its
// staging folder: decoded where it decodes them.
int RunExtract(const std::string& setup, const std::string& folder, Console& console);

}  // namespace mksetup
