#include "wizard/install_wizard.h"

#include <utility>

#include "script/script_reader.h"
#include "script/script_rules.h"
#include "wizard/control_ids.h"
#include "wizard/header_field.h"
#include "wizard/wizard_texts.h"

namespace wizard {

CInstallWizard::CInstallWizard(ControlSurface& surface, platform::Platform host,
                               const install::RunOptions& options, const std::string& logoPath,
                               const std::string& headerPath)
    : surface_(surface),
      host_(host),
      options_(options),
      expander_(*this, host_.registry, host_.machine, host_.files, options.scope),
      logoPath_(logoPath),
      headerPath_(headerPath) {}

void CInstallWizard::SetFixedText(int id, const char* text) { surface_.SetText(id, text); }

std::string CInstallWizard::ScriptPath() { return script::ScriptPath(host_.files); }

void CInstallWizard::OnInitDialog() {
  dialogReady_ = 0;
  page_ = Page::kWelcome;

  const script::WizardHeader header = script::ReadWizardHeader(host_.files, ScriptPath());
  CopyField(productName_, header.productName);
  CopyField(wizardTitle_, header.wizardTitle);
  CopyField(productVersion_, header.productVersion);
  CopyField(companyName_, header.companyName);
  CopyField(noticeLine_, header.noticeLine);
  CopyField(installPathTemplate_, header.installPathTemplate);

  // While the template is expanded installPath_ is still empty, so an
  // %InstallPath% inside the template itself gives nothing.
  installPath_ = expander_.ExpandPathVariables(FieldText(installPathTemplate_));
  surface_.SetCaption(expander_.ExpandPathVariables(FieldText(wizardTitle_)));

  // The welcome texts take the product name as the field holds it now.
  const std::string productName = FieldText(productName_);
  surface_.SetText(kWelcomeTitle,
                   texts::kWelcomeTitleStart + productName + texts::kWelcomeTitleEnd);
  surface_.SetText(kWelcomeGuide,
                   texts::kWelcomeGuideStart + productName + texts::kWelcomeGuideEnd);

  licensePass_ = 0;

  // "-N-A-" is shown as it stands here; the first Next click empties it.
  surface_.SetText(kNoticeLabel, expander_.ExpandPathVariables(FieldText(noticeLine_)));
  surface_.FitNoticeLabel();
  dialogReady_ = 1;

  // A failed load leaves the picture empty; there is nothing to tell the user.
  surface_.LoadImageFile(kSideBanner, expander_.ExpandImagePath(headerPath_));
  surface_.LoadImageFile(kLogoPicture, expander_.ExpandImagePath(logoPath_));
  // The template's initial states are the welcome page: nothing to show or hide.
}

// Each lookup of a header value trims the field itself, so later readers of
// the field see the trimmed text.
std::string CInstallWizard::ProductName() { return TrimFieldEnd(productName_); }
std::string CInstallWizard::ProductVersion() { return TrimFieldEnd(productVersion_); }
std::string CInstallWizard::CompanyName() { return TrimFieldEnd(companyName_); }

std::string CInstallWizard::InstallPath() {
  return dialogReady_ != 0 ? surface_.GetText(kPathBox) : installPath_;
}

}  // namespace wizard
