#include "package/payload_checksum.h"

#include <algorithm>

namespace package {

ChecksumVerdict CheckPayloadChecksum(std::span<const std::uint8_t> block, bool hasResource,
                                     std::span<const std::uint8_t> resource) {
  if (!hasResource) return ChecksumVerdict::Absent;
  // A resource of the wrong length cannot be a digest we wrote: it is as
  // damaged as a wrong digest.
  if (resource.size() != Sha256Digest().size()) return ChecksumVerdict::Mismatch;
  const Sha256Digest digest = Sha256Of(block);
  return std::equal(digest.begin(), digest.end(), resource.begin()) ? ChecksumVerdict::Matches
                                                                    : ChecksumVerdict::Mismatch;
}

std::string DigestText(std::span<const std::uint8_t> digest) {
  static const char kDigits[] = "0123456789abcdef";
  std::string text;
  for (const std::uint8_t byte : digest) {
    text += kDigits[byte >> 4];
    text += kDigits[byte & 15];
  }
  return text;
}

}  // namespace package
