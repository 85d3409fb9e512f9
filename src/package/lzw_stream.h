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
#include <vector>

#include "package/lzw.h"

namespace package {

namespace lzw_detail {
struct Entry;
}

// Where decoded bytes go. They arrive in order; ReadBack asks only for bytes
// written before.
class LzwSink {
 public:
  virtual ~LzwSink() = default;
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
  // The window the setup program and the builder use: many times the
  // stretch a dictionary of 16-bit codes spans in ordinary files.
  static constexpr std::size_t kDefaultWindow = std::size_t{8} << 20;
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
  std::size_t m_window;
  std::vector<std::uint8_t> m_buffer;
  std::vector<lzw_detail::Entry> m_strings;  // the dictionary, reused
};

}  // namespace package
