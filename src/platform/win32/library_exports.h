// A DLL loaded when it is first needed rather than imported, and the
// functions of it that the caller uses. Inline, so that the dialog framework
// shares the one copy with the platform without linking it.
#pragma once

#include <windows.h>

#include <cstring>

namespace win32 {

// Loads name, from the system folder only when fromSystemFolder (a full
// path: the loader looks nowhere else, and the library's own dependencies
// are searched for from its folder), else by name. Then looks up count
// exports, named one after another in exports ("First\0Second"), into table:
// count function pointers. All of them or none: when the library or one of
// them is missing, table is left null and the answer is false. The library
// stays loaded to the end of the process.
inline bool LoadExports(const char* name, bool fromSystemFolder, const char* exports,
                        std::size_t count, void* table) {
  char path[MAX_PATH];
  const char* file = name;
  DWORD flags = 0;
  if (fromSystemFolder) {
    const UINT length = ::GetSystemDirectoryA(path, MAX_PATH);
    const std::size_t size = std::strlen(name) + 1;
    if (length == 0 || length + 1 + size > MAX_PATH) return false;
    path[length] = '\\';
    std::memcpy(path + length + 1, name, size);
    file = path;
    flags = LOAD_WITH_ALTERED_SEARCH_PATH;
  }
  const HMODULE library = ::LoadLibraryExA(file, nullptr, flags);
  if (library == nullptr) return false;
  auto* entries = static_cast<char*>(table);
  for (std::size_t i = 0; i < count; ++i) {
    const FARPROC entry = ::GetProcAddress(library, exports);
    if (entry == nullptr) {
      std::memset(table, 0, count * sizeof entry);
      return false;
    }
    std::memcpy(entries + i * sizeof entry, &entry, sizeof entry);
    exports += std::strlen(exports) + 1;
  }
  return true;
}

}  // namespace win32
