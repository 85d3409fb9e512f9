#include "app/wizard_session.h"

#include "platform/win32/win32_platform.h"

namespace app {

WizardSession::WizardSession(platform::Platform& host, const install::RunOptions& options,
                             const std::string& logoPath, const std::string& headerPath)
    : wizard_(window_, host, options, logoPath, headerPath) {}

void WizardSession::OnInitDialog() {
  // The wizard owns every box and the folder browser from now on.
  win32::SetMessageBoxOwner(window_.GetSafeHwnd());
  win32::SetBrowserOwner(window_.GetSafeHwnd());
  wizard_.OnInitDialog();
}

}  // namespace app
