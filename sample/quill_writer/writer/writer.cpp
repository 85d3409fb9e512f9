// The sample product's program. It has nothing to do but say that it ran:
// it appends its own path and its TEMP variable to "launched.txt" beside
// itself and ends, so a test can see that the setup program's launch offer
// started it, and with which temporary folder.
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

  // One line each for the path and TEMP, written at once.
  char line[2 * MAX_PATH + 16];
  lstrcpyA(line, path);
  lstrcatA(line, "\r\nTEMP=");
  char* temp = line + lstrlenA(line);
  const DWORD tempLength = GetEnvironmentVariableA("TEMP", temp, MAX_PATH);
  if (tempLength >= MAX_PATH) temp[0] = '\0';
  lstrcatA(line, "\r\n");

  HANDLE file = CreateFileA(marker, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  WriteFile(file, line, static_cast<DWORD>(lstrlenA(line)), &written, nullptr);
  CloseHandle(file);
  return 0;
}
