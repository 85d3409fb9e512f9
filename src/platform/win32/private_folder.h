// Folders only administrators can change, for an elevated program's
// temporary files. The user's temporary folder is not one: every program of
// the user can write there, re-point it or put links into it.
#pragma once

#include <windows.h>

#include <string>

namespace win32 {

// The process's token is elevated (a full administrator's, past the UAC
// prompt). False where the system has no such notion (before Vista).
bool RunsElevated();

// The system's own temporary folder: "SystemTemp" in the Windows folder
// (GetSystemWindowsDirectoryA: the shared one, also on a terminal server) where it exists, else
// "Temp" there; without a trailing backslash.
std::string SystemTempFolder();

// Where an elevated run's log goes when /LOG names no file:
// "setupkit-logs" in the system's temporary folder, ending with a
// backslash, made with kPrivateFolderDacl where it is missing. Empty when
// it cannot be made, or when anyone but the administrators could change it
// or a folder above it (a folder of that name made by someone else first).
std::string MachineLogFolder();

// A private folder's DACL: protected (nothing inherited from the parent),
// full control for SYSTEM and the Administrators group, passed on to
// everything made inside.
inline constexpr const char* kPrivateFolderDacl = "D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)";

// A folder that did not exist before, prefix followed by a random name
// (UnguessableName), in the system's temporary folder, made with
// kPrivateFolderDacl: SYSTEM and Administrators may do anything in it,
// nobody else anything. Its path goes into folder (MAX_PATH characters),
// without a trailing backslash; false (and folder empty) when none could be
// made.
bool MakePrivateFolder(const char* prefix, char* folder);

// Deletes the folder with everything in it (the shell's recursive delete,
// for a folder that holds no links: a private one). False when anything
// stays.
bool RemoveFolderTree(const char* folder);

// Copies the file from into the new file to and returns a handle that holds
// the copy against writes, deletes and renames by anyone, while it can still
// be read and started; the copy goes when the handle (or the last inherited
// copy of it) closes. The copy is read back through that handle, so bytes
// changed before the hold began are found: then, and on any failure, the
// copy is deleted and INVALID_HANDLE_VALUE returned.
HANDLE CopyHeld(const std::string& from, const std::string& to, bool inheritable);

}  // namespace win32
