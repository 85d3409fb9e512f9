// The names of the payload archive's entries. A name is the entry's path
// below the staging folder: a file name, or folders and a file name joined
// by "\" ("plugins\png_codec.dll"). mksetup takes only such names from the
// folder of files, and the setup program and mksetup extract refuse an
// archive that holds any other, so no entry lands outside the folder it is
// unpacked into.
#pragma once

#include <cstddef>
#include <string_view>

namespace format {

// The longest name: the staging folder (up to 100 bytes, the private one
// below the Windows folder included) and the name fit the 260-byte path
// buffers with their terminating zero.
inline constexpr std::size_t kLongestEntryName = 159;

// Why name cannot be an entry's name; "" when it can. Each step (the
// text between two "\") must be a plain file or folder name: not empty (no
// root, drive, leading, trailing or doubled "\"), not "." or "..", without a
// trailing dot or space (Windows would drop them), not a device name such as
// "CON"; the name holds no "/", no colon (a drive or a stream) and no
// control character.
const char* EntryNameProblem(std::string_view name);

}  // namespace format
