// The licence page: the staged licence text and the accept box that gates
// the "Accept" button.
#include <string>

#include "script/script_reader.h"
#include "wizard/control_ids.h"
#include "wizard/install_wizard.h"
#include "wizard/wizard_texts.h"

namespace wizard {

std::string CInstallWizard::ComposeLicenceText() {
  // The licence travels as the staged entry whose name contains ".lic"; the
  // first one in the folder's order wins.
  const std::string staging = script::StagingFolder(host_.files);
  std::string licencePath;
  for (const platform::FolderEntry& entry : host_.files.ListFolder(staging)) {
    if (entry.name.find(texts::kLicenceNameMark) != std::string::npos) {
      licencePath = staging + entry.name;
      break;
    }
  }
  std::string text;
  if (licencePath.empty()) return text;

  // An empty line is a paragraph break; other lines are joined as they
  // stand, so each paragraph wraps at the box's width. A file that does not
  // open gives an empty text.
  script::ScriptReader reader(host_.files, licencePath);
  std::string line;
  while (reader.ReadLine(line)) {
    text += line.empty() ? std::string(texts::kLicenceParagraphBreak) : line;
  }
  return text;
}

void CInstallWizard::SetUpLicencePage() {
  surface_.SetText(kLicenceText, ComposeLicenceText());
  surface_.SetBackColor(kLicenceText, Rgb(255, 255, 255));
  // Always shown not accepted; Back from the destination page checks the box
  // itself afterwards.
  surface_.SetCheck(kAcceptBox, false);
}

void CInstallWizard::OnAcceptClicked() {
  // The data exchange from the controls: only the accept box is bound.
  accept_ = surface_.GetCheck(kAcceptBox) ? 1 : 0;
  surface_.Enable(kNextButton, accept_ != 0);
  // The exchange back to the controls writes the same state again, which
  // changes nothing visible, so it is left out.
}

void CInstallWizard::AcceptLicence() {
  surface_.SetCheck(kAcceptBox, true);
  OnAcceptClicked();
}

}  // namespace wizard
