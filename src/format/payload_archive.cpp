// The archive walk. The block comes from the executable's resources and is
// treated as hostile: every count and length is checked against what is left
// of the block before it is used, and the whole index is checked before the
// caller writes its first file.
#include <algorithm>
#include <cstring>
#include <string_view>

#include "format/decimal_text.h"
#include "format/joined_text.h"
#include "base/hex_escape.h"
#include "base/little_endian.h"
#include "format/entry_name.h"
#include "format/payload_archive.h"

namespace format {
namespace {

constexpr std::size_t kSizeField = 4;
// The smallest entry: a one-character name, its NUL and the size field.
constexpr std::size_t kSmallestEntry = 2 + kSizeField;

std::string EntryLabel(std::size_t index, std::string_view name) {
  return format::Joined({"entry ", format::DecimalDigits(static_cast<std::uint32_t>(index + 1)),
                         " (\"", base::HexEscaped(name), "\")"});
}

constexpr std::string_view kDamaged = "The setup archive is damaged: ";

}  // namespace

bool ReadArchiveIndex(std::span<const std::uint8_t> block, std::vector<ArchiveEntry>& entries,
                      std::string& error) {
  entries.clear();
  error.clear();
  const auto refuse = [&](std::initializer_list<std::string_view> message) {
    error = format::Joined(message);
    entries.clear();
    return false;
  };

  if (block.size() < kSizeField)
    return refuse({kDamaged, "it is too short to hold its entry count."});
  const std::uint32_t count = base::LoadLe32(block.data());
  std::size_t cursor = kSizeField;
  // A hostile count must not make us reserve gigabytes.
  entries.reserve(std::min<std::size_t>(count, (block.size() - cursor) / kSmallestEntry));

  for (std::size_t index = 0; index < count; ++index) {
    const std::uint8_t* const start = block.data() + cursor;
    const std::size_t left = block.size() - cursor;
    if (left == 0) {
      return refuse({kDamaged, "it announces ", format::DecimalDigits(count),
                     " entries but ends after ",
                     format::DecimalDigits(static_cast<std::uint32_t>(index)), "."});
    }
    const std::uint8_t* nul = start;  // the name's end (std::find is four times the code)
    while (nul != start + left && *nul != 0) ++nul;
    if (nul == start + left) {
      return refuse({kDamaged, "the name of entry ",
                     format::DecimalDigits(static_cast<std::uint32_t>(index + 1)),
                     " is not terminated inside the archive."});
    }
    // Made in place; a refusal clears the list, this entry with it.
    ArchiveEntry& entry = entries.emplace_back();
    entry.name.assign(reinterpret_cast<const char*>(start), static_cast<std::size_t>(nul - start));
    cursor += entry.name.size() + 1;

    if (const char* const reason = format::EntryNameProblem(entry.name); *reason != '\0') {
      return refuse({"The setup archive holds an unsafe file name in ",
                     EntryLabel(index, entry.name), ": ", reason, "."});
    }
    if (block.size() - cursor < kSizeField) {
      return refuse({kDamaged, EntryLabel(index, entry.name), " has no room for its stored size."});
    }
    entry.size = base::LoadLe32(block.data() + cursor);
    cursor += kSizeField;
    if (block.size() - cursor < entry.size) {
      return refuse({kDamaged, EntryLabel(index, entry.name), " announces ",
                     format::DecimalDigits(entry.size), " bytes but only ",
                     format::DecimalDigits(static_cast<std::uint32_t>(block.size() - cursor)),
                     " are left."});
    }
    entry.data = block.data() + cursor;
    cursor += entry.size;
  }
  return true;
}

void WriteArchiveCount(std::vector<std::uint8_t>& archive, std::uint32_t count) {
  archive.clear();
  base::AppendLe32(archive, count);
}

void AppendArchiveEntry(std::vector<std::uint8_t>& archive, const std::string& name,
                        std::span<const std::uint8_t> stored) {
  archive.insert(archive.end(), name.begin(), name.end());
  archive.push_back(0);
  base::AppendLe32(archive, static_cast<std::uint32_t>(stored.size()));
  archive.insert(archive.end(), stored.begin(), stored.end());
}

}  // namespace format
