// One setup program of a product at a time: a lock named after the
// product's uninstall key (platform/win32/instance_lock.h), taken before the
// run writes anything and held until the process ends.
#pragma once

#include <cstdint>
#include <span>

#include "format/payload_contract.h"

namespace app {

// Takes the lock of the product that the payload's setup script names, in
// the program's scope: "setupkit-setup-" and the uninstall key's name in
// upper case (key names ignore case, mutex names do not), its "\" signs
// made "/" (a mutex name holds none). False when another run of the
// product holds it: the run must then stop before it writes anything. A
// program of the user that takes the name first holds no machine install
// off; the lock is never waited for nor trusted. True for a payload whose
// first entry is not a setup script: the extraction then decides.
bool TakeProductMutex(std::span<const std::uint8_t> payload, format::InstallScope scope);

}  // namespace app
