// The payload's checksum: the SHA-256 of the archive block, stored by
// mksetup build as a resource of its own (payload_contract.h names it), so
// that a truncated or damaged download is caught before anything of it is
// written.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "package/sha256/sha256.h"

namespace package {

enum class ChecksumVerdict {
  Absent,  // no checksum resource: a setup program made by another tool
  Matches,
  Mismatch,  // the digest differs, or the resource is not 32 bytes long
};

ChecksumVerdict CheckPayloadChecksum(std::span<const std::uint8_t> block, bool hasResource,
                                     std::span<const std::uint8_t> resource);

// The digest as 64 lower-case hexadecimal digits.
std::string DigestText(std::span<const std::uint8_t> digest);

}  // namespace package
