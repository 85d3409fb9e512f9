// The program's entry point, kept out of the framework's library: the C
// runtime looks for WinMain after the program's libraries have been searched,
// so it must come in as an object file of its own.
#include <windows.h>

#include "ui/app.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  return ui::RunApplication(instance);
}
