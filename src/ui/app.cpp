#include "ui/app.h"

#include <windows.h>
#include <commctrl.h>

namespace ui {

namespace {
// Constant-initialised, so it is null before any constructor runs.
CWinApp* g_pApp = nullptr;
}  // namespace

CWinApp::CWinApp() { g_pApp = this; }

CWinApp::~CWinApp() {
  if (g_pApp == this) {
    g_pApp = nullptr;
  }
}

CWinApp* CWinApp::Current() { return g_pApp; }

bool RegisterCommonControls() {
  INITCOMMONCONTROLSEX classes{};
  classes.dwSize = sizeof classes;
  classes.dwICC = ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES;
  return ::InitCommonControlsEx(&classes) != FALSE;
}

int RunApplication() {
  CWinApp* app = CWinApp::Current();
  if (app == nullptr) {
    return 0;
  }
  RegisterCommonControls();
  app->InitInstance();
  return 0;
}

}  // namespace ui
