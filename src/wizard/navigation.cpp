// The page sequence: the Next and Back handlers, which do what the page
// table says, the moves that decide by the licence flag, and the exit
// confirmation.
#include <string>

#include "install/installing_step.h"
#include "script/script_reader.h"
#include "script/script_rules.h"
#include "wizard/control_ids.h"
#include "wizard/install_wizard.h"
#include "wizard/wizard_texts.h"
#include "format/script_fields.h"

namespace wizard {

void CInstallWizard::RefreshNotice() {
  const std::string notice = script::ReadNoticeLine(host_.files, ScriptPath());
  surface_.SetText(kNoticeLabel, notice == texts::kNoNotice
                                     ? std::string()
                                     : expander_.ExpandPathVariables(notice));
}

void CInstallWizard::Go(const Move& move) {
  if (move.run != nullptr) {
    (this->*move.run)();
  } else if (move.to != page_) {
    ShowPage(move.to);
  }
}

void CInstallWizard::OnNext() {
  // On every click, on every page.
  RefreshNotice();
  Go(kPages[static_cast<int>(page_)].next);
}

void CInstallWizard::OnBack() { Go(kPages[static_cast<int>(page_)].back); }

void CInstallWizard::SetUpWelcomePage() {
  // The licence decision is open again.
  licensePass_ = 0;
}

void CInstallWizard::LeaveWelcomePage() {
  // The licence decision is open whenever the welcome page shows: every way
  // onto it sets licensePass_ to 0. Without "[lic]" the wizard stays here,
  // with the header title shown over the welcome page.
  surface_.Show(kHeaderTitle, true);
  std::string flag;
  if (!script::ReadLicenceFlag(host_.files, ScriptPath(), flag)) return;
  ++licensePass_;
  ShowPage(format::IsTrueFlag(flag) ? Page::kLicence : Page::kDestination);
}

void CInstallWizard::BackFromDestination() {
  // The flag is read and counted again; without "[lic]" only the title goes.
  surface_.Show(kHeaderTitle, false);
  std::string flag;
  if (!script::ReadLicenceFlag(host_.files, ScriptPath(), flag)) return;
  ++licensePass_;
  if (!format::IsTrueFlag(flag)) {
    ShowPage(Page::kWelcome);
    return;
  }
  // Back to the licence page, which the user has already accepted.
  SetFixedText(kHeaderTitle, texts::kLicenceAgainTitle);
  ShowPage(Page::kLicence);
  surface_.SetCheck(kAcceptBox, true);
  surface_.Enable(kNextButton, true);
}

void CInstallWizard::OnCloseRequested() {
  if (!host_.messages.Show(platform::MessageKind::ExitQuestion, texts::kExitQuestion)) {
    return;
  }
  install::DeleteStagingFiles(host_.files);
  surface_.EndWizard(DialogResult::Cancel);
}

}  // namespace wizard
