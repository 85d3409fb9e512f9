// comctl32.dll, loaded when the first dialog is about to open rather than
// imported. Loading it registers its window classes, and under Wine that
// starts the desktop process: a silent run, which opens no window, pays
// neither. The dialogs' control classes (the progress bar and, with
// version 6, the standard ones) are registered with the load.
#pragma once

#include <windows.h>
#include <commctrl.h>

namespace ui {

// Loads comctl32.dll once and registers the control classes the dialogs
// use. False when the library or its calls are not there; the dialog then
// fails to open on the class it lacks.
bool RegisterCommonControls();

// comctl32's window subclassing, through the library. Set loads it if no
// dialog has yet (false when it cannot be loaded); Remove does nothing
// before it is loaded, when nothing can be subclassed; DefaultSubclassProc
// runs only for a window Set subclassed.
bool SetSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR data);
void RemoveSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id);
LRESULT DefaultSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace ui
