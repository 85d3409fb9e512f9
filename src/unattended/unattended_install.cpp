#include "unattended/unattended_install.h"

#include "wizard/control_ids.h"
#include "wizard/install_wizard.h"

namespace unattended {

ExitCode InstallUnattended(LoggedPlatform& host, RunLog& log, const UnattendedRequest& request,
                           HeadlessSurface::ProgressListener progress) {
  HeadlessSurface surface(progress);
  wizard::CInstallWizard wizard(surface, host.Get(), request.logoPath, request.headerPath);
  wizard.OnInitDialog();

  wizard.OnNext();
  if (wizard::g_nWizardPage == wizard::kLicencePage) {
    log.Line("Licence accepted by the silent run");
    surface.SetCheck(wizard::kAcceptBox, true);
    wizard.OnAcceptClicked();
    wizard.OnNext();
  }
  // Without "[lic]" Next leaves the wizard on its welcome page for good.
  if (wizard::g_nWizardPage != wizard::kDestinationPage) {
    log.Line("Refused: the setup script leads to no installation folder page");
    return ExitCode::DamagedSetup;
  }

  if (!request.installFolder.empty()) {
    // A locked folder is the one place where Browse stays disabled.
    if (!surface.IsEnabled(wizard::kBrowseButton)) {
      log.Line(
          "Refused: the setup script locks the installation folder, so /D= and /DIR= "
          "cannot change it");
      return ExitCode::BadCommandLine;
    }
    surface.SetText(wizard::kPathBox, request.installFolder);
    wizard.UpdateDriveSpace(request.installFolder.substr(0, 1));
    wizard.OnPathChanged();
  }
  const std::string folder = surface.GetText(wizard::kPathBox);
  if (!surface.IsEnabled(wizard::kNextButton)) {
    log.Line("Refused: the installation folder " + folder +
             " is not on a fixed or removable drive");
    return ExitCode::BadCommandLine;
  }
  log.Line("Installation folder: " + folder);

  wizard.OnNext();  // the installing step, ending on the finish page
  surface.SetCheck(wizard::kLaunchBox, false);
  wizard.OnNext();  // Finish: the staged files are deleted
  log.Line("Staged files deleted");
  return host.Failures() == 0 ? ExitCode::Installed : ExitCode::InstalledWithErrors;
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
  return "Outcome: " + std::to_string(number) + " (" + kMeanings[number] + ")";
}

}  // namespace unattended
