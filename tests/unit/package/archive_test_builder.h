// Builds payload archive blocks for the tests: the count, then per entry the
// name, its NUL, the stored size and the stored bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/little_endian.h"
#include "package/lzw/lzw.h"

namespace package::test {

using Block = std::vector<std::uint8_t>;

using base::AppendLe32;

inline Block Stored(const std::string& bytes) { return Block(bytes.begin(), bytes.end()); }

// The LZW stream the building tool stores for a compressed entry.
inline Block Compressed(const std::string& bytes) {
  Block stream;
  LzwEncode(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), kLzwDefaultWidth,
            stream);
  return stream;
}

class ArchiveBuilder {
 public:
  ArchiveBuilder& Add(const std::string& name, const Block& stored) {
    m_entries.push_back({name, stored});
    return *this;
  }
  ArchiveBuilder& AddPlain(const std::string& name, const std::string& bytes) {
    return Add(name, Stored(bytes));
  }
  ArchiveBuilder& AddCompressed(const std::string& name, const std::string& bytes) {
    return Add(name, Compressed(bytes));
  }

  Block Build() const { return BuildWithCount(static_cast<std::uint32_t>(m_entries.size())); }
  Block BuildWithCount(std::uint32_t count) const {
    Block block;
    AppendLe32(block, count);
    for (const auto& [name, stored] : m_entries) {
      block.insert(block.end(), name.begin(), name.end());
      block.push_back(0);
      AppendLe32(block, static_cast<std::uint32_t>(stored.size()));
      block.insert(block.end(), stored.begin(), stored.end());
    }
    return block;
  }

 private:
  struct Entry {
    std::string name;
    Block stored;
  };
  std::vector<Entry> m_entries;
};

}  // namespace package::test
