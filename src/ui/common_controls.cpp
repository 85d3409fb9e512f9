#include "ui/common_controls.h"

#include "platform/win32/library_exports.h"

namespace ui {

namespace {

struct Functions {
  BOOL(WINAPI* initCommonControlsEx)(const INITCOMMONCONTROLSEX*);
  BOOL(WINAPI* setWindowSubclass)(HWND, SUBCLASSPROC, UINT_PTR, DWORD_PTR);
  BOOL(WINAPI* removeWindowSubclass)(HWND, SUBCLASSPROC, UINT_PTR);
  LRESULT(WINAPI* defSubclassProc)(HWND, UINT, WPARAM, LPARAM);
};

// The exports in the order of Functions' members, one after another.
constexpr char kExports[] =
    "InitCommonControlsEx\0SetWindowSubclass\0RemoveWindowSubclass\0DefSubclassProc";
constexpr std::size_t kExportCount = 4;
static_assert(sizeof(Functions) == kExportCount * sizeof(FARPROC));

// All null until the library is loaded with every call found.
Functions g_functions{};

bool Load() {
  // By name, so that the version the manifest asks for (6) is the one
  // loaded; a full path would bypass that. Names are looked up in the
  // system folder only (see WinMain).
  return g_functions.defSubclassProc != nullptr ||
         win32::LoadExports("comctl32.dll", false, kExports, kExportCount, &g_functions);
}

}  // namespace

bool RegisterCommonControls() {
  if (!Load()) return false;
  INITCOMMONCONTROLSEX classes{};
  classes.dwSize = sizeof classes;
  classes.dwICC = ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES;
  return g_functions.initCommonControlsEx(&classes) != FALSE;
}

bool SetSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR data) {
  return Load() && g_functions.setWindowSubclass(window, procedure, id, data) != FALSE;
}

void RemoveSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id) {
  if (g_functions.removeWindowSubclass != nullptr) {
    g_functions.removeWindowSubclass(window, procedure, id);
  }
}

LRESULT DefaultSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return g_functions.defSubclassProc(window, message, wParam, lParam);
}

}  // namespace ui
