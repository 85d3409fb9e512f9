// Where a scope keeps the product's entry in the system's list of installed
// programs, with the uninstall log's digest: under HKEY_LOCAL_MACHINE for
// the machine, where only administrators write; under HKEY_CURRENT_USER for
// one user, whose own list it is and whose program writes nothing elevated.
// The setup program and the uninstaller both choose the root here.
#pragma once

#include "format/payload_contract.h"
#include "platform/platform.h"

namespace install {

inline platform::RegistryRoot UninstallRoot(format::InstallScope scope) {
  return scope == format::InstallScope::User ? platform::RegistryRoot::CurrentUser
                                             : platform::RegistryRoot::LocalMachine;
}

}  // namespace install
