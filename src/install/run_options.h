// RunOptions: how this one run of the setup program goes, as its command line
// asks. The command line is parsed into it once (unattended's switch table),
// the run completes it where it begins (the scope the program was built for;
// a run as SYSTEM puts the links into the all-users folders), and then it is
// handed as it is, by const reference, to the wizard, the silent run and the
// installing step. What the script says or a page reads from its controls is
// no option of the run.
#pragma once

#include <string>

#include "format/payload_contract.h"

namespace install {

enum class Display {
  Full,          // no switch: the extraction dialog and the whole wizard
  ProgressOnly,  // /SILENT: the extraction dialog and the installing progress
  None,          // /S or /VERYSILENT: no window at all
};

struct RunOptions {
  Display display = Display::Full;
  // /D= or /DIR=: the installation folder instead of the script's default
  // (or an installed version's).
  std::string installFolder;
  // /LOG or /LOG=FILE; logPath is empty for the default log.
  bool logWanted = false;
  std::string logPath;
  // /ALLUSERS, or a run as the SYSTEM account: the links of "[shrt]" go
  // into the all-users folders.
  bool allUsers = false;
  // Whom the product is installed for, as the setup program was built (its
  // scope resource, never the command line): the folders the path variables
  // stand for, where an installed version is found, where the programs-list
  // entry goes and whether the installation folder is made as an
  // administrator's.
  format::InstallScope scope = format::InstallScope::Machine;
  // /NOCANCEL: the progress window cannot be closed.
  bool noCancel = false;
  // /CLOSEAPPLICATIONS: a silent run closes the programs that hold files it
  // must replace; /NOCLOSEAPPLICATIONS (the default) leaves them to the
  // next restart.
  bool closeApplications = false;
  // Switches deployment tools pass to every installer by habit, with
  // nothing to do here.
  bool noStartQuestion = false;       // /SP-: no question comes before the wizard
  bool suppressMessageBoxes = false;  // /SUPPRESSMSGBOXES: a silent run answers every box
  bool noRestart = false;             // /NORESTART: the computer is never restarted

  bool Silent() const { return display != Display::Full; }
};

}  // namespace install
