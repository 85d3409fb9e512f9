// mksetup: builds setup programs from a setup script and a folder of files,
// and lists or extracts what a built one carries. See mksetup --help.
#include <string>
#include <vector>

#include "mksetup/commands/cli.h"

int main(int argc, char** argv) {
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i) arguments.emplace_back(argv[i]);
  mksetup::Console console = mksetup::ProcessConsole();
  return mksetup::RunCommandLine(arguments, console);
}
