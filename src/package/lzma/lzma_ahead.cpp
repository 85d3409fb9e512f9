// The decoding thread fills chunks in order and hands each to the writing
// thread through two counters: chunk n is in slot n % kCount, and the
// decoding thread starts on a slot only once the writing thread is done with
// what it held. Each waits for the other only when every chunk is full, or
// every one is written.
#include "package/lzma/lzma_ahead.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace package {

LzmaAhead::LzmaAhead(platform::Threads& threads, const std::vector<format::ArchiveEntry>& entries,
                     const format::CompressionSwitch& compression, std::size_t first)
    : threads_(threads), entries_(entries), compression_(compression), first_(first) {}

LzmaAhead::~LzmaAhead() { std::free(bytes_); }

bool LzmaAhead::Run(LzmaEntryDecoder& decoder, base::FunctionRef<bool()> write) {
  if (!Suit()) return false;
  return threads_.RunBoth([&] { Decode(decoder); },
                          [&] {
                            if (!write()) stopped_.store(true);
                          });
}

bool LzmaAhead::Suit() {
  bool decodes = false;
  for (std::size_t i = first_; i < entries_.size(); ++i) {
    if (!compression_.Compresses(entries_[i].name)) continue;
    if (!IsLzmaEntry(entries_[i].data, entries_[i].size)) return false;
    decodes = true;
  }
  if (decodes) bytes_ = static_cast<std::uint8_t*>(std::malloc(kCount * kSize));
  return bytes_ != nullptr;
}

// Every LZMA entry in order, until one fails or the writing stops.
void LzmaAhead::Decode(LzmaEntryDecoder& decoder) {
  for (std::size_t i = first_; i < entries_.size(); ++i) {
    if (!compression_.Compresses(entries_[i].name)) continue;
    const auto sink = [&](const std::uint8_t* data, std::size_t size) {
      while (size > 0 && !stopped_.load(std::memory_order_relaxed)) {
        if (filling_.size == kSize && !Publish()) return false;
        const std::size_t part = std::min(size, kSize - filling_.size);
        std::memcpy(Bytes(produced_.load()) + filling_.size, data, part);
        filling_.size += part;
        data += part;
        size -= part;
      }
      return size == 0;
    };
    filling_.status = decoder.Decode(entries_[i].data, entries_[i].size, sink);
    filling_.last = true;
    if (!Publish() || filling_.status != LzmaStatus::Ok) return;
  }
}

// Hands the chunk being filled to the writing thread, then waits until the
// next one to fill is written, if it is not yet; false when the writing has
// stopped.
bool LzmaAhead::Publish() {
  const std::size_t chunk = produced_.load();
  filled_[chunk % kCount] = filling_;
  filling_ = Chunk{};
  produced_.store(chunk + 1, std::memory_order_release);
  while (chunk + 1 - consumed_.load(std::memory_order_acquire) == kCount) {
    if (stopped_.load()) return false;
    threads_.Pause();
  }
  return true;
}

LzmaStatus LzmaAhead::WriteTo(std::FILE* file) {
  for (;;) {
    const std::size_t index = consumed_.load(std::memory_order_relaxed);
    while (produced_.load(std::memory_order_acquire) == index) threads_.Pause();
    const Chunk chunk = filled_[index % kCount];
    const bool written =
        chunk.size == 0 || std::fwrite(Bytes(index), 1, chunk.size, file) == chunk.size;
    consumed_.store(index + 1, std::memory_order_release);
    if (!written) return LzmaStatus::WriteFailed;
    if (chunk.last) return chunk.status;
  }
}

}  // namespace package
