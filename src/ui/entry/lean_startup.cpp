// The setup runtime's own process entry, in place of the C runtime's start
// files. Those bring argument parsing, TLS callbacks, a global exception
// handler and floating-point set-up, about 10 KB that a program without
// exceptions, threads or argv does not use: the program reads its command
// line with GetCommandLineA, and msvcrt.dll sets itself up when it loads.
//
// What is left to do here: apply the pseudo-relocations that the linker
// made for data imported from DLLs, run the constructors of globals, run
// WinMain, and end the process with its result.
#include <windows.h>

extern "C" void _pei386_runtime_relocator();
extern "C" void __main();  // runs the global constructors, once

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int);

// The process ends through ExitProcess, which runs no destructors of
// globals: nothing is registered for it. (msvcrt.dll has no atexit of its
// own for a program; the start files normally provide it.)
extern "C" int atexit(void (*)(void)) { return 0; }

extern "C" void WINAPI SetupStartup() {
  _pei386_runtime_relocator();
  __main();
  const int result = WinMain(::GetModuleHandleA(nullptr), nullptr, ::GetCommandLineA(), SW_SHOWDEFAULT);
  ::ExitProcess(static_cast<UINT>(result));
}
