#include "mksetup/archive_writer.h"

#include <limits>

#include "base/little_endian.h"
#include "mksetup/host_files.h"
#include "mksetup/ordered_work.h"
#include "package/lzw.h"

namespace mksetup {
namespace {

constexpr std::uint64_t kMaxStored = std::numeric_limits<std::uint32_t>::max();

// One entry as the archive stores it, or why it cannot be stored.
struct StoredEntry {
  std::vector<std::uint8_t> bytes;
  std::uint64_t inputSize = 0;
  std::string error;
};

// Reads the entry's file (the script's bytes are given) and encodes it when
// the plan says so. Touches nothing but its own result, so entries can be
// stored on several threads at once.
StoredEntry StoreEntry(const PlannedEntry& entry, std::span<const std::uint8_t> scriptBytes) {
  StoredEntry stored;
  std::vector<std::uint8_t> contents;
  std::span<const std::uint8_t> input = scriptBytes;
  if (entry.role != EntryRole::Script) {
    std::string why;
    if (!ReadWholeFile(entry.sourcePath, contents, why)) {
      stored.error = "cannot read " + entry.sourcePath + ": " + why;
      return stored;
    }
    // The checks measured the file; one that changes meanwhile is refused
    // rather than stored in a state nobody looked at.
    if (contents.size() != entry.size) {
      stored.error = entry.sourcePath + " changed while the setup program was being built";
      return stored;
    }
    input = contents;
  }
  stored.inputSize = input.size();

  if (entry.compressed) {
    const package::LzwStatus status = package::LzwEncode(input.data(), input.size(), kStoredCodeWidth, stored.bytes);
    if (status != package::LzwStatus::Ok) {
      stored.error = "cannot compress " + entry.name + ": " + package::LzwStatusText(status);
      return stored;
    }
  } else if (entry.role == EntryRole::Script) {
    stored.bytes.assign(input.begin(), input.end());
  } else {
    stored.bytes = std::move(contents);
  }
  if (stored.bytes.size() > kMaxStored) {
    stored.error = entry.name + " takes " + std::to_string(stored.bytes.size()) +
                   " bytes stored; an archive entry holds at most 4 GB - 1";
  }
  return stored;
}

}  // namespace

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

bool StoreArchive(const BuildPlan& plan, std::span<const std::uint8_t> scriptBytes,
                  const StoreProgress& progress, StoredArchive& archive, std::string& error, unsigned threads) {
  archive = StoredArchive{};
  std::uint64_t total = 0;
  for (const PlannedEntry& entry : plan.entries) total += entry.size;
  WriteArchiveCount(archive.bytes, static_cast<std::uint32_t>(plan.entries.size()));

  // Entries are read and encoded independently, on as many threads as asked
  // for, and laid out in plan order: the archive is the same bytes whatever
  // the number of threads, and the first entry in that order that fails is
  // the one reported.
  const auto store = [&](std::size_t index) { return StoreEntry(plan.entries[index], scriptBytes); };
  const auto append = [&](std::size_t index, StoredEntry& stored) {
    const PlannedEntry& entry = plan.entries[index];
    if (progress) progress(index, entry, archive.inputBytes, total);
    if (!stored.error.empty()) {
      error = stored.error;
      return false;
    }
    AppendArchiveEntry(archive.bytes, entry.name, stored.bytes);
    archive.inputBytes += stored.inputSize;
    archive.storedBytes += stored.bytes.size();
    if (entry.compressed) ++archive.compressedEntries;
    return true;
  };
  return RunInOrder<StoredEntry>(plan.entries.size(), threads == 0 ? ProcessorCount() : threads, store, append);
}

}  // namespace mksetup
