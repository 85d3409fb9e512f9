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

#include <cstdint>

// The linker's list of the global constructors: its first slot holds their
// count (or -1, with a null after the last), then the constructors, to be
// run from the last to the first. The C runtime's own loop (__main) comes
// with unwind tables that nothing else in the program needs.
using Constructor = void (*)();
extern "C" Constructor __CTOR_LIST__[];

namespace {

void RunGlobalConstructors() {
  auto count = reinterpret_cast<std::uintptr_t>(__CTOR_LIST__[0]);
  if (count == static_cast<std::uintptr_t>(-1)) {
    count = 0;
    while (__CTOR_LIST__[count + 1] != nullptr) ++count;
  }
  for (std::uintptr_t i = count; i >= 1; --i) __CTOR_LIST__[i]();
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int);

// The process ends through ExitProcess, which runs no destructors of
// globals: nothing is registered for it. (msvcrt.dll has no atexit of its
// own for a program; the start files normally provide it.)
extern "C" int atexit(void (*)(void)) { return 0; }

extern "C" void WINAPI SetupStartup() {
  RunGlobalConstructors();
  const int result =
      WinMain(::GetModuleHandleA(nullptr), nullptr, ::GetCommandLineA(), SW_SHOWDEFAULT);
  ::ExitProcess(static_cast<UINT>(result));
}
