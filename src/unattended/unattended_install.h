// The silent run's installation: the wizard's own page logic walked without a
// window, from the welcome page to Finish, answering as an administrator's
// script would: the licence accepted, the folder of the command line (or the
// script's), no program started at the end.
#pragma once

#include <string>

#include "format/payload_contract.h"
#include "unattended/exit_codes.h"
#include "unattended/headless_surface.h"
#include "unattended/logged_platform.h"
#include "unattended/run_log.h"

namespace unattended {

struct UnattendedRequest {
  // Empty for the script's default folder.
  std::string installFolder;
  // The raw "[logo]" and "[Header]" lines of the extraction.
  std::string logoPath;
  std::string headerPath;
  // Links into the all-users folders.
  bool linksForAllUsers = false;
  // Whom the product is installed for.
  package::InstallScope scope = package::InstallScope::Machine;
};

// Installed, InstalledWithErrors, BadCommandLine for a folder refused by the
// script's lock or its drive, DamagedSetup for a script that leads to no
// installation folder. The reason of a refusal is in the log.
ExitCode InstallUnattended(LoggedPlatform& host, RunLog& log, const UnattendedRequest& request,
                           HeadlessSurface::ProgressListener progress);

// The log's last line: "Outcome: 0 (installed)" and the like.
std::string OutcomeLine(ExitCode code);

}  // namespace unattended
