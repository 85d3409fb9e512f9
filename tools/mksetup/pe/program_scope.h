// The scope of a program that mksetup builds or carries: the setup program
// itself and its uninstaller. What the program asks of the system at its
// start (its manifest's execution level) must match what it does: a
// per-user program that asked for administrator rights would install into
// the administrator's profile, or not start for a user who has none.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "format/payload_contract.h"
#include "mksetup/pe/pe_resources.h"

namespace mksetup {

// The level a program of the scope asks for: "requireAdministrator" for the
// machine; "asInvoker" for one user, and for the choice, which an
// unelevated process must make.
const char* ExecutionLevelOf(format::InstallScope scope);

// The manifest's requestedExecutionLevel, or empty when the image has no
// manifest (RT_MANIFEST #1) or no level in it.
std::string ExecutionLevel(std::span<const std::uint8_t> image);

// The image is already a program of the scope: its manifest's level and its
// scope resource are the scope's (always true for Machine). Such an image
// needs no rewrite, and so keeps its signature.
bool IsProgramOfScope(std::span<const std::uint8_t> image, format::InstallScope scope);

// Writes into out a copy of image for the scope. Machine scope leaves the
// image as it is (no scope resource: the setup programs of machine scope
// stay what they were before scopes); any other writes the scope resource
// and sets the manifest's level, the rest of the manifest kept as it is. An
// image without a manifest that names a level cannot be made to ask for
// another: error says so. A signed image loses its signature (notes).
bool WriteProgramScope(std::span<const std::uint8_t> image, format::InstallScope scope,
                       std::vector<std::uint8_t>& out, std::string& error,
                       ResourceWriteNotes* notes = nullptr);

}  // namespace mksetup
