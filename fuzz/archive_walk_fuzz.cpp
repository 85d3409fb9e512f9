// The payload check and the archive walk on arbitrary bytes, as the setup
// program meets them: first the checksum resource, then the archive block.
//
// Input: one byte giving the checksum resource's length (0xFF: there is
// none), that many bytes of it, then the block. The check must give its
// verdict without reading past either; the walk must refuse or accept
// without reading past the block, and what it accepts must hold its own
// promises: every entry's bytes lie inside the block, in order, and every
// name is safe.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

#include "format/entry_name.h"
#include "format/payload_archive.h"
#include "package/payload_checksum.h"

namespace {

constexpr std::uint8_t kNoChecksum = 0xFF;

void CheckTheChecksum(std::span<const std::uint8_t> block, bool hasResource,
                      std::span<const std::uint8_t> resource) {
  const package::ChecksumVerdict verdict =
      package::CheckPayloadChecksum(block, hasResource, resource);
  package::ChecksumVerdict expected = package::ChecksumVerdict::Absent;
  if (hasResource) {
    const package::Sha256Digest digest = package::Sha256Of(block);
    expected = resource.size() == digest.size() &&
                       std::equal(digest.begin(), digest.end(), resource.begin())
                   ? package::ChecksumVerdict::Matches
                   : package::ChecksumVerdict::Mismatch;
  }
  if (verdict != expected) std::abort();
}

void WalkTheArchive(std::span<const std::uint8_t> block) {
  std::vector<format::ArchiveEntry> entries;
  std::string error;
  const bool ok = format::ReadArchiveIndex(block, entries, error);
  if (!ok) {
    if (!entries.empty() || error.empty()) std::abort();
    return;
  }
  const std::uint8_t* cursor = block.data() + 4;
  for (const format::ArchiveEntry& entry : entries) {
    if (*format::EntryNameProblem(entry.name) != '\0') std::abort();
    // The entry's bytes follow its name, its NUL and its size field.
    if (entry.data != cursor + entry.name.size() + 1 + 4) std::abort();
    if (entry.size > static_cast<std::size_t>(block.data() + block.size() - entry.data))
      std::abort();
    cursor = entry.data + entry.size;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const bool hasResource = data[0] != kNoChecksum;
  const std::size_t resourceSize = hasResource ? std::min<std::size_t>(data[0], size - 1) : 0;
  // Copies of their own size, so that a read past either end is caught.
  const std::vector<std::uint8_t> resource(data + 1, data + 1 + resourceSize);
  const std::vector<std::uint8_t> block(data + 1 + resourceSize, data + size);
  CheckTheChecksum(block, hasResource, resource);
  WalkTheArchive(block);
  return 0;
}
