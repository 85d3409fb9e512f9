// The product's entry in the system's list of installed programs: the key's
// name and the names of its values. The setup program writes them, the
// uninstaller removes them, and mksetup's winget manifest names the key.
#pragma once

#include <string>

namespace format {

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
// What the programs list shows of the product, and where an upgrade finds the
// installed version's folder.
inline constexpr const char* kDisplayVersion = "DisplayVersion";
inline constexpr const char* kPublisher = "Publisher";
inline constexpr const char* kInstallLocation = "InstallLocation";
inline constexpr const char* kEstimatedSize = "EstimatedSize";  // KiB
inline constexpr const char* kInstallDate = "InstallDate";      // YYYYMMDD
inline constexpr const char* kVersionMajor = "VersionMajor";
inline constexpr const char* kVersionMinor = "VersionMinor";

// "SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\" + product name, cut
// to the 259 characters of the system's key buffer. Empty when the product
// name holds nothing but "\": the key would be the list itself.
std::string UninstallKey(const std::string& productName);

// The names of the values the setup program writes into the key, which the
// uninstaller removes with it.
inline constexpr const char* kRegistrationValueNames[] = {
    kDisplayIcon,          kDisplayName,        kNoModify,       kNoRepair,     kUninstallString,
    kQuietUninstallString, kUninstallLogDigest, kDisplayVersion, kPublisher,    kInstallLocation,
    kEstimatedSize,        kInstallDate,        kVersionMajor,   kVersionMinor,
};

}  // namespace format
