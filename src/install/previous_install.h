// An installed version of the product, found through its uninstall key
// before the installing step writes anything: whether the run is a fresh
// install, an upgrade or a repair, and the installed version's uninstall log
// for the new one to carry over.
#pragma once

#include <string>

#include "platform/platform.h"

namespace install {

struct PreviousInstall {
  // The installed version's uninstall log, only when it matches the digest
  // recorded for it in the uninstall key; empty otherwise.
  std::string logText;
  // For the run's log: "Fresh install", "Upgrade from version 1.0" or
  // "Repair of version 2.0", and why an installed log is not taken over.
  std::string note;
};

// The key's InstallLocation names the installed version's folder, its
// DisplayVersion the version; version is the one being installed. The log
// is read by its own name, never through a link, in one read that the
// digest then checks.
PreviousInstall FindPreviousInstall(
    platform::Platform& host, const std::string& uninstallKey, const std::string& version,
    platform::RegistryRoot root = platform::RegistryRoot::LocalMachine);

}  // namespace install
