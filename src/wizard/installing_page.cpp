// The installing page: the switch from the destination page, and the
// installing step run to its end inside the same Next click.
#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <string>

#include "format/decimal_text.h"
#include "format/joined_text.h"
#include "install/busy_files.h"
#include "install/installing_step.h"
#include "wizard/control_ids.h"
#include "wizard/install_wizard.h"
#include "wizard/wizard_texts.h"

namespace wizard {

namespace {

// What the installing step may change on the page.
class SurfaceInstallingPage : public install::InstallingPage {
 public:
  explicit SurfaceInstallingPage(ControlSurface& surface) : surface_(surface) {}

  void DisableBack() override { surface_.Enable(kBackButton, false); }
  void ShowProgress(int percent) override {
    surface_.SetText(
        kProgressBar,
        format::Joined({format::DecimalDigits(static_cast<std::uint32_t>(percent)), "%"}));
    surface_.SetProgress(kProgressBar, percent);
  }

 private:
  ControlSurface& surface_;
};

}  // namespace

void CInstallWizard::ShowInstallingTransition() {
  surface_.Show(kBottomLine, true);
  surface_.Show(kNoticeLabel, true);
  SetFixedText(kHeaderTitle, texts::kHeaderTitleBlank);
  SetFixedText(kHeaderTitle, texts::kInstallingTitle);
  surface_.Show(kUnusedLocationTitle, false);
  surface_.Enable(kCancelButton, false);
  surface_.Show(kProgressBar, true);
  surface_.Enable(kBackButton, false);
  for (const int id :
       {kPathBox, kBrowseButton, kDriveSpaceValue, kFreeSpaceValue, kRequiredSpaceValue}) {
    surface_.Show(id, false);
  }
  surface_.Enable(kNextButton, false);
  for (const int id : {kDestinationLabel, kFreeSpaceLabel, kDriveSpaceLabel, kRequiredSpaceLabel}) {
    surface_.Show(id, false);
  }
}

void CInstallWizard::RunInstallingStep() {
  ShowInstallingTransition();
  // The path box's text is the installation folder from here on.
  install::InstallRequest request{.installPath = surface_.GetText(kPathBox),
                                  .productName = FieldText(productName_)};
  // Cancelled at the question about files in use: nothing was changed yet.
  if (!install::FreeFilesInUse(host_, expander_)) {
    install::DeleteStagingFiles(host_.files);
    surface_.EndWizard(DialogResult::Cancel);
    return;
  }
  // Rounded up; a figure past 4 TB is shown as the most a DWORD holds.
  request.estimatedKib =
      static_cast<std::uint32_t>(std::min(GetRequiredSpace() * 1024 + 1023.0 / 1024, 4294967295.0));
  request.linksForAllUsers = linksForAllUsers_;
  request.scope = scope_;
  SurfaceInstallingPage page(surface_);
  installNote_ = install::RunInstallingStep(host_, expander_, page, request, programGroup_);
  ShowFinishTransition();
}

}  // namespace wizard
