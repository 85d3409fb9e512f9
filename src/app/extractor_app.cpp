#include "app/extractor_app.h"

#include "app/extractor_dialog.h"
#include "app/setup_run.h"

namespace app {

// The one application object, built during static initialisation.
CExeExtractorApp theApp;

void CExeExtractorApp::InitInstance() {
  StartRun();
  if (RunDisplay() == unattended::Display::None) {
    // /S: the same steps without a window.
    StagePayload(nullptr);
    EndWithInstallation(InstallSilently(g_logoPath, g_headerPath, nullptr));
  }
  CExeExtractorDlg dialog;
  // The wizard ends the process itself; coming back here means the dialog
  // could not be made, or was closed before the extraction began.
  const INT_PTR result = dialog.DoModal();
  EndRun(result == -1 ? unattended::ExitCode::DamagedSetup : unattended::ExitCode::Cancelled);
}

}  // namespace app
