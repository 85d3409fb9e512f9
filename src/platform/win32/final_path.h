// Where an open file or folder lies as the file system resolved its name:
// every link and junction on the way followed. An elevated program compares
// it with the name it meant, since a folder on the way may have been
// re-pointed by the user between a check and the open.
#pragma once

#include <windows.h>

#include <string>

namespace win32 {

// GetFinalPathNameByHandleA's normalized path ("\\?\C:\..."); empty when
// the system cannot tell.
std::string FinalPath(HANDLE handle);

}  // namespace win32
