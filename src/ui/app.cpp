#include "ui/app.h"

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

int CWinApp::Run() {
  MSG message{};
  while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}

bool RegisterCommonControls() {
  INITCOMMONCONTROLSEX classes{};
  classes.dwSize = sizeof classes;
  classes.dwICC = ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES;
  return ::InitCommonControlsEx(&classes) != FALSE;
}

int RunApplication(HINSTANCE instance) {
  CWinApp* app = CWinApp::Current();
  if (app == nullptr) {
    return 0;
  }
  app->m_hInstance = instance;
  RegisterCommonControls();
  if (!app->InitInstance()) {
    return 0;
  }
  return app->Run();
}

}  // namespace ui
