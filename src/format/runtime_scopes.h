// How a setup runtime tells mksetup which scopes it can install in
// (payload_contract.h), so that no setup program is built whose scope its
// runtime would not honour: the runtime's code section carries the marker
// text followed by the scopes' names as --scope spells them, space-separated,
// and a zero byte ("setupkit scopes: machine user"). A runtime without the
// marker installs for the machine only, as every runtime did before scopes.
#pragma once

// A literal, so that the runtime's marker is one text with the names.
#define SETUPKIT_RUNTIME_SCOPES_MARKER "setupkit scopes: "
