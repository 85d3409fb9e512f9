// Every text the installing step shows, writes or compares, in one place, so
// that a reviewer or a translator sees them all at once. The uninstall log's
// markers and names are read by the uninstaller: they must stay byte for byte.
#pragma once

namespace install::texts {

// Message boxes (OK, warning icon); the file pass appends the destination.
inline constexpr const char* kInvalidInstallationPath = "Invalid Installation Path for ";
inline constexpr const char* kUnableToCreateFile = "Unable to create file ";
// Shown for a shortcut line with an empty Name or Target. The missing space
// after the comma is the program's own.
inline constexpr const char* kEnterMenuItemCorrectly =
    "Please,enter the Menu Item and File name correctly.";

// The first field of a "[fls]" line that makes a folder instead of a file.
inline constexpr const char* kFolderEntryKind = "Dir";

// Files in the installation folder.
inline constexpr const char* kUninstallLogName = "Uninstallerpathtn.ini";
inline constexpr const char* kUninstallerName = "UnInstaller.exe";

// The uninstall log's list of files always ends with these three.
inline constexpr const char* kFixedRemovalPaths[] = {
    "%InstallPath%\\UnInstaller.exe",
    "%InstallPath%\\Remove Uninstaller.exe",
    "%InstallPath%\\Uninstallerpathtn.ini",
};
// The removal path that stands for everything below the installation folder.
inline constexpr const char* kWholeInstallFolder = "%InstallPath%";

// Uninstall log markers, each written as it stands ("\n" is CR LF on disk).
inline constexpr const char* kLogFilesStart = "\n[files]";
inline constexpr const char* kLogFilesEnd = "\n[/files]";
inline constexpr const char* kLogShortcutsStart = "\n[shrt]";
inline constexpr const char* kLogShortcutsEndRegistryStart = "\n[/shrt]\n[regst]";
inline constexpr const char* kLogRegistryEnd = "\n[/regst]\n";

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

}  // namespace install::texts
