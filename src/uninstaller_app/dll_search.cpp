#include "uninstaller_app/dll_search.h"

#include <windows.h>

namespace uninstaller_app {

void RestrictDllSearchToSystemFolder() {
  // Looked up rather than imported: Windows 7 without its 2011 update lacks
  // the call, and the program must still start there.
  using SetDefaultDllDirectoriesCall = BOOL(WINAPI*)(DWORD);
  const HMODULE kernel = GetModuleHandleA("kernel32.dll");
  if (kernel == nullptr) return;
  const auto call = reinterpret_cast<SetDefaultDllDirectoriesCall>(
      reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")));
  constexpr DWORD kSearchSystem32 = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32
  if (call != nullptr) {
    call(kSearchSystem32);
  } else {
    SetDllDirectoryA("");  // at least not the current folder
  }
}

}  // namespace uninstaller_app
