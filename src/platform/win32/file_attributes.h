// A file's or folder's attributes by name.
#pragma once

#include <windows.h>

namespace win32 {

// What GetFileAttributesA answers, INVALID_FILE_ATTRIBUTES when nothing of
// that name can be seen, asked through GetFileAttributesExA, which the
// programs import already.
DWORD AttributesOf(const char* path);

}  // namespace win32
