// What both LZW decoders share: reading the codes of a stream, the chunked
// string copy and the bound on what a number of codes can produce.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <new>

#include "base/little_endian.h"
#include "package/lzw/lzw.h"

namespace package::lzw_detail {

// Strings are copied in chunks of at most this many bytes, which may write up
// to kCopyChunk - 1 bytes past the string's end (the next string overwrites
// them). Output buffers carry that much slack behind their bytes.
constexpr std::size_t kCopyChunk = 16;

// The first code handed out to a dictionary entry.
constexpr std::uint32_t kFirstEntryCode = 256;

// Offsets into the output are 32-bit. U is at most 4 GB - 1 by its field;
// this keeps room for a buffer's slack and tables (and for a 32-bit size_t).
constexpr std::uint32_t kMaxSize = 0xFFFFFFFFu - 1024;

// A dictionary string: where it starts in the output, and its length.
struct Entry {
  std::uint32_t offset;
  std::uint32_t length;
};

// Reads the codes of a stream in order: the 32-bit little-endian word at the
// code's first byte, shifted by its bit offset and masked to the width. Near
// the end of the stream the missing bytes of that word read as zero.
class CodeReader {
 public:
  CodeReader(const std::uint8_t* stream, std::size_t length, unsigned width)
      : m_pNext(stream + kLzwHeaderSize),
        m_pEnd(stream + length),
        m_width(width),
        m_mask((1u << width) - 1) {}

  std::uint32_t Next() {
    std::uint32_t word = 0;
    if (m_pEnd - m_pNext >= 4) {
      word = base::LoadLe32(m_pNext);
    } else {
      for (std::ptrdiff_t i = 0; i < m_pEnd - m_pNext; ++i)
        word |= std::uint32_t{m_pNext[i]} << (8 * i);
    }
    const std::uint32_t code = (word >> m_shift) & m_mask;
    m_shift += m_width;
    m_pNext += m_shift >> 3;
    m_shift &= 7;
    return code;
  }

 private:
  const std::uint8_t* m_pNext;
  const std::uint8_t* m_pEnd;
  unsigned m_width;
  std::uint32_t m_mask;
  unsigned m_shift = 0;
};

// Copies n bytes from src to dst in whole chunks. The source ends at or before
// the destination starts, so every byte a chunk needs is read before any
// chunk writes over it.
// The 32-bit code, which has no vector registers to assume, goes a 32-bit
// word at a time: its 16-byte copy is "rep movsd" there, slow to start, and
// through a temporary on the stack.
inline void CopyString(std::uint8_t* dst, const std::uint8_t* src, std::size_t n) {
#if defined(__i386__)
  constexpr std::size_t kStep = sizeof(std::uint32_t);
#else
  constexpr std::size_t kStep = kCopyChunk;
#endif
  std::size_t done = 0;
  do {
    std::uint8_t chunk[kStep];
    std::memcpy(chunk, src + done, kStep);
    std::memcpy(dst + done, chunk, kStep);
    done += kStep;
  } while (done < n);
}

// The most bytes k codes can produce: the i-th code's string is at most i
// bytes long (each entry is one byte longer than a string before it), so
// k codes give at most 1 + 2 + ... + k bytes.
inline std::uint64_t MostBytesFrom(std::uint64_t codes) {
  if (codes >= (std::uint64_t{1} << 32)) return std::numeric_limits<std::uint64_t>::max();
  return codes * (codes + 1) / 2;
}

// The number of codes whose bits all lie inside a stream of length bytes:
// bits / width, taken as (q * width + r) * 8 / width = 8q + 8r / width so that
// a 32-bit target divides in its own word (a 64-bit division is a library
// call there, with unwind tables the runtime does not otherwise carry).
inline std::uint64_t CodeCount(std::size_t length, unsigned width) {
  const std::size_t bytes = length - kLzwHeaderSize;
  return std::uint64_t{bytes / width} * 8 + (bytes % width) * 8 / width;
}

// Whether the heap can give n bytes now. Allocation failure would end the
// program (there are no exceptions to catch it), so a size that a stream can
// legitimately reach but memory cannot hold is refused before it is asked
// for. Nothing runs in between that could take the memory.
inline bool CanAllocate(std::size_t n) {
  void* probe = ::operator new(n, std::nothrow);
  if (probe == nullptr) return false;
  ::operator delete(probe);
  return true;
}

}  // namespace package::lzw_detail
