// The compression functions behind Sha256, one a file: the portable one,
// and the one on the x86 SHA instructions with the check for them.
#pragma once

#include "package/sha256/sha256.h"

namespace package {

// The round constants of FIPS 180-4, shared by both.
extern const std::uint32_t kSha256RoundConstants[64];

void Sha256BlocksPortable(std::uint32_t* state, const std::uint8_t* blocks, std::size_t count);

// Whether this processor has the SHA instructions (and the SSSE3 and
// SSE4.1 ones the compression uses beside them); always false off x86.
bool HasSha256Instructions();
// Only where HasSha256Instructions() is true.
void Sha256BlocksX86(std::uint32_t* state, const std::uint8_t* blocks, std::size_t count);

}  // namespace package
