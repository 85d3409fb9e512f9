// The setup program's temporary folder. Elevated, it unpacks into a private
// folder (private_folder.h) rather than the user's temporary folder: TMP and
// TEMP of this process point there, so that GetTempPathA, and with it the
// staging folder and %TempDir%, lead there without anyone else knowing.
#pragma once

#include <string>

#include "base/function_ref.h"

namespace win32 {

// When the process runs elevated, makes the private folder and points this
// process's TMP and TEMP at it; otherwise leaves both as they are. False
// when elevated and no private folder could be made.
bool UsePrivateTempFolder();

// The user's own temporary folder (GetTempPathA's answer before the move),
// ending with a backslash; empty when unknown. The default place of files
// meant for the user, such as /LOG's log.
std::string UserTempFolder();

// Runs work with the user's own TMP and TEMP in place: a program started
// then gets them, not the private folder.
void WithUserTempVariables(base::FunctionRef<void()> work);

// Points TMP and TEMP back at the user's, lets go of the held staged files
// and deletes the private folder with everything in it. True when there was
// none or it is gone.
bool RemovePrivateTempFolder();

}  // namespace win32
