#include "mksetup/payload/stored_archive.h"

#include <algorithm>
#include <limits>

#include "format/payload_archive.h"
#include "mksetup/host/host_files.h"
#include "mksetup/host/ordered_work.h"
#include "package/lzw/lzw.h"
#include "package/lzw/lzw_encoder.h"
#include "base/little_endian.h"
#include "format/payload_contract.h"
#include "mksetup/payload/lzma_encoding.h"

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
// The 5-byte header of an LZMA entry: its decoded size and its mark.
void AppendLzmaHeader(std::vector<std::uint8_t>& bytes, std::uint64_t size, std::uint8_t mark) {
  base::AppendLe32(bytes, static_cast<std::uint32_t>(size));
  bytes.push_back(mark);
}

StoredEntry StoreEntry(const PlannedEntry& entry, std::span<const std::uint8_t> scriptBytes,
                       Codec codec) {
  thread_local ThreadBuffers buffers;
  StoredEntry stored;
  std::vector<std::uint8_t>& contents = buffers.contents;
  std::span<const std::uint8_t> input = scriptBytes;
  if (!entry.rewritten.empty()) {
    input = entry.rewritten;
  } else if (entry.role != EntryRole::Script) {
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

  if (entry.compressed && codec == Codec::Lzma) {
    AppendLzmaHeader(stored.bytes, input.size(), package::kLzmaEntryMark);
    std::size_t at = 0;
    const LzmaReader read = [&](std::uint8_t* data, std::size_t& size) {
      size = std::min(size, input.size() - at);
      std::copy_n(input.data() + at, size, data);
      at += size;
      return true;
    };
    std::string why;
    if (!LzmaEncode(read, input.size(), kLzmaEntryDictionary,
                    LzmaModelFor(input.data(), input.size()), stored.bytes, why)) {
      stored.error = "cannot compress " + entry.name + ": " + why;
      return stored;
    }
  } else if (entry.compressed) {
    const package::LzwStatus status =
        buffers.encoder.Encode(input.data(), input.size(), kStoredCodeWidth, stored.bytes);
    if (status != package::LzwStatus::Ok) {
      stored.error = "cannot compress " + entry.name + ": " + package::LzwStatusText(status);
      return stored;
    }
  } else if (entry.role == EntryRole::Script || !entry.rewritten.empty()) {
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

// The entries of the solid stream: those the rule compresses after the
// setup script. The first is its head and carries it.
std::vector<bool> SolidMembers(const BuildPlan& plan) {
  std::vector<bool> members(plan.entries.size(), false);
  if (plan.codec != Codec::Lzma || !plan.solid) return members;
  std::size_t first = 0;
  for (std::size_t i = 0; i < plan.entries.size(); ++i) {
    if (format::IsSetupScript(plan.entries[i].name)) first = i + 1;
  }
  for (std::size_t i = first; i < plan.entries.size(); ++i) members[i] = plan.entries[i].compressed;
  return members;
}

// The solid stream's model: the programs' where programs (by their first
// bytes) make up most of the members' bytes. A file that cannot be read
// counts as no program; reading it whole then says why.
const LzmaModel& SolidModel(const BuildPlan& plan, const std::vector<bool>& members) {
  std::uint64_t total = 0;
  std::uint64_t programs = 0;
  for (std::size_t i = 0; i < members.size(); ++i) {
    if (!members[i]) continue;
    const PlannedEntry& entry = plan.entries[i];
    std::uint8_t start[2];
    if (BeginsLikeProgram(start, ReadFileStart(entry.sourcePath, start))) programs += entry.size;
    total += entry.size;
  }
  return programs > total / 2 ? kLzmaSolidProgramModel : kLzmaSolidModel;
}

// The head: its header, the properties, the stream's total size and the
// stream of every member's bytes in order, read file by file.
StoredEntry StoreSolidHead(const BuildPlan& plan, const std::vector<bool>& members,
                           std::size_t head, unsigned threads) {
  StoredEntry stored;
  std::uint64_t total = 0;
  for (std::size_t i = 0; i < members.size(); ++i) {
    if (members[i]) total += plan.entries[i].size;
  }
  stored.inputSize = plan.entries[head].size;
  AppendLzmaHeader(stored.bytes, plan.entries[head].size, package::kLzmaSolidHeadMark);
  std::vector<std::uint8_t> stream;
  std::size_t member = head;
  std::vector<std::uint8_t> contents;
  std::size_t at = 0;
  std::string why;
  const LzmaReader read = [&](std::uint8_t* data, std::size_t& size) {
    while (at == contents.size()) {
      if (member == members.size()) {
        size = 0;
        return true;
      }
      const PlannedEntry& entry = plan.entries[member++];
      while (member < members.size() && !members[member]) ++member;
      if (!ReadWholeFile(entry.sourcePath, contents, why)) {
        why = "cannot read " + entry.sourcePath + ": " + why;
        return false;
      }
      if (contents.size() != entry.size) {
        why = entry.sourcePath + " changed while the setup program was being built";
        return false;
      }
      at = 0;
    }
    size = std::min(size, contents.size() - at);
    std::copy_n(contents.data() + at, size, data);
    at += size;
    return true;
  };
  std::string error;
  if (!LzmaEncode(read, total, kLzmaSolidDictionary, SolidModel(plan, members), stream, error,
                  threads)) {
    stored.error = why.empty() ? "cannot compress the solid stream: " + error : why;
    return stored;
  }
  // The properties, then the total, then the data.
  stored.bytes.insert(stored.bytes.end(), stream.begin(),
                      stream.begin() + package::kLzmaPropertiesSize);
  base::AppendLe32(stored.bytes, static_cast<std::uint32_t>(total));
  base::AppendLe32(stored.bytes, static_cast<std::uint32_t>(total >> 32));
  stored.bytes.insert(stored.bytes.end(), stream.begin() + package::kLzmaPropertiesSize,
                      stream.end());
  if (stored.bytes.size() > kMaxStored) {
    stored.error = "the solid stream takes " + std::to_string(stored.bytes.size()) +
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
  format::WriteArchiveCount(archive.bytes, static_cast<std::uint32_t>(plan.entries.size()));
  package::Sha256 checksum;
  std::size_t checked = 0;  // archive bytes the checksum has taken

  // Entries are read and encoded independently, on as many threads as asked
  // for, and laid out in plan order: the archive is the same bytes whatever
  // the number of threads, and the first entry in that order that fails is
  // the one reported.
  const std::vector<bool> solid = SolidMembers(plan);
  const auto head = std::find(solid.begin(), solid.end(), true);
  const auto store = [&](std::size_t index) {
    if (!solid[index]) return StoreEntry(plan.entries[index], scriptBytes, plan.codec);
    if (index == static_cast<std::size_t>(head - solid.begin()))
      return StoreSolidHead(plan, solid, index, threads);
    // A member: its bytes are in the head's stream, which checks its file.
    StoredEntry member;
    member.inputSize = plan.entries[index].size;
    AppendLzmaHeader(member.bytes, member.inputSize, package::kLzmaSolidMemberMark);
    return member;
  };
  const auto append = [&](std::size_t index, StoredEntry& stored) {
    const PlannedEntry& entry = plan.entries[index];
    if (progress) progress(index, entry, archive.inputBytes, total);
    if (!stored.error.empty()) {
      error = stored.error;
      return false;
    }
    format::AppendArchiveEntry(archive.bytes, entry.name, stored.bytes);
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
