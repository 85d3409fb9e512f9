// The payload archive: an entry count N, then N entries back to back, each a
// NUL-terminated file name, a stored size S and S stored bytes (integers are
// unsigned 32-bit little-endian; no padding, no magic number). The block
// carries no flag that says which entries are compressed; payload_contract.h
// states how that is decided. The setup program reads it, mksetup writes it.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace format {

// One entry as it stands in the block; data points into the block.
struct ArchiveEntry {
  std::string name;
  const std::uint8_t* data = nullptr;
  std::uint32_t size = 0;
};

// Walks the whole block and checks it before anything is written: the count,
// every name and every size must lie inside the block, and every name must be
// one that stays inside the staging folder (format::EntryNameProblem). Bytes
// after the last entry are allowed (resource sections pad their data). On
// failure entries is empty and error names the entry and what is wrong with
// it.
bool ReadArchiveIndex(std::span<const std::uint8_t> block, std::vector<ArchiveEntry>& entries,
                      std::string& error);

// Writing: the count starts a fresh block, then each entry is appended in
// order with its stored bytes (at most 4 GB - 1 of them).
void WriteArchiveCount(std::vector<std::uint8_t>& archive, std::uint32_t count);
void AppendArchiveEntry(std::vector<std::uint8_t>& archive, const std::string& name,
                        std::span<const std::uint8_t> stored);

}  // namespace format
