// A file or folder deleted through a handle to itself.
#pragma once

#include <windows.h>

#include <string>

namespace win32 {

// Deletes the file or folder (kind: 0 or FILE_ATTRIBUTE_DIRECTORY) through a
// handle to it: a folder on the way that the user re-points to a junction
// after the caller's checks leads the open elsewhere, which the final path
// shows, and the handle's item is the one deleted, whatever is renamed
// meanwhile (the path's short 8.3 names, as a temporary folder may have,
// are spelled out first: the final path has the long ones). A folder must
// be a plain one, never a link; the deletion fails for a folder that holds
// anything.
bool DeleteThroughHandle(const std::string& path, DWORD kind);

}  // namespace win32
