// One run of a product at a time, in a way no program of the user can stop:
// a named mutex that counts as another run's only when the administrators
// own it.
#pragma once

#include "format/payload_contract.h"

namespace win32 {

// Takes the lock called name ("setupkit-setup-" and the product's key).
// Machine scope: "Global\" and the name, made with the Administrators as
// its owner and access for them and SYSTEM only. An object already there
// is another run's only when it is a mutex that the Administrators or
// SYSTEM own, which no unelevated program can make; anything else under
// the name (a squatter's mutex, an object of another kind, one that shuts
// us out) is ignored. The system's private namespaces would serve too, but
// Wine 8 has none to test them on. User scope: "Local\setupkit-user-" and
// the rest of the name, the user's own, apart from the machine's lock.
// False only when another run holds the lock.
bool TakeInstanceLock(format::InstallScope scope, const char* name);

}  // namespace win32
