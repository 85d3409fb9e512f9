// The setup program's command line: the switches a deployment tool passes.
// Parsed from the raw text of GetCommandLineA, program name first.
#pragma once

#include <string>

namespace unattended {

enum class Display {
  Full,          // no switch: the extraction dialog and the whole wizard
  ProgressOnly,  // /SILENT: the extraction dialog and the installing progress
  None,          // /S or /VERYSILENT: no window at all
};

struct CommandLine {
  Display display = Display::Full;
  // /D= or /DIR=: the installation folder instead of the script's default.
  std::string installFolder;
  // /LOG or /LOG=FILE; logPath is empty for the default log.
  bool logWanted = false;
  std::string logPath;
  bool showHelp = false;  // /?
  // Switches deployment tools pass to every installer by habit.
  bool noStartQuestion = false;       // /SP-
  bool suppressMessageBoxes = false;  // /SUPPRESSMSGBOXES
  bool noCancel = false;              // /NOCANCEL
  bool allUsers = false;              // /ALLUSERS
  // Those of them given, each after a blank, for the log.
  std::string flagSwitches;
  // /CLOSEAPPLICATIONS: a silent run closes the programs that hold files it
  // must replace; /NOCLOSEAPPLICATIONS (the default) leaves them to the
  // next restart.
  bool closeApplications = false;
  // /NORESTART: the setup program never restarts the computer anyway.
  bool noRestart = false;
  // Why the command line was refused; empty when it was accepted.
  std::string error;

  bool Silent() const { return display != Display::Full; }
};

// A switch without a value: its word (upper case) and the flag it sets.
// The run's log names each one given. Add new ones here.
struct FlagSwitch {
  const char* word;
  bool CommandLine::*flag;
};
inline constexpr FlagSwitch kFlagSwitches[] = {
    // Nothing to do: no question comes before the wizard.
    {"/SP-", &CommandLine::noStartQuestion},
    // Nothing to do: a silent run answers every box with its default.
    {"/SUPPRESSMSGBOXES", &CommandLine::suppressMessageBoxes},
    // The progress window cannot be closed.
    {"/NOCANCEL", &CommandLine::noCancel},
    // Links into the all-users folders.
    {"/ALLUSERS", &CommandLine::allUsers},
};

// Switch names compare without regard to case. Quotes group blanks into one
// argument and are dropped; a backslash is an ordinary character, so
// "C:\Program Files\" keeps its closing quote. "/D=" takes the rest of the
// line as it stands, spaces included, which makes it the last argument.
CommandLine ParseCommandLine(const std::string& raw);

// The log of /LOG alone: the temporary folder (ending with a backslash) and
// the setup program's name with ".log" in place of its extension.
std::string DefaultLogPath(const std::string& tempFolder, const std::string& raw);

// The text of /?: every switch and exit code.
extern const char* const kUsageText;

}  // namespace unattended
