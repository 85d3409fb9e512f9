// The two programs' command lines.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace uninstaller_app {

// The arguments after the program's name, split as the C runtime splits
// them: white space between, double quotes around words with spaces.
std::vector<std::string> CommandLineArguments(const char* commandLine);

// "/S" (any case) among the arguments: no question, no box.
bool HasSilentSwitch(const std::vector<std::string>& arguments);

// The remover's arguments: the handle of the uninstaller's process, which it
// waits for, the folder to clear and, when not 0, how many folders above it
// the installing step created (uninstall::RemoveCreatedFoldersAbove).
struct RemoverArguments {
  std::uintptr_t processHandle = 0;
  std::string folder;
  unsigned createdAbove = 0;
};
std::string RemoverCommandLine(const std::string& program, const RemoverArguments& arguments);
bool ParseRemoverArguments(const std::vector<std::string>& arguments, RemoverArguments& parsed);

// The folder of the running program, without a "\" at the end.
std::string OwnFolder();

}  // namespace uninstaller_app
