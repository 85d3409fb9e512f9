/* A planted library: whoever loads it leaves a marker file beside it, its
   own path followed by ".loaded", so the end-to-end check can see which
   fake was loaded. Built as gdiplus.dll and as comctl32.dll. */
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  (void)reserved;
  if (reason == DLL_PROCESS_ATTACH) {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(instance, path, MAX_PATH - 16);
    if (length > 0 && length < MAX_PATH - 16) {
      lstrcpyA(path + length, ".loaded");
      const HANDLE marker = CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
      if (marker != INVALID_HANDLE_VALUE) CloseHandle(marker);
    }
  }
  return TRUE;
}
