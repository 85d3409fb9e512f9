#include "app/extractor_app.h"

#include "app/extractor_dialog.h"
#include "app/setup_run.h"

namespace app {

// The one application object, built during static initialisation.
CExeExtractorApp theApp;

void CExeExtractorApp::InitInstance() {
  // The run lives here to the end: every way out ends the process.
  SetupRun run;
  run.Start();
  if (run.Options().display == install::Display::None) {
    // /S: the same steps without a window.
    StagePayload(run, nullptr);
    run.EndWithInstallation(run.InstallSilently(nullptr));
  }
  CExeExtractorDlg dialog(run);
  // The wizard ends the process itself; coming back here means the dialog
  // could not be made, or was closed before the extraction began.
  const INT_PTR result = dialog.DoModal();
  run.End(result == -1 ? format::ExitCode::DamagedSetup : format::ExitCode::Cancelled);
}

}  // namespace app
