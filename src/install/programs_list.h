// What the system's list of installed programs shows of the product beside
// its uninstall command: version, publisher, folder, size and date. The
// folder is also where an upgrade finds the installed version.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/platform.h"

namespace install {

struct VersionNumbers {
  std::uint32_t major = 0;
  std::uint32_t minor = 0;
};

// The numbers a version text starts with: "2.10.3 beta" gives 2 and 10, "7"
// gives 7 and 0; a number past 4294967295 counts as 4294967295. Nothing when
// the text does not start with a digit.
std::optional<VersionNumbers> VersionNumbersOf(const std::string& version);

// Under the root (uninstall_root.h) and the uninstall key: DisplayVersion (the
// product's version), Publisher (its company) and InstallLocation, each when
// not empty, InstallDate (today, YYYYMMDD), EstimatedSize, and VersionMajor
// and VersionMinor where the version starts with a number. Nothing without a
// key.
void WriteProgramsListValues(platform::Registry& registry, const std::string& uninstallKey,
                             const std::string& version, const std::string& publisher,
                             const std::string& installPath, std::uint32_t estimatedKib,
                             platform::RegistryRoot root = platform::RegistryRoot::LocalMachine);

// The folder of an installed version: the key's InstallLocation when it is a
// full path below a drive's root without a trailing backslash; empty
// otherwise.
std::string InstalledLocation(platform::Registry& registry, const std::string& uninstallKey,
                              platform::RegistryRoot root = platform::RegistryRoot::LocalMachine);

}  // namespace install
