// The program's entry point, kept out of the framework's library: the C
// runtime looks for WinMain after the program's libraries have been searched,
// so it must come in as an object file of its own.
#include <windows.h>

#include "ui/app.h"

namespace {

// Libraries loaded by name from now on (by the system's own DLLs too, such
// as uxtheme.dll) come from the system folder only, never from the folder of
// the program, which is usually Downloads. Looked up rather than imported:
// older systems without the call still run the program.
void LoadLibrariesFromTheSystemFolderOnly() {
  using SetDirectories = BOOL(WINAPI*)(DWORD);
  const auto set = reinterpret_cast<SetDirectories>(reinterpret_cast<void*>(
      ::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories")));
  if (set != nullptr) set(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  LoadLibrariesFromTheSystemFolderOnly();
  return ui::RunApplication();
}
