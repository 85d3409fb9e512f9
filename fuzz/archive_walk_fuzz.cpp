// The archive walk on arbitrary bytes: it must refuse or accept without
// reading past the block, and what it accepts must hold its own promises:
// every entry's bytes lie inside the block, in order, and every name is safe.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

#include "package/payload_archive.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<package::ArchiveEntry> entries;
  std::string error;
  const bool ok = package::ReadArchiveIndex(std::span<const std::uint8_t>(data, size), entries, error);
  if (!ok) {
    if (!entries.empty() || error.empty()) std::abort();
    return 0;
  }
  const std::uint8_t* cursor = data + 4;
  for (const package::ArchiveEntry& entry : entries) {
    if (!package::UnsafeNameReason(entry.name).empty()) std::abort();
    // The entry's bytes follow its name, its NUL and its size field.
    if (entry.data != cursor + entry.name.size() + 1 + 4) std::abort();
    if (entry.size > static_cast<std::size_t>(data + size - entry.data)) std::abort();
    cursor = entry.data + entry.size;
  }
  return 0;
}
