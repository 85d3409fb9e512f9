// The extraction's second thread. The thread runs only code that keeps no
// function-local statics of its own to initialise (the programs are built
// without the guards that would make those safe on two threads).
#include "platform/win32/this_process.h"
#include "platform/win32/win32_platform.h"

namespace win32 {

namespace {

DWORD WINAPI RunWork(void* work) {
  (*static_cast<base::FunctionRef<void()>*>(work))();
  return 0;
}

}  // namespace

bool Win32Threads::RunBoth(base::FunctionRef<void()> beside, base::FunctionRef<void()> here) {
  const HANDLE thread = CreateThread(nullptr, 0, RunWork, &beside, 0, nullptr);
  if (thread == nullptr) return false;
  here();
  WaitForSingleObject(thread, INFINITE);
  CloseHandle(thread);
  return true;
}

// Sleep(1) without its import: see Win32Shell::Sleep.
void Win32Threads::Pause() { WaitForSingleObject(ThisProcess(), 1); }

}  // namespace win32
