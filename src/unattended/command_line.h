// The setup program's command line: the switches a deployment tool passes.
// Parsed from the raw text of GetCommandLineA, program name first, through
// the switch table (unattended/switches.h).
#pragma once

#include <string>

#include "install/run_options.h"

namespace unattended {

// The run's options as the command line gives them, with what only the
// parse knows.
struct CommandLine : install::RunOptions {
  bool showHelp = false;  // /?
  // The switches given that the log names on its "Accepted:" line, each
  // after a blank, in the order given.
  std::string accepted;
  // Why the command line was refused; empty when it was accepted.
  std::string error;
};

// Switch names compare without regard to case. Quotes group blanks into one
// argument and are dropped; a backslash is an ordinary character, so
// "C:\Program Files\" keeps its closing quote. "/D=" takes the rest of the
// line as it stands, spaces included, which makes it the last argument.
CommandLine ParseCommandLine(const std::string& raw);

// The log of /LOG alone: the temporary folder (ending with a backslash) and
// the setup program's name with ".log" in place of its extension.
std::string DefaultLogPath(const std::string& tempFolder, const std::string& raw);

}  // namespace unattended
