// The uninstall log's digest, kept in the product's uninstall key: under
// HKEY_LOCAL_MACHINE for the machine, where only administrators write, as
// the log itself lies in the installation folder, which its user may be
// able to change; under HKEY_CURRENT_USER for one user (uninstall_root.h),
// which catches a log that changed, if not the user who changed it.
#pragma once

#include <string>

#include "platform/platform.h"

namespace install {

enum class LogDigest {
  Matches,
  Missing,  // the key holds none: an older setup program's, or no key at all
  Differs,
};

// Compares the SHA-256 of logText with the digest recorded in the key.
LogDigest CheckLogDigest(platform::Registry& registry, const std::string& uninstallKey,
                         const std::string& logText,
                         platform::RegistryRoot root = platform::RegistryRoot::LocalMachine);

}  // namespace install
