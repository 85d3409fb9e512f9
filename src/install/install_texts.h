// Every text the installing step shows, writes or compares, in one place, so
// that a reviewer or a translator sees them all at once.
#pragma once

#include "install/uninstall_log_format.h"
#include "script/field_values.h"
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

// Shortcut locations, matched exactly (script/field_values.h).
inline constexpr const char* kDesktop = script::format::kDesktop;
inline constexpr const char* kProgramGroup = script::format::kProgramGroupLocation;
inline constexpr const char* kQuickLaunch = script::format::kQuickLaunch;
inline constexpr const char* kStartMenu = script::format::kStartMenu;
// Below the application-data folder.
inline constexpr const char* kQuickLaunchFolder = "\\Microsoft\\Internet Explorer\\Quick Launch";
inline constexpr const char* kLinkExtension = ".lnk";

// Registry roots and value types as the script names them
// (script/field_values.h).
inline constexpr const char* kClassesRoot = script::format::kClassesRoot;
inline constexpr const char* kCurrentUser = script::format::kCurrentUser;
inline constexpr const char* kLocalMachine = script::format::kLocalMachine;
inline constexpr const char* kUsers = script::format::kUsers;
inline constexpr const char* kCurrentConfig = script::format::kCurrentConfig;
inline constexpr const char* kRegSzName = script::format::kRegSzName;
inline constexpr const char* kRegBinaryName = script::format::kRegBinaryName;
inline constexpr const char* kRegDwordName = script::format::kRegDwordName;

// The system's list of installed programs, under HKEY_LOCAL_MACHINE.
inline constexpr const char* kUninstallKeyPrefix =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
inline constexpr const char* kDisplayIcon = "DisplayIcon";
inline constexpr const char* kDisplayName = "DisplayName";
inline constexpr const char* kNoModify = "NoModify";
inline constexpr const char* kNoRepair = "NoRepair";
inline constexpr const char* kUninstallString = "UninstallString";
inline constexpr const char* kQuietUninstallString = "QuietUninstallString";
// The SHA-256 of the uninstall log as written, in hex: where only
// administrators can write, so the uninstaller can tell a changed log.
inline constexpr const char* kUninstallLogDigest = "UninstallLogSHA256";
// The uninstaller's switch for removing without any question or box.
inline constexpr const char* kSilentSwitch = "/S";

}  // namespace install::texts
