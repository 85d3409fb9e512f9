// LZW decoder. Every dictionary entry is an (offset, length) pair into the
// output already produced, so a code costs one block copy and the dictionary
// holds no string data.
//
// The stream is hostile until proven otherwise. The bounds it must keep:
//   - codes are read only while all their bits lie inside the stream;
//   - a code is a byte, an entry of the dictionary, or the entry about to be
//     made (the string before followed by its own first byte);
//   - no string runs past the U bytes the header announces;
//   - U is allocated only if the stream has enough codes to produce it.
#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>
#include <new>

#include "package/lzw.h"

namespace package {
namespace {

// Strings are copied in chunks of this many bytes, which may write up to
// kCopyChunk - 1 bytes past the string's end (the next string overwrites
// them). The output buffer carries that much slack behind its U bytes.
constexpr std::size_t kCopyChunk = 16;

// The first code handed out to a dictionary entry.
constexpr std::uint32_t kFirstEntryCode = 256;

// Offsets into the output are 32-bit, and the output buffer holds the copies'
// slack and a table of the 256 byte values behind the U bytes. U is at most
// 4 GB - 1 by its field; this keeps room for the rest (and for a 32-bit
// size_t).
constexpr std::uint32_t kMaxSize = 0xFFFFFFFFu - 1024;

struct Entry {
  std::uint32_t offset;
  std::uint32_t length;
};

std::uint32_t LoadLe32(const std::uint8_t* at) {
  std::uint32_t value;
  std::memcpy(&value, at, 4);
  if constexpr (std::endian::native == std::endian::big) value = __builtin_bswap32(value);
  return value;
}

// Reads the codes of a stream in order: the 32-bit little-endian word at the
// code's first byte, shifted by its bit offset and masked to the width. Near
// the end of the stream the missing bytes of that word read as zero.
class CodeReader {
 public:
  CodeReader(const std::uint8_t* stream, std::size_t length, unsigned width)
      : m_pNext(stream + kLzwHeaderSize), m_pEnd(stream + length), m_width(width),
        m_mask((1u << width) - 1) {}

  std::uint32_t Next() {
    std::uint32_t word = 0;
    if (m_pEnd - m_pNext >= 4) {
      word = LoadLe32(m_pNext);
    } else {
      for (std::ptrdiff_t i = 0; i < m_pEnd - m_pNext; ++i) word |= std::uint32_t{m_pNext[i]} << (8 * i);
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
inline void CopyString(std::uint8_t* dst, const std::uint8_t* src, std::size_t n) {
  std::size_t done = 0;
  do {
    std::uint8_t chunk[kCopyChunk];
    std::memcpy(chunk, src + done, kCopyChunk);
    std::memcpy(dst + done, chunk, kCopyChunk);
    done += kCopyChunk;
  } while (done < n);
}

// Whether the heap can give n bytes now. Allocation failure would end the
// program (there are no exceptions to catch it), so a size that a stream can
// legitimately reach but memory cannot hold is refused before it is asked
// for. Nothing runs in between that could take the memory.
bool CanAllocate(std::size_t n) {
  void* probe = ::operator new(n, std::nothrow);
  if (probe == nullptr) return false;
  ::operator delete(probe);
  return true;
}

// The most bytes k codes can produce: the i-th code's string is at most i
// bytes long (each entry is one byte longer than a string before it), so
// k codes give at most 1 + 2 + ... + k bytes.
std::uint64_t MostBytesFrom(std::uint64_t codes) {
  if (codes >= (std::uint64_t{1} << 32)) return std::numeric_limits<std::uint64_t>::max();
  return codes * (codes + 1) / 2;
}

LzwStatus Decode(const std::uint8_t* stream, std::size_t length, std::vector<std::uint8_t>& output) {
  if (length < kLzwHeaderSize) return LzwStatus::ShortHeader;
  const std::uint32_t size = LoadLe32(stream);
  const unsigned width = stream[4];
  if (width < kLzwMinWidth || width > kLzwMaxWidth) return LzwStatus::BadWidth;
  if (size == 0) return LzwStatus::Ok;

  // Only codes whose bits all lie inside the stream are read. Without codes
  // nothing can be produced, so the first code exists past this test.
  const std::uint64_t codeCount = (static_cast<std::uint64_t>(length - kLzwHeaderSize) * 8) / width;
  if (size > MostBytesFrom(codeCount) || size > kMaxSize) return LzwStatus::TooLarge;
  const std::size_t literals = std::size_t{size} + kCopyChunk;  // where the byte values go
  const std::size_t bufferSize = literals + 256 + kCopyChunk;
  const std::uint32_t maxEntries = (1u << width) - kFirstEntryCode;
  const std::size_t stringCount =
      kFirstEntryCode + static_cast<std::size_t>(std::min<std::uint64_t>(maxEntries, codeCount));
  if (bufferSize > output.max_size() || !CanAllocate(bufferSize) || !CanAllocate(stringCount * sizeof(Entry))) {
    return LzwStatus::TooLarge;
  }

  CodeReader codes(stream, length, width);
  const std::uint32_t first = codes.Next();
  if (first >= kFirstEntryCode) return LzwStatus::BadCode;

  // The buffer: the U output bytes, the copies' slack, then the 256 byte
  // values (with slack of their own) that the literal codes copy from.
  output.resize(bufferSize);
  std::uint8_t* const out = output.data();
  for (unsigned byte = 0; byte < 256; ++byte) out[literals + byte] = static_cast<std::uint8_t>(byte);
  out[0] = static_cast<std::uint8_t>(first);

  // The strings of all codes by code: the 256 single bytes, then the
  // dictionary. One entry is added per code after the first, and the
  // dictionary is emptied when it holds maxEntries; so stringCount is enough.
  std::vector<Entry> strings(stringCount);
  for (std::uint32_t byte = 0; byte < kFirstEntryCode; ++byte) {
    strings[byte] = Entry{static_cast<std::uint32_t>(literals) + byte, 1};
  }
  std::uint32_t entries = 0;  // in the dictionary

  std::uint32_t pos = 1;  // where the next string goes
  // The entry the next code adds: the previous string (which starts at
  // pending.offset) and the first byte of the next one.
  Entry pending{0, 2};
  for (std::uint64_t k = 1; pos < size; ++k) {
    if (k == codeCount) return LzwStatus::Truncated;
    const std::uint32_t code = codes.Next();
    if (entries == maxEntries) entries = 0;

    const std::uint32_t room = size - pos;
    std::uint32_t n;
    if (code < kFirstEntryCode + entries) {
      // A byte or a dictionary entry: one branch-free path for both.
      const Entry string = strings[code];
      n = string.length;
      if (n > room) return LzwStatus::Overrun;
      CopyString(out + pos, out + string.offset, n);
    } else if (code == kFirstEntryCode + entries) {
      // The entry this very code creates: the previous string and its own
      // first byte.
      const std::uint32_t prev = pending.offset;
      n = pos - prev + 1;
      if (n > room) return LzwStatus::Overrun;
      CopyString(out + pos, out + prev, n - 1);
      out[pos + n - 1] = out[prev];
    } else {
      return LzwStatus::BadCode;
    }

    strings[kFirstEntryCode + entries++] = pending;
    pending = Entry{pos, n + 1};
    pos += n;
  }
  output.resize(size);
  return LzwStatus::Ok;
}

}  // namespace

LzwStatus LzwDecode(const std::uint8_t* stream, std::size_t length, std::vector<std::uint8_t>& output) {
  output.clear();
  const LzwStatus status = Decode(stream, length, output);
  // A failed decode hands back nothing, not even the memory it took.
  if (status != LzwStatus::Ok) std::vector<std::uint8_t>().swap(output);
  return status;
}

const char* LzwStatusText(LzwStatus status) {
  switch (status) {
    case LzwStatus::Ok: return "success";
    case LzwStatus::ShortHeader: return "the stream is shorter than its 5-byte header";
    case LzwStatus::BadWidth: return "the code width is outside 9 to 25 bits";
    case LzwStatus::BadCode: return "a code refers to a dictionary entry that does not exist";
    case LzwStatus::Overrun: return "a string runs past the stated uncompressed size";
    case LzwStatus::Truncated: return "the stream ends before the stated uncompressed size is reached";
    case LzwStatus::TooLarge: return "the size is more than the stream can produce or memory can hold";
  }
  return "unknown status";
}

}  // namespace package
