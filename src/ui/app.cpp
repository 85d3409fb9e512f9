#include "ui/app.h"

#include <windows.h>

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

int RunApplication() {
  CWinApp* app = CWinApp::Current();
  if (app == nullptr) {
    return 0;
  }
  app->InitInstance();
  return 0;
}

}  // namespace ui
