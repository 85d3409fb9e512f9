// The page sequence: the Next and Back handlers, the welcome page, the move
// to the destination page and the exit confirmation.
#include <string>

#include "install/installing_step.h"
#include "script/script_reader.h"
#include "script/script_rules.h"
#include "wizard/control_ids.h"
#include "wizard/install_wizard.h"
#include "wizard/wizard_texts.h"
#include "format/script_fields.h"

namespace wizard {

namespace {

// Named constants rather than braced lists: GCC 12 puts the lists it keeps
// in memory into writable data, a section of its own in the file.
constexpr int kWelcomeTexts[] = {kWelcomeNote, kWelcomeGuide, kWelcomeTitle};
constexpr int kLicenceControls[] = {kLicencePrompt, kLicenceText, kHeaderTitle, kAcceptBox};
constexpr int kHeaderControls[] = {kLogoPicture, kHeaderLine, kBottomLine, kNoticeLabel};

}  // namespace

void CInstallWizard::RefreshNotice() {
  const std::string notice = script::ReadNoticeLine(host_.files, ScriptPath());
  surface_.SetText(kNoticeLabel, notice == texts::kNoNotice
                                     ? std::string()
                                     : expander_.ExpandPathVariables(notice));
}

void CInstallWizard::OnNext() {
  // The caption is read before anything else: the click that shows the
  // licence page sets "Accept", and must not run on to the destination page.
  const std::string caption = surface_.GetText(kNextButton);

  RefreshNotice();

  if (licensePass_ == 0) {
    surface_.Show(kHeaderTitle, true);
    std::string flag;
    if (script::ReadLicenceFlag(host_.files, ScriptPath(), flag)) {
      ++licensePass_;
      if (format::IsTrueFlag(flag)) {
        ShowLicensePage();
      } else {
        ShowDestinationTransition();
        return;
      }
    }
  }

  if (caption == texts::kAcceptCaption) {
    ShowDestinationTransition();
    return;
  }
  if (wizardPage_ == kDestinationPage) {
    RunInstallingStep();
    return;
  }
  if (wizardPage_ == kFinishPage) {
    FinishClick();
  }
}

void CInstallWizard::ShowDestinationTransition() {
  surface_.Show(kBottomLine, true);
  surface_.Show(kNoticeLabel, true);
  ShowDestinationPage();
  SetFixedText(kHeaderTitle, texts::kHeaderTitleBlank);
  SetFixedText(kHeaderTitle, texts::kInstallationLocationTitle);
  wizardPage_ = kDestinationPage;
}

void CInstallWizard::OnBack() {
  if (wizardPage_ == kDestinationPage) {
    surface_.Show(kHeaderTitle, false);
    std::string flag;
    if (!script::ReadLicenceFlag(host_.files, ScriptPath(), flag)) return;
    ++licensePass_;
    if (!format::IsTrueFlag(flag)) {
      ShowWelcomePage();
      return;
    }
    // Back to the licence page, which the user has already accepted.
    SetFixedText(kHeaderTitle, texts::kLicenceAgainTitle);
    static constexpr int kDestinationControls[] = {
        kUnusedLocationTitle, kDestinationLabel,   kPathBox,         kDriveSpaceLabel,
        kRequiredSpaceLabel,  kRequiredSpaceValue, kDriveSpaceValue, kFreeSpaceLabel,
        kFreeSpaceValue,      kBrowseButton};
    for (const int id : kDestinationControls) surface_.Show(id, false);
    ShowLicensePage();
    surface_.SetCheck(kAcceptBox, true);
    surface_.Enable(kNextButton, true);
    return;
  }
  // Back is enabled on the licence and destination pages only; on any other
  // page a stray Back would lay the welcome controls over the page.
  if (wizardPage_ != kLicencePage) return;

  licensePass_ = 0;
  surface_.Show(kBottomLine, false);
  surface_.Show(kNoticeLabel, false);
  surface_.Show(kSideBanner, true);
  surface_.Show(kLogoPicture, false);
  surface_.Show(kHeaderLine, false);
  for (const int id : kWelcomeTexts) surface_.Show(id, true);
  surface_.Enable(kNextButton, true);
  surface_.Enable(kBackButton, false);
  for (const int id : kLicenceControls) surface_.Show(id, false);
  wizardPage_ = kWelcomePage;
  SetFixedText(kNextButton, texts::kNextCaption);
}

void CInstallWizard::ShowWelcomePage() {
  licensePass_ = 0;
  surface_.Show(kSideBanner, true);
  for (const int id : kHeaderControls) surface_.Show(id, false);
  for (const int id : kWelcomeTexts) surface_.Show(id, true);
  surface_.Enable(kNextButton, true);
  surface_.Enable(kBackButton, false);
  static constexpr int kHidden[] = {
      kLicencePrompt,
      kLicenceText,
      kAcceptBox,
      kDestinationLabel,
      kPathBox,
      kDriveSpaceLabel,
      kRequiredSpaceLabel,
      kRequiredSpaceValue,
      kDriveSpaceValue,
      kFreeSpaceLabel,
      kFreeSpaceValue,
      kBrowseButton,
      kUnusedLocationTitle,
  };
  for (const int id : kHidden) surface_.Show(id, false);
  wizardPage_ = kWelcomePage;
  SetFixedText(kNextButton, texts::kNextCaption);
}

void CInstallWizard::OnCloseRequested() {
  if (!host_.messages.Show(platform::MessageKind::ExitQuestion, texts::kExitQuestion)) {
    return;
  }
  install::DeleteStagingFiles(host_.files);
  surface_.EndWizard(DialogResult::Cancel);
}

}  // namespace wizard
