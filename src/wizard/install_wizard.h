// CInstallWizard: the page logic of the install wizard. One dialog whose
// controls are shown and hidden to form five pages (welcome, licence,
// destination, installing, finish). Whatever window shows it calls the event
// handlers below; everything visible is changed through the ControlSurface,
// everything on the machine through the Platform, so the logic runs natively
// in tests.
#pragma once

#include <string>
#include <utility>

#include "format/payload_contract.h"
#include "install/installing_step.h"
#include "platform/platform.h"
#include "script/path_variables.h"
#include "wizard/control_surface.h"
#include "wizard/header_field.h"

namespace wizard {

// The page the wizard is on. The installing step has no page number of its
// own: it runs inside one Next click while the page is still the destination.
enum WizardPage : int {
  kWelcomePage = 1,
  kLicencePage = 2,
  kDestinationPage = 3,
  kFinishPage = 4,
};

class CInstallWizard final : public script::WizardValues {
 public:
  // logoPath and headerPath are the raw lines after "[logo]" and "[Header]",
  // as the extraction read them.
  CInstallWizard(ControlSurface& surface, platform::Platform host, const std::string& logoPath,
                 const std::string& headerPath);
  CInstallWizard(const CInstallWizard&) = delete;
  CInstallWizard& operator=(const CInstallWizard&) = delete;

  // The folder the command line asked for (/D=, /DIR=): the destination
  // page starts there instead of at the script's folder, unless the script
  // locks its folder. Called before the window opens. Without it, the
  // folder of an installed version of the product (its uninstall key's
  // InstallLocation) is the starting folder.
  void StartInFolder(std::string folder) { startingFolder_ = std::move(folder); }
  // The installing step puts the links into the all-users folders.
  void PutLinksForAllUsers() { linksForAllUsers_ = true; }
  // Whom the product is installed for: the folders the path variables stand
  // for, where an installed version is found and the programs list.
  void PutScope(package::InstallScope scope) {
    scope_ = scope;
    expander_.PutScope(scope);
  }

  // --- What the window reports --------------------------------------------
  // After the controls exist: header fields, caption, welcome texts, notice,
  // pictures. The title font is the window's business.
  void OnInitDialog();
  void OnNext();
  void OnBack();
  // A click on the accept box 1007 (the box has already toggled itself).
  void OnAcceptClicked();
  void OnBrowse();
  // The path box 1009 reports a change by the user.
  void OnPathChanged();
  // Cancel button or the window's close command: the exit confirmation.
  void OnCloseRequested();

  // --- Page set-ups ------------------------------------------------------
  void ShowWelcomePage();
  void ShowLicensePage();
  void ShowDestinationPage();
  // Fills the drive's size (1015) and free space (1017) for a drive letter.
  void UpdateDriveSpace(const std::string& driveLetter);
  // The space the installation needs, in MB: the staged files.
  double GetRequiredSpace();

  // --- Driving the pages without a window (the silent run) --------------
  // The page shown now; OnInitDialog sets the welcome page.
  WizardPage CurrentPage() const { return wizardPage_; }
  // The moves below each do what the user's action on the page would do.
  // Checks the accept box and reports the click.
  void AcceptLicence();
  // Whether the script locks the installation folder: the path box and
  // Browse stay disabled.
  bool InstallFolderLocked() const { return installFolderLocked_; }
  // Types the folder into the path box: the drive figures follow, and the
  // drive is checked as a change by the user is.
  void EnterInstallFolder(const std::string& folder);
  // Whether the last drive check accepted the folder's drive, which enables
  // Next on the destination page.
  bool DriveAccepted() const { return driveAccepted_; }
  // Unchecks the finish page's offer to start the product.
  void DeclineLaunch();

  // --- script::WizardValues ----------------------------------------------
  std::string ProductName() override;
  std::string ProductVersion() override;
  std::string CompanyName() override;
  std::string InstallPath() override;

  // --- The page logic's state, open to the tests ------------------------
  int accept_ = 0;            // the accept box as the last data exchange read it
  std::string programGroup_;  // set by the installing step's shortcut pass
  // The installing step's line for the run's log: fresh install, upgrade or
  // repair. Empty until the step has run.
  std::string installNote_;
  char productName_[kFieldSize] = {};
  char productVersion_[kFieldSize] = {};
  char companyName_[kFieldSize] = {};
  char wizardTitle_[kFieldSize] = {};
  char installPathTemplate_[kFieldSize] = {};
  char noticeLine_[kFieldSize] = {};
  // How often the licence flag was read since the welcome page was last
  // shown; 0 means the licence decision is still open.
  int licensePass_ = 0;
  // The default installation folder: the [inst_path] template expanded.
  std::string installPath_;
  // 0 while OnInitDialog runs: %InstallPath% is installPath_ until
  // then, the path box's text afterwards.
  int dialogReady_ = 0;
  // Only the first visit of the destination page reads [inst_path]; later
  // visits keep the path box's folder. One wizard per run, so a member.
  bool destinationVisited_ = false;
  std::string startingFolder_;

 private:
  // Next handler's transitions.
  void ShowDestinationTransition();
  void RunInstallingStep();
  void ShowInstallingTransition();
  void ShowFinishTransition();
  void SetUpFinishPage();
  void FinishClick();

  void RefreshNotice();
  // One of the wizard's own texts into a control: its string is made here,
  // not at each caller.
  void SetFixedText(int id, const char* text);
  // Enables Next when the folder lies on a fixed or removable drive; with a
  // message, an unaccepted drive also shows "Destination Folder Path Error".
  bool CheckDrive(const std::string& folder, bool withMessage);
  std::string ComposeLicenceText();
  std::string ScriptPath();

  ControlSurface& surface_;
  platform::Platform host_;
  script::PathExpander expander_;
  std::string logoPath_;
  std::string headerPath_;
  WizardPage wizardPage_ = kWelcomePage;
  bool installFolderLocked_ = false;
  bool driveAccepted_ = false;
  bool linksForAllUsers_ = false;
  package::InstallScope scope_ = package::InstallScope::Machine;
};

}  // namespace wizard
