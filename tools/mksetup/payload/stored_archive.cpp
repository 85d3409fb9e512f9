#include "mksetup/payload/stored_archive.h"

#include <limits>

#include "format/payload_archive.h"
#include "mksetup/host/host_files.h"
#include "mksetup/host/ordered_work.h"
#include "package/lzw/lzw.h"
#include "package/lzw/lzw_encoder.h"

namespace mksetup {
namespace {

constexpr std::uint64_t kMaxStored = std::numeric_limits<std::uint32_t>::max();

// One entry as the archive stores it, or why it cannot be stored.
struct StoredEntry {
  std::vector<std::uint8_t> bytes;
  std::uint64_t inputSize = 0;
  std::string error;
};

constexpr std::size_t kItemsAheadPerThread = 8;
constexpr std::size_t kLargestKeptBuffer = std::size_t{64} << 20;

// What a thread keeps from one entry to the next: the encoder's tables and
// the buffer files are read into, allocated and faulted in once.
struct ThreadBuffers {
  package::LzwEncoder encoder;
  std::vector<std::uint8_t> contents;
};

// Reads the entry's file (the script's bytes are given) and encodes it when
// the plan says so. Touches nothing but its own result and its thread's
// buffers, so entries can be stored on several threads at once.
StoredEntry StoreEntry(const PlannedEntry& entry, std::span<const std::uint8_t> scriptBytes) {
  thread_local ThreadBuffers buffers;
  StoredEntry stored;
  std::vector<std::uint8_t>& contents = buffers.contents;
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
    const package::LzwStatus status =
        buffers.encoder.Encode(input.data(), input.size(), kStoredCodeWidth, stored.bytes);
    if (status != package::LzwStatus::Ok) {
      stored.error = "cannot compress " + entry.name + ": " + package::LzwStatusText(status);
      return stored;
    }
  } else if (entry.role == EntryRole::Script) {
    stored.bytes.assign(input.begin(), input.end());
  } else {
    stored.bytes.assign(contents.begin(), contents.end());
  }
  // A very large file's buffers are given back rather than held through the
  // rest of the build.
  if (contents.capacity() > kLargestKeptBuffer) buffers = ThreadBuffers{};
  if (stored.bytes.size() > kMaxStored) {
    stored.error = entry.name + " takes " + std::to_string(stored.bytes.size()) +
                   " bytes stored; an archive entry holds at most 4 GB - 1";
  }
  return stored;
}

}  // namespace

bool StoreArchive(const BuildPlan& plan, std::span<const std::uint8_t> scriptBytes,
                  const StoreProgress& progress, StoredArchive& archive, std::string& error,
                  unsigned threads) {
  archive = StoredArchive{};
  std::uint64_t total = 0;
  for (const PlannedEntry& entry : plan.entries) total += entry.size;
  // Room for the files as they are: most entries store smaller, so the
  // archive seldom moves while it grows.
  if (total < archive.bytes.max_size() / 2)
    archive.bytes.reserve(static_cast<std::size_t>(total) + 4096);
  package::WriteArchiveCount(archive.bytes, static_cast<std::uint32_t>(plan.entries.size()));
  package::Sha256 checksum;
  std::size_t checked = 0;  // archive bytes the checksum has taken

  // Entries are read and encoded independently, on as many threads as asked
  // for, and laid out in plan order: the archive is the same bytes whatever
  // the number of threads, and the first entry in that order that fails is
  // the one reported.
  const auto store = [&](std::size_t index) {
    return StoreEntry(plan.entries[index], scriptBytes);
  };
  const auto append = [&](std::size_t index, StoredEntry& stored) {
    const PlannedEntry& entry = plan.entries[index];
    if (progress) progress(index, entry, archive.inputBytes, total);
    if (!stored.error.empty()) {
      error = stored.error;
      return false;
    }
    package::AppendArchiveEntry(archive.bytes, entry.name, stored.bytes);
    checksum.Update(std::span<const std::uint8_t>(archive.bytes).subspan(checked));
    checked = archive.bytes.size();
    archive.inputBytes += stored.inputSize;
    archive.storedBytes += stored.bytes.size();
    if (entry.compressed) ++archive.compressedEntries;
    return true;
  };
  // Threads may run well ahead of the entry being laid out: one large file
  // then does not leave the others waiting for it, and what they hold goes
  // into the archive anyway.
  if (threads == 0) threads = ProcessorCount();
  const std::size_t ahead = std::size_t{threads} * kItemsAheadPerThread;
  if (!RunInOrder<StoredEntry>(plan.entries.size(), threads, store, append, ahead)) {
    return false;
  }
  checksum.Update(std::span<const std::uint8_t>(archive.bytes).subspan(checked));
  archive.digest = checksum.Finish();
  return true;
}

}  // namespace mksetup
