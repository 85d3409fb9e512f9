#include "mksetup/archive_writer.h"

#include <limits>

#include "mksetup/host_files.h"
#include "package/lzw.h"

namespace mksetup {
namespace {

void AppendLe32(std::vector<std::uint8_t>& bytes, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<std::uint8_t>(value >> shift));
}

constexpr std::uint64_t kMaxStored = std::numeric_limits<std::uint32_t>::max();

}  // namespace

void WriteArchiveCount(std::vector<std::uint8_t>& archive, std::uint32_t count) {
  archive.clear();
  AppendLe32(archive, count);
}

void AppendArchiveEntry(std::vector<std::uint8_t>& archive, const std::string& name,
                        std::span<const std::uint8_t> stored) {
  archive.insert(archive.end(), name.begin(), name.end());
  archive.push_back(0);
  AppendLe32(archive, static_cast<std::uint32_t>(stored.size()));
  archive.insert(archive.end(), stored.begin(), stored.end());
}

bool StoreArchive(const BuildPlan& plan, std::span<const std::uint8_t> scriptBytes,
                  const StoreProgress& progress, StoredArchive& archive, std::string& error) {
  archive = StoredArchive{};
  std::uint64_t total = 0;
  for (const PlannedEntry& entry : plan.entries) total += entry.size;
  WriteArchiveCount(archive.bytes, static_cast<std::uint32_t>(plan.entries.size()));

  std::vector<std::uint8_t> contents;
  std::vector<std::uint8_t> stream;
  for (std::size_t i = 0; i < plan.entries.size(); ++i) {
    const PlannedEntry& entry = plan.entries[i];
    if (progress) progress(i, entry, archive.inputBytes, total);

    std::span<const std::uint8_t> input = scriptBytes;
    if (entry.role != EntryRole::Script) {
      std::string why;
      if (!ReadWholeFile(entry.sourcePath, contents, why)) {
        error = "cannot read " + entry.sourcePath + ": " + why;
        return false;
      }
      // The checks measured the file; one that changes meanwhile is refused
      // rather than stored in a state nobody looked at.
      if (contents.size() != entry.size) {
        error = entry.sourcePath + " changed while the setup program was being built";
        return false;
      }
      input = contents;
    }

    std::span<const std::uint8_t> stored = input;
    if (entry.compressed) {
      const package::LzwStatus status = package::LzwEncode(input.data(), input.size(), kStoredCodeWidth, stream);
      if (status != package::LzwStatus::Ok) {
        error = "cannot compress " + entry.name + ": " + package::LzwStatusText(status);
        return false;
      }
      stored = stream;
      ++archive.compressedEntries;
    }
    if (stored.size() > kMaxStored) {
      error = entry.name + " takes " + std::to_string(stored.size()) +
              " bytes stored; an archive entry holds at most 4 GB - 1";
      return false;
    }
    AppendArchiveEntry(archive.bytes, entry.name, stored);
    archive.inputBytes += input.size();
    archive.storedBytes += stored.size();
  }
  return true;
}

}  // namespace mksetup
