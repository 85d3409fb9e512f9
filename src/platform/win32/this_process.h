// The running process's own handle.
#pragma once

#include <windows.h>

namespace win32 {

// The pseudo handle GetCurrentProcess returns, (HANDLE)-1, without the call:
// a constant, never closed.
inline HANDLE ThisProcess() { return reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-1)); }

}  // namespace win32
