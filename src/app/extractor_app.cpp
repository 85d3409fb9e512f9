#include "app/extractor_app.h"

#include "app/extractor_dialog.h"

namespace app {

// The one application object, built during static initialisation.
CExeExtractorApp theApp;

bool CExeExtractorApp::InitInstance() {
  CExeExtractorDlg dialog;
  m_pMainWnd = &dialog;
  dialog.DoModal();
  m_pMainWnd = nullptr;
  return false;
}

}  // namespace app
