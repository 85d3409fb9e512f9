// CWinApp: the application object. The program defines exactly one global
// instance of a derived class; WinMain (entry/win_main.cpp) finds it and calls
// InitInstance, which is the program's whole run: its dialogs run their own
// modal loops, so there is no message loop of the application's.
#pragma once

namespace ui {

class CWinApp {
 public:
  CWinApp();
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;
  ~CWinApp();  // not virtual: the application object is never deleted

  // The run; when it returns, the program ends with exit code 0.
  virtual void InitInstance() = 0;

  // The one application object, or null when the program defined none.
  static CWinApp* Current();
};

// What WinMain does: InitInstance of the application object. Returns the
// exit code, 0.
int RunApplication();

}  // namespace ui
