// The finish page: its texts and launch offer, and the Finish click that
// launches, cleans up the staging folder and ends the wizard.
#include <string>

#include "install/installing_step.h"
#include "script/script_reader.h"
#include "script/script_rules.h"
#include "wizard/control_ids.h"
#include "wizard/install_wizard.h"
#include "wizard/wizard_texts.h"

namespace wizard {

void CInstallWizard::SetUpFinishPage() {
  // The product name is line 1 of the script as written, not expanded.
  const script::FinishPageSetup setup = script::ReadFinishPageSetup(host_.files, ScriptPath());
  surface_.SetText(kFinishTitle,
                   texts::kFinishTitleStart + setup.productName + texts::kFinishTitleEnd);
  surface_.SetText(kFinishInstalled, setup.productName + texts::kFinishInstalledEnd);
  if (host_.filesInUse.RestartNeeded()) SetFixedText(kFinishNote, texts::kRestartNeeded);
  switch (setup.offer) {
    case script::LaunchOffer::Offered:
      surface_.SetCheck(kLaunchBox, true);
      surface_.SetText(kLaunchBox, texts::kLaunchCaptionStart + setup.productName);
      break;
    case script::LaunchOffer::Hidden:
      surface_.Show(kLaunchBox, false);
      break;
    case script::LaunchOffer::None:
      // Without [launch] the box stays as the template made it: empty and
      // unchecked.
      break;
  }
  // Finish is the only way out now.
  surface_.GreyCloseCommand();
}

void CInstallWizard::FinishClick() {
  surface_.Show(kBottomLine, false);
  surface_.Show(kNoticeLabel, false);
  if (surface_.GetCheck(kLaunchBox) && !install::LaunchPrograms(host_, expander_)) {
    surface_.Show(kLaunchBox, false);
  }
  install::DeleteStagingFiles(host_.files);
  surface_.EndWizard(DialogResult::Ok);
}

void CInstallWizard::DeclineLaunch() { surface_.SetCheck(kLaunchBox, false); }

}  // namespace wizard
