// The command line of mksetup: what each command takes, the help text, and
// usage errors that say what is wrong and how to get help.
#pragma once

#include <string>
#include <vector>

#include "mksetup/commands/console.h"

namespace mksetup {

// Runs the command line (without the program name) and returns the exit
// status: kExitOk, kExitFailure, or kExitUsage for a wrong command line.
int RunCommandLine(const std::vector<std::string>& arguments, Console& console);

// The text of mksetup --help.
std::string HelpText();

}  // namespace mksetup
