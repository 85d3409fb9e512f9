// The product's entry in the system's list of installed programs, under
// its scope's root (uninstall_root.h), with the uninstaller as its uninstall command.
#pragma once

#include <cstdint>
#include <string>

#include "install/install_texts.h"
#include "platform/platform.h"

namespace install {

// "SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\" + product name, cut
// to the 259 characters of the system's key buffer. Empty when the product
// name holds nothing but "\": the key would be the list itself.
std::string UninstallKey(const std::string& productName);

// Sets a REG_SZ (the text and its terminating zero) or a four-byte REG_DWORD
// under the root (uninstall_root.h) and the key. Failures are silent.
void WriteStringValue(platform::Registry& registry, const std::string& key, const char* name,
                      const std::string& text,
                      platform::RegistryRoot root = platform::RegistryRoot::LocalMachine);
void WriteDwordValue(platform::Registry& registry, const std::string& key, const char* name,
                     std::uint32_t number,
                     platform::RegistryRoot root = platform::RegistryRoot::LocalMachine);

// Writes DisplayIcon, DisplayName, NoModify, NoRepair, UninstallString and
// QuietUninstallString for the uninstaller in installPath. Nothing without a
// key.
// The names of the values above, which the uninstaller removes with the key.
inline constexpr const char* kRegistrationValueNames[] = {
    texts::kDisplayIcon,        texts::kDisplayName,     texts::kNoModify,
    texts::kNoRepair,           texts::kUninstallString, texts::kQuietUninstallString,
    texts::kUninstallLogDigest, texts::kDisplayVersion,  texts::kPublisher,
    texts::kInstallLocation,    texts::kEstimatedSize,   texts::kInstallDate,
    texts::kVersionMajor,       texts::kVersionMinor,
};

void RegisterUninstaller(platform::Registry& registry, const std::string& uninstallKey,
                         const std::string& productName, const std::string& installPath,
                         platform::RegistryRoot root = platform::RegistryRoot::LocalMachine);

}  // namespace install
