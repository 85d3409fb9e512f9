// The silent run's installation: the wizard's own page logic walked without a
// window, from the welcome page to Finish, answering as an administrator's
// script would: the licence accepted, the folder of the command line (or the
// script's), no program started at the end.
#pragma once

#include <string>

#include "install/run_options.h"
#include "format/exit_codes.h"
#include "unattended/headless_surface.h"
#include "unattended/logged_platform.h"
#include "unattended/run_log.h"

namespace unattended {

struct UnattendedRequest {
  // The raw "[logo]" and "[Header]" lines of the extraction.
  std::string logoPath;
  std::string headerPath;
};

// Installed, InstalledWithErrors, BadCommandLine for a folder refused by the
// script's lock or its drive, DamagedSetup for a script that leads to no
// installation folder. The reason of a refusal is in the log.
// Without a folder in the options, the script's (or an installed version's).
format::ExitCode InstallUnattended(LoggedPlatform& host, RunLog& log,
                                   const install::RunOptions& options,
                                   const UnattendedRequest& request,
                                   HeadlessSurface::ProgressListener progress);

// The log's last line: "Outcome: 0 (installed)" and the like.
std::string OutcomeLine(format::ExitCode code);

}  // namespace unattended
