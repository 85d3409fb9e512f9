// The marker of the scopes this runtime installs in (format/runtime_scopes.h),
// so that mksetup builds no setup program whose scope it would not honour.
// Nothing reads the marker at run time, so the link keeps it by its symbol
// (-u setupkit_honoured_scopes).
#include "format/runtime_scopes.h"

extern const char kHonouredScopes[] asm("setupkit_honoured_scopes");
const char kHonouredScopes[] = SETUPKIT_RUNTIME_SCOPES_MARKER "machine user";
