// The product's entry in the system's list of installed programs, under
// its scope's root (uninstall_root.h), with the uninstaller as its uninstall command.
#pragma once

#include <cstdint>
#include <string>

#include "install/install_texts.h"
#include "platform/platform.h"

namespace install {

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
void RegisterUninstaller(platform::Registry& registry, const std::string& uninstallKey,
                         const std::string& productName, const std::string& installPath,
                         platform::RegistryRoot root = platform::RegistryRoot::LocalMachine);

}  // namespace install
