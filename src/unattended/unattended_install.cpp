#include "unattended/unattended_install.h"

#include <iterator>

#include "format/joined_text.h"
#include "format/decimal_text.h"
#include "wizard/install_wizard.h"

namespace unattended {

ExitCode InstallUnattended(LoggedPlatform& host, RunLog& log, const UnattendedRequest& request,
                           HeadlessSurface::ProgressListener progress) {
  HeadlessSurface surface(progress);
  wizard::CInstallWizard wizard(surface, host.Get(), request.logoPath, request.headerPath);
  if (request.linksForAllUsers) wizard.PutLinksForAllUsers();
  wizard.PutScope(request.scope);
  wizard.OnInitDialog();

  wizard.OnNext();
  if (wizard.CurrentPage() == wizard::kLicencePage) {
    log.Line("Licence accepted by the silent run");
    wizard.AcceptLicence();
    wizard.OnNext();
  }
  // Without "[lic]" Next leaves the wizard on its welcome page for good.
  if (wizard.CurrentPage() != wizard::kDestinationPage) {
    log.Line("Refused: the setup script leads to no installation folder page");
    return ExitCode::DamagedSetup;
  }

  if (!request.installFolder.empty()) {
    if (wizard.InstallFolderLocked()) {
      log.Line(
          "Refused: the setup script locks the installation folder, so /D= and /DIR= "
          "cannot change it");
      return ExitCode::BadCommandLine;
    }
    wizard.EnterInstallFolder(request.installFolder);
  }
  const std::string folder = wizard.InstallPath();
  if (!wizard.DriveAccepted()) {
    log.Line("Refused: the installation folder " + folder +
             " is not on a fixed or removable drive");
    return ExitCode::BadCommandLine;
  }
  log.Line("Installation folder: ", folder);

  wizard.OnNext();  // the installing step, ending on the finish page
  log.Line(wizard.installNote_);
  wizard.DeclineLaunch();
  wizard.OnNext();  // Finish: the staged files are deleted
  log.Line("Staged files deleted");
  if (host.Failures() != 0) return ExitCode::InstalledWithErrors;
  return host.RestartNeeded() ? ExitCode::RestartNeeded : ExitCode::Installed;
}

std::string OutcomeLine(ExitCode code) {
  static constexpr const char* kMeanings[] = {
      "installed",
      "cancelled by the user",
      "installed with errors",
      "bad command line or refused folder",
      "damaged setup program",
      "no staging folder",
  };
  const auto number = static_cast<unsigned>(code);
  const char* meaning = code == ExitCode::RestartNeeded ? "restart needed"
                        : number < std::size(kMeanings) ? kMeanings[number]
                                                        : "";
  return format::Joined({"Outcome: ", format::DecimalDigits(number), " (", meaning, ")"});
}

}  // namespace unattended
