// CWinApp: the application object. The program defines exactly one global
// instance of a derived class; WinMain (entry/win_main.cpp) finds it and calls
// InitInstance. Returning false ends the program at once; returning true runs
// a message loop until WM_QUIT.
#pragma once

#include <windows.h>

#include "ui/wnd.h"

namespace ui {

class CWinApp {
 public:
  CWinApp();
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;
  virtual ~CWinApp();

  virtual bool InitInstance() = 0;
  // GetMessage/DispatchMessage until WM_QUIT; returns its exit code.
  virtual int Run();

  // The one application object, or null when the program defined none.
  static CWinApp* Current();

  HINSTANCE m_hInstance = nullptr;
  // The window that stands for the application while InitInstance runs.
  CWnd* m_pMainWnd = nullptr;
};

// What WinMain does: the common controls registered (RegisterCommonControls),
// then InitInstance of the application object and, if it returns true, Run.
int RunApplication(HINSTANCE instance);

// InitCommonControlsEx for the control classes the dialogs use (the progress
// bar and, with version 6, the standard classes).
bool RegisterCommonControls();

}  // namespace ui
