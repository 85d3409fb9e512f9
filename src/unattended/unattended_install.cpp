#include "unattended/unattended_install.h"

#include <iterator>

#include "format/joined_text.h"
#include "format/decimal_text.h"
#include "wizard/install_wizard.h"

namespace unattended {

namespace {

// The destination page's answer: the command line's folder, unless the
// script locks its own; Installed when the page may go on.
format::ExitCode AnswerDestination(wizard::CInstallWizard& wizard, RunLog& log,
                                   const std::string& installFolder) {
  if (!installFolder.empty()) {
    if (wizard.InstallFolderLocked()) {
      log.Line(
          "Refused: the setup script locks the installation folder, so /D= and /DIR= "
          "cannot change it");
      return format::ExitCode::BadCommandLine;
    }
    wizard.EnterInstallFolder(installFolder);
  }
  const std::string folder = wizard.InstallPath();
  if (!wizard.DriveAccepted()) {
    log.Line("Refused: the installation folder " + folder +
             " is not on a fixed or removable drive");
    return format::ExitCode::BadCommandLine;
  }
  log.Line("Installation folder: ", folder);
  return format::ExitCode::Installed;
}

}  // namespace

format::ExitCode InstallUnattended(LoggedPlatform& host, RunLog& log,
                                   const install::RunOptions& options,
                                   const UnattendedRequest& request,
                                   HeadlessSurface::ProgressListener progress) {
  HeadlessSurface surface(progress);
  wizard::CInstallWizard wizard(surface, host.Get(), options, request.logoPath, request.headerPath);
  wizard.OnInitDialog();

  // Next until Finish has ended the wizard, each page answered first.
  while (!surface.ended) {
    const wizard::Page page = wizard.ShownPage();
    switch (page) {
      case wizard::Page::kLicence:
        log.Line("Licence accepted by the silent run");
        wizard.AcceptLicence();
        break;
      case wizard::Page::kDestination: {
        const format::ExitCode refusal = AnswerDestination(wizard, log, options.installFolder);
        if (refusal != format::ExitCode::Installed) return refusal;
        break;
      }
      case wizard::Page::kFinish:
        wizard.DeclineLaunch();
        break;
      default:
        break;
    }
    wizard.OnNext();
    if (wizard.ShownPage() == wizard::Page::kFinish && page != wizard::Page::kFinish) {
      log.Line(wizard.installNote_);
    }
    // Without "[lic]" Next leaves the wizard on its welcome page for good.
    if (!surface.ended && wizard.ShownPage() == page) {
      log.Line("Refused: the setup script leads to no installation folder page");
      return format::ExitCode::DamagedSetup;
    }
  }
  // Only Finish ends the wizard with OK; the installing step ends it with
  // Cancel when the question about files in use is cancelled.
  if (*surface.ended != wizard::DialogResult::Ok) return format::ExitCode::Cancelled;
  log.Line("Staged files deleted");
  if (host.Failures() != 0) return format::ExitCode::InstalledWithErrors;
  return host.RestartNeeded() ? format::ExitCode::RestartNeeded : format::ExitCode::Installed;
}

std::string OutcomeLine(format::ExitCode code) {
  static constexpr const char* kMeanings[] = {
      "installed",
      "cancelled by the user",
      "installed with errors",
      "bad command line or refused folder",
      "damaged setup program",
      "no staging folder",
  };
  const auto number = static_cast<unsigned>(code);
  const char* meaning = code == format::ExitCode::RestartNeeded ? "restart needed"
                        : number < std::size(kMeanings)         ? kMeanings[number]
                                                                : "";
  return format::Joined({"Outcome: ", format::DecimalDigits(number), " (", meaning, ")"});
}

}  // namespace unattended
