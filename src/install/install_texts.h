// Every text the installing step shows, writes or compares, in one place, so
// that a reviewer or a translator sees them all at once.
#pragma once

#include "install/uninstall_log_format.h"
#include "script/script_format.h"

namespace install::texts {

// Message boxes (OK, warning icon); the file pass appends the destination.
inline constexpr const char* kInvalidInstallationPath = "Invalid Installation Path for ";
inline constexpr const char* kUnableToCreateFile = "Unable to create file ";
// Shown for a shortcut line with an empty Name or Target. The missing space
// after the comma is the program's own.
inline constexpr const char* kEnterMenuItemCorrectly =
    "Please,enter the Menu Item and File name correctly.";

// The first field of a "[fls]" line that makes a folder instead of a file.
inline constexpr const char* kFolderEntryKind = script::format::kFolderEntryKind;

// Files in the installation folder; the log's own format is in
// uninstall_log_format.h.
inline constexpr const char* kUninstallLogName = log_format::kFileName;
inline constexpr const char* kUninstallerName = log_format::kUninstallerName;

// Shortcut locations, matched exactly.
inline constexpr const char* kDesktop = "Desktop";
inline constexpr const char* kProgramGroup = "Program Group";
inline constexpr const char* kQuickLaunch = "Quick Launch";
inline constexpr const char* kStartMenu = "Start Menu";
// Below the application-data folder.
inline constexpr const char* kQuickLaunchFolder = "\\Microsoft\\Internet Explorer\\Quick Launch";
inline constexpr const char* kLinkExtension = ".lnk";

// Registry roots and value types as the script names them.
inline constexpr const char* kClassesRoot = "HKEY_CLASSES_ROOT";
inline constexpr const char* kCurrentUser = "HKEY_CURRENT_USER";
inline constexpr const char* kLocalMachine = "HKEY_LOCAL_MACHINE";
inline constexpr const char* kUsers = "HKEY_USERS";
inline constexpr const char* kCurrentConfig = "HKEY_CURRENT_CONFIG";
inline constexpr const char* kRegSzName = "REG_SZ";
inline constexpr const char* kRegBinaryName = "REG_BINARY";
inline constexpr const char* kRegDwordName = "REG_DWORD";

// The system's list of installed programs, under HKEY_LOCAL_MACHINE.
inline constexpr const char* kUninstallKeyPrefix =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
inline constexpr const char* kDisplayIcon = "DisplayIcon";
inline constexpr const char* kDisplayName = "DisplayName";
inline constexpr const char* kNoModify = "NoModify";
inline constexpr const char* kNoRepair = "NoRepair";
inline constexpr const char* kUninstallString = "UninstallString";
inline constexpr const char* kQuietUninstallString = "QuietUninstallString";
// The uninstaller's switch for removing without any question or box.
inline constexpr const char* kSilentSwitch = "/S";

}  // namespace install::texts
