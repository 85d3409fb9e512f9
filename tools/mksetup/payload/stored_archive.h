// Storing a build's payload archive: every planned file read, the entries
// the plan marks compressed encoded, on several threads, and laid out as
// format/payload_archive.h says.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "mksetup/payload/build_plan.h"
#include "package/sha256/sha256.h"

namespace mksetup {

// The code width the builder writes into every compressed entry.
constexpr unsigned kStoredCodeWidth = 16;

// Called as each entry goes into the archive, in order: its index, and the
// bytes of input stored before it out of all of them.
using StoreProgress = std::function<void(std::size_t index, const PlannedEntry& entry,
                                         std::uint64_t bytesDone, std::uint64_t bytesTotal)>;

struct StoredArchive {
  std::vector<std::uint8_t> bytes;
  std::uint64_t inputBytes = 0;   // the files' own sizes
  std::uint64_t storedBytes = 0;  // what the entries' data take in the archive
  std::size_t compressedEntries = 0;
  // SHA-256 of bytes, taken as the entries are laid out (while later ones
  // are still being encoded) rather than in one pass at the end.
  package::Sha256Digest digest{};
};

// Reads every planned file (the script's bytes are given), LZW-encodes the
// entries the plan marks compressed and lays out the archive. On failure
// (a file that cannot be read or has changed size, an entry too large for
// the archive) returns false with error naming the file. Entries are stored
// on `threads` threads (0: one per processor); the bytes are the same for
// any number. progress is called on the calling thread, in entry order.
bool StoreArchive(const BuildPlan& plan, std::span<const std::uint8_t> scriptBytes,
                  const StoreProgress& progress, StoredArchive& archive, std::string& error,
                  unsigned threads = 0);

}  // namespace mksetup
