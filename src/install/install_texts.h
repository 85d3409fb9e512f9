// Every text the installing step shows, writes or compares, in one place, so
// that a reviewer or a translator sees them all at once. The names the script
// and the uninstall log share with other programs are in src/format.
#pragma once

namespace install::texts {

// Message boxes (OK, warning icon); the file pass appends the destination.
inline constexpr const char* kInvalidInstallationPath = "Invalid Installation Path for ";
inline constexpr const char* kUnableToCreateFile = "Unable to create file ";
// The question about files that other programs hold (Try Again, Continue,
// Cancel): the programs' names, or the files where the system names none.
inline constexpr const char* kProgramsHoldFiles =
    "These programs hold files that Setup must replace:\n\n";
inline constexpr const char* kFilesAreInUse = "These files that Setup must replace are in use:\n\n";
inline constexpr const char* kFilesInUseChoice =
    "\nClose them and click Try Again, or click Continue to have Setup close them. "
    "A file still in use is replaced when the computer restarts.";

// The run's log says which case an installation is, and why the installed
// version's uninstall log is not carried over into the new one.
inline constexpr const char* kFreshInstall = "Fresh install";
inline constexpr const char* kUpgradeFrom = "Upgrade from version ";
inline constexpr const char* kRepairOf = "Repair of version ";
inline constexpr const char* kLogNotTakenOverStart = "; its uninstall log ";
inline constexpr const char* kLogNotTakenOverEnd =
    " is not taken over: it is no plain file that matches its digest";
// The uninstaller's switch for removing without any question or box.
inline constexpr const char* kSilentSwitch = "/S";

}  // namespace install::texts
