// The sample product's program. It has nothing to do but say that it ran:
// it appends its own path to "launched.txt" beside itself and ends, so a test
// can see that the setup program's launch offer started it.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return 1;

  char marker[MAX_PATH + 16];
  lstrcpyA(marker, path);
  char* slash = marker;
  for (char* p = marker; *p != '\0'; ++p) {
    if (*p == '\\') slash = p + 1;
  }
  lstrcpyA(slash, "launched.txt");

  HANDLE file = CreateFileA(marker, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  WriteFile(file, path, length, &written, nullptr);
  WriteFile(file, "\r\n", 2, &written, nullptr);
  CloseHandle(file);
  return 0;
}
