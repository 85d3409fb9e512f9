// DLLs from the system folder only: a program started from the temporary or
// downloads folder must not load a DLL planted beside it.
#pragma once

namespace uninstaller_app {

// Call first thing: later loads, including the system's own delay-loaded
// ones, search the system folder and nothing else.
void RestrictDllSearchToSystemFolder();

}  // namespace uninstaller_app
