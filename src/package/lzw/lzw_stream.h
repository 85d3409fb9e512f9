// Decoding an LZW stream straight into its destination through a bounded
// window, with buffers kept from one stream to the next.
//
// Every string a code names is a stretch of output already produced. The
// dictionary is emptied at a fixed point, so after that a code names only
// output written since (or the one string just before it). The decoder keeps
// that stretch in its window and hands everything behind it to the sink. Where
// the stretch outgrows the window (long runs that fill a dictionary with very
// long strings), the window keeps the latest output and the rare string that
// lies further back is read back from the sink: memory stays bounded and a
// valid stream always decodes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>

#include "package/lzw/lzw.h"

namespace package {

namespace lzw_detail {
struct Entry;
}

// Where decoded bytes go. They arrive in order; ReadBack asks only for bytes
// written before.
class LzwSink {
  // Never deleted through this interface: no destructor in its table.
 protected:
  ~LzwSink() = default;

 public:
  virtual bool Write(const std::uint8_t* data, std::size_t size) = 0;
  virtual bool ReadBack(std::uint64_t offset, std::uint8_t* data, std::size_t size) = 0;
};

// A sink over a file that is open for update ("w+b") and empty.
class LzwFileSink final : public LzwSink {
 public:
  explicit LzwFileSink(std::FILE* file) : m_file(file) {}
  bool Write(const std::uint8_t* data, std::size_t size) override;
  bool ReadBack(std::uint64_t offset, std::uint8_t* data, std::size_t size) override;

 private:
  std::FILE* m_file;
  std::uint64_t m_written = 0;
};

class LzwStreamDecoder {
 public:
  // The window the setup program and the builder use. A dictionary of
  // 16-bit codes spans some 200 to 400 KB of ordinary files, and the window
  // keeps at most half of itself when it moves on; small enough to stay in
  // the processor's caches and to cost few page faults.
  static constexpr std::size_t kDefaultWindow = std::size_t{2} << 20;
  static constexpr std::size_t kMinWindow = 64;

  // window is the most output bytes held at once (at least kMinWindow).
  explicit LzwStreamDecoder(std::size_t window = kDefaultWindow);
  ~LzwStreamDecoder();
  LzwStreamDecoder(const LzwStreamDecoder&) = delete;
  LzwStreamDecoder& operator=(const LzwStreamDecoder&) = delete;

  // Decodes one stream into sink. The checks and statuses are those of
  // LzwDecode, plus WriteFailed when the sink fails. On failure the sink may
  // already hold part of the output: the caller discards it.
  LzwStatus Decode(const std::uint8_t* stream, std::size_t length, LzwSink& sink);

  // What the decoder keeps between streams, in bytes.
  std::size_t HeldBytes() const;

 private:
  // Both only grow, so one decoder serves a whole archive with one of each.
  std::size_t m_window;
  std::unique_ptr<std::uint8_t[]> m_buffer;
  std::size_t m_bufferSize = 0;
  std::unique_ptr<lzw_detail::Entry[]> m_strings;  // the dictionary
  std::size_t m_stringCount = 0;
};

}  // namespace package
