// ole32.dll, loaded from the system folder when the shell's links, its
// folder browser or a picture first need COM, rather than imported: three
// calls through one small table cost less than a fourth imported library.
// Inline, so that the dialog framework shares the table with the platform.
#pragma once

#include <windows.h>
#include <objidl.h>

#include "platform/win32/library_exports.h"

namespace win32::ole32 {

struct Functions {
  HRESULT(WINAPI* coInitialize)(LPVOID reserved);
  HRESULT(WINAPI* coCreateInstance)
  (REFCLSID type, LPUNKNOWN outer, DWORD context, REFIID wanted, LPVOID* object);
  HRESULT(WINAPI* createStreamOnHGlobal)(HGLOBAL memory, BOOL freeOnRelease, LPSTREAM* stream);
};

// The exports in the order of Functions' members, one after another.
inline constexpr char kExports[] = "CoInitialize\0CoCreateInstance\0CreateStreamOnHGlobal";

// All null until Load finds every one.
inline Functions g_functions{};

// True when the calls are there: loaded now or before.
inline bool Load() {
  return g_functions.createStreamOnHGlobal != nullptr ||
         LoadExports("ole32.dll", true, kExports, sizeof(Functions) / sizeof(FARPROC),
                     &g_functions);
}

}  // namespace win32::ole32
