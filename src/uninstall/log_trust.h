// Whether the uninstall log may be believed. The log lies in the installation
// folder, which its user may be able to change; the uninstaller runs
// elevated. The installing step recorded the log's digest in the product's
// uninstall key under HKEY_LOCAL_MACHINE, where only administrators write
// (for a product of one user, under HKEY_CURRENT_USER: install/uninstall_root.h).
#pragma once

#include <string>

#include "platform/platform.h"
#include "uninstall/uninstall_log_reader.h"

namespace uninstall {

// Empty when the log may be used; otherwise why not, for the message. The
// key is the one the log's product name gives, and it is taken only when its
// UninstallString starts uninstallerPath: a log that names another product
// finds no key of its own. A key without a digest comes from an older setup
// program and is accepted, as those products could not be uninstalled
// otherwise.
std::string LogTrustProblem(platform::Registry& registry, const UninstallRecords& log,
                            const std::string& logText, const std::string& uninstallerPath,
                            platform::RegistryRoot root = platform::RegistryRoot::LocalMachine);

}  // namespace uninstall
