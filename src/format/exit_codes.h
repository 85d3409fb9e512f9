// The setup program's exit codes: what a deployment tool reads of the run.
// Interactive and silent runs end with the same codes.
#pragma once

namespace format {

enum class ExitCode : unsigned {
  Installed = 0,
  Cancelled = 1,            // the user left through the exit confirmation
  InstalledWithErrors = 2,  // files, links or values not written, or a message shown
  BadCommandLine = 3,       // also a folder the script or the drive refuses
  DamagedSetup = 4,         // no payload, no setup script, a damaged archive
  NoStaging = 5,            // the staging folder or a file in it cannot be made
  // Another setup program of the same product runs; nothing was done.
  InstallInProgress = 1618,
  // Installed; a file in use is replaced at the next restart.
  RestartNeeded = 3010,
};

}  // namespace format
