// The setup runtime's own process entry, in place of the C runtime's start
// files. Those bring argument parsing, TLS callbacks, a global exception
// handler and floating-point set-up, about 10 KB that a program without
// exceptions, threads or argv does not use: the program reads its command
// line with GetCommandLineA, and msvcrt.dll sets itself up when it loads.
//
// What is left to do here: run the constructors of globals, run WinMain,
// and end the process with its result. There are no pseudo-relocations to
// apply (data imported from DLLs through auto-import): the programs are
// linked with --disable-auto-import and --disable-runtime-pseudo-reloc, so
// code that would need them fails to link instead of needing the C
// runtime's relocator (1.5 KB of code and its imports).
#include <windows.h>

extern "C" void __main();  // runs the global constructors, once

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int);

// The process ends through ExitProcess, which runs no destructors of
// globals: nothing is registered for it. (msvcrt.dll has no atexit of its
// own for a program; the start files normally provide it.)
extern "C" int atexit(void (*)(void)) { return 0; }

extern "C" void WINAPI SetupStartup() {
  __main();
  const int result =
      WinMain(::GetModuleHandleA(nullptr), nullptr, ::GetCommandLineA(), SW_SHOWDEFAULT);
  ::ExitProcess(static_cast<UINT>(result));
}
