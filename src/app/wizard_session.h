// One run of the install wizard: its window, its page logic, and the
// message boxes and folder browser owned by the window while it lasts.
#pragma once

#include <string>

#include "app/wizard_window/wizard_events.h"
#include "app/wizard_window/wizard_window.h"
#include "platform/platform.h"
#include "wizard/install_wizard.h"

namespace app {

class WizardSession final : public wizard_window::WizardEvents {
 public:
  WizardSession(platform::Platform& host, const std::string& logoPath,
                const std::string& headerPath);

  // Runs the wizard modally; IDOK after Finish, IDCANCEL after the exit
  // confirmation.
  INT_PTR Run() { return window_.Run(*this); }
  // The folder of /D= or /DIR=, for the destination page to start at.
  void StartInFolder(const std::string& folder) { wizard_.StartInFolder(folder); }
  void PutLinksForAllUsers() { wizard_.PutLinksForAllUsers(); }
  void PutScope(package::InstallScope scope) { wizard_.PutScope(scope); }

  // Fresh install, upgrade or repair, once the installing step has run.
  const std::string& InstallNote() const { return wizard_.installNote_; }

  void OnInitDialog() override;
  void OnNext() override { wizard_.OnNext(); }
  void OnBack() override { wizard_.OnBack(); }
  void OnAcceptClicked() override { wizard_.OnAcceptClicked(); }
  void OnBrowse() override { wizard_.OnBrowse(); }
  void OnPathChanged() override { wizard_.OnPathChanged(); }
  void OnCloseRequested() override { wizard_.OnCloseRequested(); }

 private:
  wizard_window::WizardWindow window_;
  wizard::CInstallWizard wizard_;
};

}  // namespace app
