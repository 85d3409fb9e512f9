// LZMA entries decoded on a second thread, ahead of the thread that writes
// them into their files. Writing through the system's file layer takes about
// half as long again as decoding, so each thread hides most of the other's
// time. For entries that keep their archive order (a solid stream runs
// through them); the LZW-only runtimes carry a stand-in that never runs.
#pragma once
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "base/function_ref.h"
#include "format/payload_archive.h"
#include "format/payload_contract.h"
#include "package/lzma/lzma_entry.h"
#include "platform/platform.h"

namespace package {

class LzmaAhead {
 public:
  // For the entries from `first` on, whose compression the switch says.
  LzmaAhead(platform::Threads& threads, const std::vector<format::ArchiveEntry>& entries,
            const format::CompressionSwitch& compression, std::size_t first);
  ~LzmaAhead();
  LzmaAhead(const LzmaAhead&) = delete;
  LzmaAhead& operator=(const LzmaAhead&) = delete;

  // Runs write() on the calling thread while a second thread decodes the
  // LZMA entries through decoder, in order, and returns true. write() takes
  // each entry's bytes with WriteTo and returns false when an entry failed,
  // which stops the decoding. Returns false, having run nothing, where the
  // entries do not suit (no LZMA entry among them, or an LZW stream, which
  // reads back from its own file), memory for the chunks is short, no
  // thread can be started, or the program decodes LZW only.
  bool Run(LzmaEntryDecoder& decoder, base::FunctionRef<bool()> write);

  // The writing thread's: the next LZMA entry's bytes into file, once they
  // are decoded, and the entry's outcome.
  LzmaStatus WriteTo(std::FILE* file);

 private:
  static constexpr std::size_t kSize = std::size_t{256} << 10;
  static constexpr std::size_t kCount = 16;
  // A filled chunk; an entry's last one carries the entry's outcome.
  struct Chunk {
    std::size_t size = 0;
    bool last = false;
    LzmaStatus status = LzmaStatus::Ok;
  };

  bool Suit();
  void Decode(LzmaEntryDecoder& decoder);
  bool Publish();
  std::uint8_t* Bytes(std::size_t chunk) { return bytes_ + chunk % kCount * kSize; }

  platform::Threads& threads_;
  const std::vector<format::ArchiveEntry>& entries_;
  const format::CompressionSwitch& compression_;
  const std::size_t first_;
  std::uint8_t* bytes_ = nullptr;         // kCount chunks of kSize bytes
  Chunk filled_[kCount];                  // what each chunk holds, once filled
  Chunk filling_;                         // the decoding thread's own
  std::atomic<std::size_t> produced_{0};  // chunks filled so far
  std::atomic<std::size_t> consumed_{0};  // chunks written so far
  std::atomic<bool> stopped_{false};      // the writing failed
};

}  // namespace package
